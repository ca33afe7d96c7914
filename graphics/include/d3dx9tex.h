#pragma once
// D3DX texture file services of the graphics stand-in: an image file's size read from its
// header without decoding its pixels.
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
    D3DXIMAGE_FILEFORMAT ImageFileFormat = D3DXIFF_BMP;
};

inline constexpr HRESULT D3DXERR_INVALIDDATA = static_cast<HRESULT>(0x88760B59u);

// Reads the width and height of a DDS, TGA, PNG, JPEG or BMP file from its header. Fails with
// D3DERR_NOTAVAILABLE when the file cannot be opened and D3DXERR_INVALIDDATA when it is not an
// image of those kinds.
HRESULT D3DXGetImageInfoFromFileA(const char* path, D3DXIMAGE_INFO* info);
