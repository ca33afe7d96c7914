#include "device/TextureFormats.h"

namespace vornexgfx {

bool isTextureFormat(D3DFORMAT format) {
    return ddsFormatOf(format) != vximage::DdsFormat::Other;
}

bool isBlockFormat(D3DFORMAT format) {
    return format == D3DFMT_DXT1 || format == D3DFMT_DXT3 || format == D3DFMT_DXT5;
}

vximage::DdsFormat ddsFormatOf(D3DFORMAT format) {
    switch (format) {
    case D3DFMT_A8R8G8B8:
        return vximage::DdsFormat::A8R8G8B8;
    case D3DFMT_X8R8G8B8:
        return vximage::DdsFormat::X8R8G8B8;
    case D3DFMT_DXT1:
        return vximage::DdsFormat::Dxt1;
    case D3DFMT_DXT3:
        return vximage::DdsFormat::Dxt3;
    case D3DFMT_DXT5:
        return vximage::DdsFormat::Dxt5;
    default:
        return vximage::DdsFormat::Other;
    }
}

D3DFORMAT d3dFormatOf(vximage::DdsFormat format) {
    switch (format) {
    case vximage::DdsFormat::X8R8G8B8:
        return D3DFMT_X8R8G8B8;
    case vximage::DdsFormat::Dxt1:
        return D3DFMT_DXT1;
    case vximage::DdsFormat::Dxt3:
        return D3DFMT_DXT3;
    case vximage::DdsFormat::Dxt5:
        return D3DFMT_DXT5;
    default:
        return D3DFMT_A8R8G8B8;
    }
}

} // namespace vornexgfx
