#include "d3d9.h"
#include "vornexgfx/DeviceControl.h"

namespace {
bool g_runtimeUnavailable = false;
bool g_deviceCreationFails = false;
} // namespace

namespace vornexgfx {
void setRuntimeUnavailable(bool unavailable) {
    g_runtimeUnavailable = unavailable;
}
void setDeviceCreationFails(bool fails) {
    g_deviceCreationFails = fails;
}
} // namespace vornexgfx

UINT D3DDeclTypeSize(BYTE type) {
    switch (type) {
    case D3DDECLTYPE_FLOAT1:
    case D3DDECLTYPE_D3DCOLOR:
    case D3DDECLTYPE_UBYTE4:
    case D3DDECLTYPE_SHORT2:
        return 4;
    case D3DDECLTYPE_FLOAT2:
    case D3DDECLTYPE_SHORT4:
        return 8;
    case D3DDECLTYPE_FLOAT3:
        return 12;
    case D3DDECLTYPE_FLOAT4:
        return 16;
    default:
        return 0;
    }
}

DWORD IDirect3DDevice9::Release() {
    const DWORD left = --m_refCount;
    if (left == 0)
        delete this;
    return left;
}

DWORD IDirect3D9::Release() {
    const DWORD left = --m_refCount;
    if (left == 0)
        delete this;
    return left;
}

HRESULT IDirect3D9::CreateDevice(UINT, DWORD, void*, DWORD, D3DPRESENT_PARAMETERS*,
                                 IDirect3DDevice9** device) {
    if (!device)
        return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (g_deviceCreationFails)
        return D3DERR_NOTAVAILABLE;
    *device = new IDirect3DDevice9();
    return D3D_OK;
}

IDirect3D9* Direct3DCreate9(UINT sdkVersion) {
    if (sdkVersion != D3D_SDK_VERSION || g_runtimeUnavailable)
        return nullptr;
    return new IDirect3D9();
}
