#include "Shared/Base/File/FileReads.h"
#include "d3d9.h"
#include "d3dx9tex.h"
#include "device/TextureFormats.h"
#include "vximage/DdsCodec.h"

#include <stb_image.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

HRESULT D3DXGetImageInfoFromFileA(const char* path, D3DXIMAGE_INFO* info) {
    if (!path || !info)
        return D3DERR_INVALIDCALL;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file)
        return D3DERR_NOTAVAILABLE;
    vx::recordFileRead(path);
    std::array<unsigned char, vximage::kDdsHeaderBytes> head{};
    const std::size_t got = std::fread(head.data(), 1, head.size(), file.get());
    if (got >= 4 && std::memcmp(head.data(), "DDS ", 4) == 0) {
        vximage::DdsHeader header;
        std::string error;
        if (!vximage::readDdsHeader(head.data(), got, header, error))
            return D3DXERR_INVALIDDATA;
        D3DXIMAGE_INFO out;
        out.Width = header.width;
        out.Height = header.height;
        out.MipLevels = header.mipLevels;
        out.Format = vornexgfx::d3dFormatOf(header.format);
        out.ImageFileFormat = D3DXIFF_DDS;
        *info = out;
        return D3D_OK;
    }
    std::rewind(file.get());
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info_from_file(file.get(), &width, &height, &channels) || width <= 0 || height <= 0)
        return D3DXERR_INVALIDDATA;
    D3DXIMAGE_INFO out;
    out.Width = static_cast<UINT>(width);
    out.Height = static_cast<UINT>(height);
    out.Format = D3DFMT_A8R8G8B8;
    out.ImageFileFormat = head[0] == 0x89 && head[1] == 'P'    ? D3DXIFF_PNG
                          : head[0] == 0xFF && head[1] == 0xD8 ? D3DXIFF_JPG
                          : head[0] == 'B' && head[1] == 'M'   ? D3DXIFF_BMP
                                                               : D3DXIFF_TGA;
    *info = out;
    return D3D_OK;
}
