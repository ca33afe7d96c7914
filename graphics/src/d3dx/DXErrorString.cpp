#include "dxerr9.h"

#include "d3dx9tex.h"
#include "device/FailureReason.h"

#include <string>

namespace {

const char* codeName(HRESULT hr) {
    switch (hr) {
    case D3D_OK:
        return "S_OK";
    case E_FAIL:
        return "E_FAIL";
    case E_OUTOFMEMORY:
        return "E_OUTOFMEMORY";
    case D3DERR_WRONGTEXTUREFORMAT:
        return "D3DERR_WRONGTEXTUREFORMAT";
    case D3DERR_DRIVERINTERNALERROR:
        return "D3DERR_DRIVERINTERNALERROR";
    case D3DERR_NOTFOUND:
        return "D3DERR_NOTFOUND";
    case D3DERR_NOTAVAILABLE:
        return "D3DERR_NOTAVAILABLE";
    case D3DERR_OUTOFVIDEOMEMORY:
        return "D3DERR_OUTOFVIDEOMEMORY";
    case D3DERR_INVALIDCALL:
        return "D3DERR_INVALIDCALL";
    case D3DXERR_INVALIDDATA:
        return "D3DXERR_INVALIDDATA";
    default:
        return "Unknown error";
    }
}

} // namespace

const char* DXGetErrorString9A(HRESULT hr) {
    thread_local std::string text;
    text = codeName(hr);
    const std::string& reason = vornexgfx::failureReason(hr);
    if (hr != D3D_OK && !reason.empty())
        text += ": " + reason;
    return text.c_str();
}
