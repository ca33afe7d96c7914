#pragma once
// The Direct3D 9 objects of the graphics stand-in that the exporter creates: the runtime
// object and a device. The device here serves mesh work and needs no window or GPU; its
// creation can still fail (see vornexgfx/DeviceControl.h), and callers handle that as the
// real runtime's failure.
#include "d3d9types.h"

inline constexpr UINT D3D_SDK_VERSION = 32;

inline constexpr DWORD D3DCREATE_SOFTWARE_VERTEXPROCESSING = 0x00000020;
inline constexpr DWORD D3DDEVTYPE_HAL = 1;
inline constexpr DWORD D3DDEVTYPE_REF = 2;
inline constexpr UINT D3DADAPTER_DEFAULT = 0;

// The vertex element record of vertex declarations: 8 bytes, written to files as is.
struct D3DVERTEXELEMENT9 {
    WORD Stream;
    WORD Offset;
    BYTE Type;
    BYTE Method;
    BYTE Usage;
    BYTE UsageIndex;
};
static_assert(sizeof(D3DVERTEXELEMENT9) == 8);

enum D3DDECLTYPE : BYTE {
    D3DDECLTYPE_FLOAT1 = 0,
    D3DDECLTYPE_FLOAT2 = 1,
    D3DDECLTYPE_FLOAT3 = 2,
    D3DDECLTYPE_FLOAT4 = 3,
    D3DDECLTYPE_D3DCOLOR = 4,
    D3DDECLTYPE_UBYTE4 = 5,
    D3DDECLTYPE_SHORT2 = 6,
    D3DDECLTYPE_SHORT4 = 7,
    D3DDECLTYPE_UNUSED = 17,
};

enum D3DDECLMETHOD : BYTE { D3DDECLMETHOD_DEFAULT = 0 };

enum D3DDECLUSAGE : BYTE {
    D3DDECLUSAGE_POSITION = 0,
    D3DDECLUSAGE_BLENDWEIGHT = 1,
    D3DDECLUSAGE_BLENDINDICES = 2,
    D3DDECLUSAGE_NORMAL = 3,
    D3DDECLUSAGE_PSIZE = 4,
    D3DDECLUSAGE_TEXCOORD = 5,
    D3DDECLUSAGE_TANGENT = 6,
    D3DDECLUSAGE_BINORMAL = 7,
    D3DDECLUSAGE_COLOR = 10,
};

// The element that ends every declaration.
inline constexpr D3DVERTEXELEMENT9 D3DDECL_END() {
    return {0xFF, 0, D3DDECLTYPE_UNUSED, 0, 0, 0};
}

// Bytes one element of the type occupies; 0 for D3DDECLTYPE_UNUSED and unknown types.
UINT D3DDeclTypeSize(BYTE type);

enum D3DPRIMITIVETYPE : DWORD { D3DPT_TRIANGLELIST = 4 };

class IDirect3DDevice9 {
public:
    IDirect3DDevice9(const IDirect3DDevice9&) = delete;
    IDirect3DDevice9& operator=(const IDirect3DDevice9&) = delete;
    DWORD AddRef() { return ++m_refCount; }
    // Returns the remaining count; the object is gone at 0.
    DWORD Release();

private:
    friend class IDirect3D9;
    IDirect3DDevice9() = default;
    ~IDirect3DDevice9() = default;
    DWORD m_refCount = 1;
};

struct D3DPRESENT_PARAMETERS {
    UINT BackBufferWidth = 0;
    UINT BackBufferHeight = 0;
    BOOL Windowed = 1;
};

class IDirect3D9 {
public:
    IDirect3D9(const IDirect3D9&) = delete;
    IDirect3D9& operator=(const IDirect3D9&) = delete;
    DWORD AddRef() { return ++m_refCount; }
    DWORD Release();
    // The window handle is accepted for the callers' sake and not used.
    HRESULT CreateDevice(UINT adapter, DWORD deviceType, void* focusWindow, DWORD behaviorFlags,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device);

private:
    friend IDirect3D9* Direct3DCreate9(UINT sdkVersion);
    IDirect3D9() = default;
    ~IDirect3D9() = default;
    DWORD m_refCount = 1;
};

// Null when the SDK version is not D3D_SDK_VERSION or the runtime is made unavailable.
IDirect3D9* Direct3DCreate9(UINT sdkVersion);
