#pragma once
// The Direct3D 9 interfaces of the graphics stand-in. Objects are reference counted: creation
// hands out one reference, AddRef and Release return the new count, and an object is gone when
// its count reaches 0 and nothing holds it internally (a device keeps what is bound to it, an
// effect keeps the textures set on it, a texture keeps its level surfaces, and every resource
// keeps its device's rendering context; none of these show in the counts).
//
// Two kinds of device come from CreateDevice:
// - without D3DCREATE_HARDWARE_VERTEXPROCESSING (for example with
//   D3DCREATE_SOFTWARE_VERTEXPROCESSING): a device for mesh work only, no window, context or GPU
//   needed; its rendering calls fail with D3DERR_INVALIDCALL;
// - with D3DCREATE_HARDWARE_VERTEXPROCESSING (alone or with D3DCREATE_PUREDEVICE): a rendering
//   device on an offscreen OpenGL context, made at CreateDevice, which fails with
//   D3DERR_NOTAVAILABLE when no context can be had (for example under VORNEX_GL=off).
//
// Rendering follows Direct3D's conventions: surfaces and textures hold row 0 at the top, texel
// (0, 0) is the top-left one, clip-space y = +1 is the top of the viewport and z runs 0 to 1.
// Rasterisation follows OpenGL's rules (pixel centres at half-integer coordinates), so a quad
// over the whole viewport with texture coordinates 0 to 1 samples texel centres without the
// half-texel shift Direct3D 9 needs. Nothing is culled and there is no depth buffer.
#include "d3d9types.h"

inline constexpr UINT D3D_SDK_VERSION = 32;

inline constexpr DWORD D3DCREATE_PUREDEVICE = 0x00000010;
inline constexpr DWORD D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x00000020;
inline constexpr DWORD D3DCREATE_HARDWARE_VERTEXPROCESSING = 0x00000040;
inline constexpr DWORD D3DCREATE_MIXED_VERTEXPROCESSING = 0x00000080;
inline constexpr UINT D3DADAPTER_DEFAULT = 0;

class IUnknown {
public:
    virtual ULONG AddRef() = 0;
    // Returns the remaining count.
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

class IDirect3DSurface9 : public IUnknown {
public:
    virtual HRESULT GetDesc(D3DSURFACE_DESC* desc) = 0;
    // Fails for surfaces that cannot be locked: render targets made not lockable, and levels of
    // render-target textures (copy them with D3DXLoadSurfaceFromSurface first). `rect` null
    // locks the whole surface; for DXT formats it must lie on 4 x 4 block edges. With
    // D3DLOCK_READONLY the unlock leaves the content as it was.
    virtual HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) = 0;
    virtual HRESULT UnlockRect() = 0;
};

class IDirect3DBaseTexture9 : public IUnknown {
public:
    virtual DWORD GetLevelCount() = 0;
};

// A 2D texture. Whatever its format, the GPU holds and samples it as 8-bit RGBA; the format is
// how it is described, locked and saved (DXT levels are compressed when locked or saved, and
// X8R8G8B8 samples with alpha 1).
class IDirect3DTexture9 : public IDirect3DBaseTexture9 {
public:
    virtual HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) = 0;
    // The surface of one mip level; the caller releases it.
    virtual HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) = 0;
    virtual HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) = 0;
    virtual HRESULT UnlockRect(UINT level) = 0;
};

class IDirect3DVertexBuffer9 : public IUnknown {
public:
    // SizeToLock 0 locks from OffsetToLock to the end.
    virtual HRESULT Lock(UINT OffsetToLock, UINT SizeToLock, void** ppbData, DWORD Flags) = 0;
    virtual HRESULT Unlock() = 0;
};

class IDirect3DIndexBuffer9 : public IUnknown {
public:
    virtual HRESULT Lock(UINT OffsetToLock, UINT SizeToLock, void** ppbData, DWORD Flags) = 0;
    virtual HRESULT Unlock() = 0;
};

class IDirect3DVertexDeclaration9 : public IUnknown {
public:
    // Copies the elements with the closing D3DDECL_END(); `count` receives their number (the
    // end included). With `elements` null only the count is given.
    virtual HRESULT GetDeclaration(D3DVERTEXELEMENT9* elements, UINT* count) = 0;
};

