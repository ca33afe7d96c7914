#include "device/TextureStorage.h"

#include <algorithm>

namespace vornexgfx {

UINT fullMipChain(UINT width, UINT height) {
    UINT levels = 1;
    for (UINT side = std::max(width, height); side > 1; side >>= 1)
        ++levels;
    return levels;
}

TextureStorage::TextureStorage(std::shared_ptr<RenderCore> core, const TextureDesc& desc)
    : m_core(std::move(core)), m_desc(desc) {
    m_core->use();
    glCreateTextures(GL_TEXTURE_2D, 1, &m_name);
    glTextureStorage2D(m_name, static_cast<GLsizei>(desc.levels), GL_RGBA8,
                       static_cast<GLsizei>(desc.width), static_cast<GLsizei>(desc.height));
    glTextureParameteri(m_name, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(desc.levels - 1));
    const bool opaque = desc.format == D3DFMT_X8R8G8B8;
    if (opaque)
        glTextureParameteri(m_name, GL_TEXTURE_SWIZZLE_A, GL_ONE);
    const GLubyte start[4] = {0, 0, 0, static_cast<GLubyte>(opaque ? 255 : 0)};
    for (UINT level = 0; level < desc.levels; ++level)
        glClearTexImage(m_name, static_cast<GLint>(level), GL_RGBA, GL_UNSIGNED_BYTE, start);
}

TextureStorage::~TextureStorage() {
    m_core->use();
    glDeleteTextures(1, &m_name);
}

UINT TextureStorage::levelWidth(UINT level) const {
    return std::max(1u, m_desc.width >> level);
}

UINT TextureStorage::levelHeight(UINT level) const {
    return std::max(1u, m_desc.height >> level);
}

vximage::RgbaImage TextureStorage::read(UINT level) const {
    vximage::RgbaImage image;
    image.width = levelWidth(level);
    image.height = levelHeight(level);
    image.pixels.resize(std::size_t{image.width} * image.height * 4);
    m_core->use();
    glGetTextureImage(m_name, static_cast<GLint>(level), GL_RGBA, GL_UNSIGNED_BYTE,
                      static_cast<GLsizei>(image.pixels.size()), image.pixels.data());
    return image;
}

void TextureStorage::write(UINT level, const vximage::RgbaImage& image) {
    const vximage::RgbaImage* source = &image;
    vximage::RgbaImage opaque;
    if (m_desc.format == D3DFMT_X8R8G8B8) {
        opaque = image;
        for (std::size_t i = 3; i < opaque.pixels.size(); i += 4)
            opaque.pixels[i] = 255;
        source = &opaque;
    }
    m_core->use();
    glTextureSubImage2D(m_name, static_cast<GLint>(level), 0, 0,
                        static_cast<GLsizei>(source->width), static_cast<GLsizei>(source->height),
                        GL_RGBA, GL_UNSIGNED_BYTE, source->pixels.data());
}

void TextureStorage::generateMips() {
    if (m_desc.levels < 2)
        return;
    m_core->use();
    glGenerateTextureMipmap(m_name);
}

} // namespace vornexgfx
