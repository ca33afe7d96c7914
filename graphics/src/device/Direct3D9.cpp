#include "d3d9.h"

#include "device/ComObject.h"
#include "device/Device.h"
#include "device/FailureReason.h"
#include "vornexgfx/DeviceControl.h"

namespace {

bool g_runtimeUnavailable = false;
bool g_deviceCreationFails = false;

class Direct3D final : public vornexgfx::ComObject<IDirect3D9> {
public:
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE, HWND, DWORD behaviorFlags,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice9** device) override {
        if (!device)
            return D3DERR_INVALIDCALL;
        *device = nullptr;
        if (adapter != D3DADAPTER_DEFAULT || !parameters)
            return D3DERR_INVALIDCALL;
        if (g_deviceCreationFails)
            return vornexgfx::failWith(D3DERR_NOTAVAILABLE, "device creation is switched off");
        if (!(behaviorFlags & D3DCREATE_HARDWARE_VERTEXPROCESSING)) {
            *device = new vornexgfx::Device();
            return D3D_OK;
        }
        std::string error;
        auto core = vornexgfx::RenderCore::create(error);
        if (!core)
            return vornexgfx::failWith(D3DERR_NOTAVAILABLE, error);
        *device = new vornexgfx::Device(std::move(core), parameters->BackBufferWidth,
                                        parameters->BackBufferHeight);
        return D3D_OK;
    }
};

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

IDirect3D9* Direct3DCreate9(UINT sdkVersion) {
    if (sdkVersion != D3D_SDK_VERSION || g_runtimeUnavailable)
        return nullptr;
    return new Direct3D();
}
