#include "d3d9.h"
#include "d3dx9tex.h"

#include <stb_image.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::uint32_t littleEndian32(const unsigned char* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

} // namespace

HRESULT D3DXGetImageInfoFromFileA(const char* path, D3DXIMAGE_INFO* info) {
    if (!path || !info)
        return D3DERR_INVALIDCALL;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file)
        return D3DERR_NOTAVAILABLE;
    // DDS: "DDS ", then the 124-byte header whose height and width follow its size and flags.
    std::array<unsigned char, 32> head{};
    const std::size_t got = std::fread(head.data(), 1, head.size(), file.get());
    if (got >= 20 && std::memcmp(head.data(), "DDS ", 4) == 0) {
        D3DXIMAGE_INFO out;
        out.Height = littleEndian32(head.data() + 12);
        out.Width = littleEndian32(head.data() + 16);
        if (got >= 32)
            out.MipLevels = littleEndian32(head.data() + 28) ? littleEndian32(head.data() + 28) : 1;
        out.ImageFileFormat = D3DXIFF_DDS;
        if (out.Width == 0 || out.Height == 0)
            return D3DXERR_INVALIDDATA;
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
    out.ImageFileFormat = head[0] == 0x89 && head[1] == 'P'    ? D3DXIFF_PNG
                          : head[0] == 0xFF && head[1] == 0xD8 ? D3DXIFF_JPG
                          : head[0] == 'B' && head[1] == 'M'   ? D3DXIFF_BMP
                                                               : D3DXIFF_TGA;
    *info = out;
    return D3D_OK;
}
