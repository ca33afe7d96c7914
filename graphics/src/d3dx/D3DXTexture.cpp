#include "Shared/Base/File/FileReads.h"
#include "d3dx9tex.h"

#include "device/Device.h"
#include "device/FailureReason.h"
#include "device/Texture.h"
#include "device/TextureFormats.h"
#include "vximage/DdsCodec.h"
#include "vximage/ImageDecoder.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using namespace vornexgfx;

D3DXIMAGE_FILEFORMAT fileKind(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() >= 4 && std::memcmp(bytes.data(), "DDS ", 4) == 0)
        return D3DXIFF_DDS;
    if (bytes.size() >= 2 && bytes[0] == 0x89 && bytes[1] == 'P')
        return D3DXIFF_PNG;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8)
        return D3DXIFF_JPG;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return D3DXIFF_BMP;
    return D3DXIFF_TGA;
}

bool defaultSize(UINT size) {
    return size == 0 || size == D3DX_DEFAULT || size == D3DX_DEFAULT_NONPOW2;
}

// The content a texture of a block format holds: what its blocks decode to.
void quantise(vximage::RgbaImage& image, D3DFORMAT format) {
    const vximage::DdsFormat layout = ddsFormatOf(format);
    std::vector<std::uint8_t> blocks(vximage::ddsLevelBytes(layout, image.width, image.height));
    vximage::packDdsLevel(layout, image, blocks.data());
    vximage::unpackDdsLevel(layout, blocks.data(), image);
}

bool inside(const RECT& r, const Surface& s) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
           static_cast<UINT>(r.right) <= s.width() && static_cast<UINT>(r.bottom) <= s.height();
}

} // namespace

HRESULT D3DXCreateTextureFromFileExA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile, UINT Width,
                                     UINT Height, UINT MipLevels, DWORD Usage, D3DFORMAT Format,
                                     D3DPOOL Pool, DWORD, DWORD, D3DCOLOR ColorKey,
                                     D3DXIMAGE_INFO* pSrcInfo, PALETTEENTRY*,
                                     LPDIRECT3DTEXTURE9* ppTexture) {
    if (!ppTexture || !pSrcFile)
        return D3DERR_INVALIDCALL;
    *ppTexture = nullptr;
    auto* device = dynamic_cast<Device*>(pDevice);
    if (!device || !device->core())
        return D3DERR_INVALIDCALL;
    const std::string path = pSrcFile;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return failWith(D3DXERR_INVALIDDATA, path + ": cannot open the file");
    vx::recordFileRead(path.c_str());
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                          std::istreambuf_iterator<char>()};
    if (file.bad())
        return failWith(D3DXERR_INVALIDDATA, path + ": cannot read the file");
    vximage::RgbaImage image;
    std::string error;
    if (!vximage::decodeImage(bytes.data(), bytes.size(), image, error))
        return failWith(D3DXERR_INVALIDDATA, path + ": " + error);

    D3DXIMAGE_INFO info;
    info.Width = image.width;
    info.Height = image.height;
    info.Format = D3DFMT_A8R8G8B8;
    info.ImageFileFormat = fileKind(bytes);
    if (info.ImageFileFormat == D3DXIFF_DDS) {
        vximage::DdsHeader header;
        vximage::readDdsHeader(bytes.data(), bytes.size(), header, error); // decoded above
        info.Format = d3dFormatOf(header.format);
        info.MipLevels = header.mipLevels;
    }
    if ((!defaultSize(Width) && Width != image.width) ||
        (!defaultSize(Height) && Height != image.height))
        return failWith(D3DERR_INVALIDCALL, path + ": scaling the " + std::to_string(image.width) +
                                                "x" + std::to_string(image.height) +
                                                " image is not offered");
    const UINT levels = MipLevels == D3DX_DEFAULT ? 0 : MipLevels == D3DX_FROM_FILE ? 1 : MipLevels;
    const D3DFORMAT format = Format == D3DFMT_UNKNOWN ? info.Format : Format;
    Texture* texture =
        device->createTexture(image.width, image.height, levels, Usage, format, Pool);
    if (!texture)
        return failWith(D3DERR_INVALIDCALL,
                        path + ": the device offers no texture of this size, format and usage");
    bool changed = false;
    if (ColorKey != 0) {
        for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
            std::uint8_t* p = image.pixels.data() + i;
            if (D3DCOLOR_ARGB(p[3], p[0], p[1], p[2]) == ColorKey) {
                std::memset(p, 0, 4);
                changed = true;
            }
        }
    }
    // Blocks read from a file of the same format are kept as they decoded.
    if (isBlockFormat(format) && (changed || format != info.Format))
        quantise(image, format);
    texture->storage().write(0, image);
    texture->storage().generateMips();
    if (pSrcInfo)
        *pSrcInfo = info;
    *ppTexture = texture;
    return D3D_OK;
}

