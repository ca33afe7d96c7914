#pragma once
// D3DX texture file services of the graphics stand-in: image sizes read from file headers,
// textures loaded from DDS (A8R8G8B8, X8R8G8B8, DXT1, DXT3, DXT5, and the other layouts the DDS
// reader decodes) and from TGA, PNG, JPEG and BMP, surface copies, and DDS saving.
#include "d3d9.h"
#include "d3d9types.h"

enum D3DXIMAGE_FILEFORMAT : DWORD {
    D3DXIFF_BMP = 0,
    D3DXIFF_JPG = 1,
    D3DXIFF_TGA = 2,
    D3DXIFF_PNG = 3,
    D3DXIFF_DDS = 4,
};

struct D3DXIMAGE_INFO {
    UINT Width = 0;
    UINT Height = 0;
    UINT Depth = 1;
    UINT MipLevels = 1;
    // The file's own format where it names one of D3DFORMAT's (DDS); A8R8G8B8 otherwise.
    D3DFORMAT Format = D3DFMT_UNKNOWN;
    D3DRESOURCETYPE ResourceType = D3DRTYPE_TEXTURE;
    D3DXIMAGE_FILEFORMAT ImageFileFormat = D3DXIFF_BMP;
};

struct PALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
};

inline constexpr HRESULT D3DXERR_INVALIDDATA = static_cast<HRESULT>(0x88760B59u);

inline constexpr UINT D3DX_DEFAULT = 0xFFFFFFFFu;
inline constexpr UINT D3DX_DEFAULT_NONPOW2 = 0xFFFFFFFEu;
inline constexpr UINT D3DX_FROM_FILE = 0xFFFFFFFDu;
inline constexpr DWORD D3DX_FILTER_NONE = 1;
inline constexpr DWORD D3DX_FILTER_POINT = 2;
inline constexpr DWORD D3DX_FILTER_LINEAR = 3;
inline constexpr DWORD D3DX_FILTER_TRIANGLE = 4;
inline constexpr DWORD D3DX_FILTER_BOX = 5;

// Reads the width and height of a DDS, TGA, PNG, JPEG or BMP file from its header. Fails with
// D3DERR_NOTAVAILABLE when the file cannot be opened and D3DXERR_INVALIDDATA when it is not an
// image of those kinds.
HRESULT D3DXGetImageInfoFromFileA(const char* path, D3DXIMAGE_INFO* info);

// Loads an image file into a new texture of a rendering device.
// - Width and Height: D3DX_DEFAULT, D3DX_DEFAULT_NONPOW2 or 0 take the file's size; any other
//   size must equal it (no scaling is offered).
// - MipLevels: 1 for the image alone; 0 or D3DX_DEFAULT for the whole chain and n for n levels,
//   the smaller levels filtered down from the image; D3DX_FROM_FILE counts as 1.
// - Format: D3DFMT_UNKNOWN keeps the file's format (DDS A8R8G8B8, X8R8G8B8, DXT1/3/5; every
//   other file A8R8G8B8); a named format converts to it (DXT content is compressed once, so it
//   reads as a file of that format would).
// - ColorKey: when not 0, texels of exactly that ARGB colour become transparent black.
// - Filter, MipFilter and pPalette are accepted and ignored.
// Fails with D3DXERR_INVALIDDATA for a file that is missing, unreadable or not an image;
// DXGetErrorString9A then names the file and the reason.
HRESULT D3DXCreateTextureFromFileExA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile, UINT Width,
                                     UINT Height, UINT MipLevels, DWORD Usage, D3DFORMAT Format,
                                     D3DPOOL Pool, DWORD Filter, DWORD MipFilter, D3DCOLOR ColorKey,
                                     D3DXIMAGE_INFO* pSrcInfo, PALETTEENTRY* pPalette,
                                     LPDIRECT3DTEXTURE9* ppTexture);

// Copies a rectangle of one surface into a rectangle of another of the same device (null
// rectangles: the whole surface). Equal sizes copy texel for texel; other sizes scale, with
// D3DX_FILTER_POINT or D3DX_FILTER_NONE by nearest texel and linearly otherwise. ColorKey must
// be 0 (colour keying is offered when loading files only); palettes are ignored.
HRESULT D3DXLoadSurfaceFromSurface(LPDIRECT3DSURFACE9 pDestSurface,
                                   const PALETTEENTRY* pDestPalette, const RECT* pDestRect,
                                   LPDIRECT3DSURFACE9 pSrcSurface, const PALETTEENTRY* pSrcPalette,
                                   const RECT* pSrcRect, DWORD Filter, D3DCOLOR ColorKey);

// Writes a texture as a DDS file (D3DXIFF_DDS only) in the texture's format with all its
// levels. The file appears whole or not at all: it is written beside its place and renamed.
HRESULT D3DXSaveTextureToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                               LPDIRECT3DBASETEXTURE9 pSrcTexture, const PALETTEENTRY* pSrcPalette);