// How vertex elements reach an effect's vertex stage: each element feeds the GLSL input named
// by its usage in capitals followed by its usage index, e.g. POSITION0, NORMAL0, BINORMAL0,
// TANGENT0, TEXCOORD0, TEXCOORD1, COLOR0, BLENDWEIGHT0, BLENDINDICES0 (`in vec3 NORMAL0;`).
// FLOAT1 to FLOAT4 arrive as they are, D3DCOLOR as a vec4 (r, g, b, a) in 0..1, UBYTE4 and
// SHORT2/SHORT4 as plain numbers (bytes 0..255, not normalised); components an element lacks
// read as 0, and w as 1. Inputs the declaration does not feed read as (0, 0, 0, 1); elements
// the shader does not use are ignored. Only stream 0 is drawn from.
class IDirect3DDevice9 : public IUnknown {
public:
    virtual HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* pVertexElements,
                                            IDirect3DVertexDeclaration9** ppDecl) = 0;
    virtual HRESULT SetVertexDeclaration(IDirect3DVertexDeclaration9* pDecl) = 0;
    virtual HRESULT CreateVertexBuffer(UINT Length, DWORD Usage, DWORD FVF, D3DPOOL Pool,
                                       IDirect3DVertexBuffer9** ppVertexBuffer,
                                       HANDLE* pSharedHandle) = 0;
    virtual HRESULT CreateIndexBuffer(UINT Length, DWORD Usage, D3DFORMAT Format, D3DPOOL Pool,
                                      IDirect3DIndexBuffer9** ppIndexBuffer,
                                      HANDLE* pSharedHandle) = 0;
    virtual HRESULT SetStreamSource(UINT StreamNumber, IDirect3DVertexBuffer9* pStreamData,
                                    UINT OffsetInBytes, UINT Stride) = 0;
    virtual HRESULT SetIndices(IDirect3DIndexBuffer9* pIndexData) = 0;
    // Levels 0 makes the whole mip chain. Render-target textures (D3DUSAGE_RENDERTARGET) must be
    // A8R8G8B8 or X8R8G8B8 in D3DPOOL_DEFAULT; other textures may also be DXT1, DXT3 or DXT5.
    // Content starts as zero bytes.
    virtual HRESULT CreateTexture(UINT Width, UINT Height, UINT Levels, DWORD Usage,
                                  D3DFORMAT Format, D3DPOOL Pool, IDirect3DTexture9** ppTexture,
                                  HANDLE* pSharedHandle) = 0;
    virtual HRESULT CreateRenderTarget(UINT Width, UINT Height, D3DFORMAT Format,
                                       D3DMULTISAMPLE_TYPE MultiSample, DWORD MultisampleQuality,
                                       BOOL Lockable, IDirect3DSurface9** ppSurface,
                                       HANDLE* pSharedHandle) = 0;
    // Render target 0 only; the caller releases the surface it receives.
    virtual HRESULT GetRenderTarget(DWORD RenderTargetIndex,
                                    IDirect3DSurface9** ppRenderTarget) = 0;
    // Also sets the viewport to the whole new target, as Direct3D does.
    virtual HRESULT SetRenderTarget(DWORD RenderTargetIndex, IDirect3DSurface9* pRenderTarget) = 0;
    // The viewport must lie inside the render target.
    virtual HRESULT SetViewport(const D3DVIEWPORT9* pViewport) = 0;
    virtual HRESULT GetViewport(D3DVIEWPORT9* pViewport) = 0;
    // D3DCLEAR_TARGET only (the device has no depth or stencil buffer); the clear is limited to
    // the viewport and, when given, to the union of the rectangles.
    virtual HRESULT Clear(DWORD Count, const D3DRECT* pRects, DWORD Flags, D3DCOLOR Color, float Z,
                          DWORD Stencil) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    // Draws inside BeginScene/EndScene with an effect pass begun, triangle lists and strips.
    // Every vertex and index drawn must lie inside its buffer (checked; D3DERR_INVALIDCALL).
    virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE PrimitiveType, UINT StartVertex,
                                  UINT PrimitiveCount) = 0;
    virtual HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE Type, INT BaseVertexIndex,
                                         UINT MinVertexIndex, UINT NumVertices, UINT startIndex,
                                         UINT primCount) = 0;
};

class IDirect3D9 : public IUnknown {
public:
    // Adapter 0 only. The focus window is accepted for the callers' sake and not used. The
    // rendering device's back buffer is an A8R8G8B8 surface of the parameters' back buffer
    // size, 1 x 1 where that is 0.
    virtual HRESULT CreateDevice(UINT Adapter, D3DDEVTYPE DeviceType, HWND hFocusWindow,
                                 DWORD BehaviorFlags,
                                 D3DPRESENT_PARAMETERS* pPresentationParameters,
                                 IDirect3DDevice9** ppReturnedDeviceInterface) = 0;
};

// Null when the SDK version is not D3D_SDK_VERSION or the runtime is made unavailable.
IDirect3D9* Direct3DCreate9(UINT SDKVersion);

using LPDIRECT3D9 = IDirect3D9*;
using LPDIRECT3DDEVICE9 = IDirect3DDevice9*;
using LPDIRECT3DSURFACE9 = IDirect3DSurface9*;
using LPDIRECT3DBASETEXTURE9 = IDirect3DBaseTexture9*;
using LPDIRECT3DTEXTURE9 = IDirect3DTexture9*;
using LPDIRECT3DVERTEXBUFFER9 = IDirect3DVertexBuffer9*;
using LPDIRECT3DINDEXBUFFER9 = IDirect3DIndexBuffer9*;
using LPDIRECT3DVERTEXDECLARATION9 = IDirect3DVertexDeclaration9*;