HRESULT D3DXLoadSurfaceFromSurface(LPDIRECT3DSURFACE9 pDestSurface, const PALETTEENTRY*,
                                   const RECT* pDestRect, LPDIRECT3DSURFACE9 pSrcSurface,
                                   const PALETTEENTRY*, const RECT* pSrcRect, DWORD Filter,
                                   D3DCOLOR ColorKey) {
    auto* dst = dynamic_cast<Surface*>(pDestSurface);
    auto* src = dynamic_cast<Surface*>(pSrcSurface);
    if (!dst || !src || ColorKey != 0 || &dst->storage().core() != &src->storage().core())
        return D3DERR_INVALIDCALL;
    const RECT to =
        pDestRect ? *pDestRect
                  : RECT{0, 0, static_cast<LONG>(dst->width()), static_cast<LONG>(dst->height())};
    const RECT from =
        pSrcRect ? *pSrcRect
                 : RECT{0, 0, static_cast<LONG>(src->width()), static_cast<LONG>(src->height())};
    if (!inside(to, *dst) || !inside(from, *src))
        return D3DERR_INVALIDCALL;
    RenderCore& core = dst->storage().core();
    core.use();
    const GLuint srcName = src->storage().name();
    const GLuint dstName = dst->storage().name();
    const auto srcLevel = static_cast<GLint>(src->level());
    const auto dstLevel = static_cast<GLint>(dst->level());
    const GLuint draw = core.drawFramebuffer();
    if (to.right - to.left == from.right - from.left &&
        to.bottom - to.top == from.bottom - from.top) {
        glCopyImageSubData(srcName, GL_TEXTURE_2D, srcLevel, from.left, from.top, 0, dstName,
                           GL_TEXTURE_2D, dstLevel, to.left, to.top, 0, from.right - from.left,
                           from.bottom - from.top, 1);
        glNamedFramebufferTexture(draw, GL_COLOR_ATTACHMENT0, dstName, dstLevel);
    } else {
        const GLuint read = core.readFramebuffer();
        glNamedFramebufferTexture(read, GL_COLOR_ATTACHMENT0, srcName, srcLevel);
        glNamedFramebufferReadBuffer(read, GL_COLOR_ATTACHMENT0);
        glNamedFramebufferTexture(draw, GL_COLOR_ATTACHMENT0, dstName, dstLevel);
        glNamedFramebufferDrawBuffer(draw, GL_COLOR_ATTACHMENT0);
        const bool nearest = Filter == D3DX_FILTER_POINT || Filter == D3DX_FILTER_NONE;
        glBlitNamedFramebuffer(read, draw, from.left, from.top, from.right, from.bottom, to.left,
                               to.top, to.right, to.bottom, GL_COLOR_BUFFER_BIT,
                               nearest ? GL_NEAREST : GL_LINEAR);
    }
    if (dst->storage().desc().format == D3DFMT_X8R8G8B8) {
        // X8R8G8B8 storage keeps alpha at 255, so later copies out of it stay opaque.
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, draw);
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
        glEnable(GL_SCISSOR_TEST);
        glScissor(to.left, to.top, to.right - to.left, to.bottom - to.top);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    }
    return glGetError() == GL_NO_ERROR ? D3D_OK : D3DERR_DRIVERINTERNALERROR;
}

HRESULT D3DXSaveTextureToFileA(LPCSTR pDestFile, D3DXIMAGE_FILEFORMAT DestFormat,
                               LPDIRECT3DBASETEXTURE9 pSrcTexture, const PALETTEENTRY*) {
    auto* texture = dynamic_cast<Texture*>(pSrcTexture);
    if (!pDestFile || !texture)
        return D3DERR_INVALIDCALL;
    const std::string path = pDestFile;
    if (DestFormat != D3DXIFF_DDS)
        return failWith(D3DERR_INVALIDCALL, path + ": only DDS files are written");
    const TextureStorage& storage = texture->storage();
    std::vector<vximage::RgbaImage> levels;
    for (UINT level = 0; level < storage.desc().levels; ++level)
        levels.push_back(storage.read(level));
    const std::vector<std::uint8_t> bytes =
        vximage::encodeDds(ddsFormatOf(storage.desc().format), levels);
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(partial.c_str());
            return failWith(E_FAIL, path + ": cannot write the file");
        }
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        return failWith(E_FAIL, path + ": cannot write the file");
    }
    return D3D_OK;
}
