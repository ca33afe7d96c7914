#pragma once
// One image loaded as an OpenGL 2D texture: its pixels resized to powers of two, its mip levels
// (box means of the base image), its texture name and sampling parameters.
#include <maya/MString.h>

#include <GL/gl.h>

#include <cstdint>
#include <vector>

namespace vx {

class MTexture {
public:
    // Generates the texture name at once (0 when no OpenGL context is current).
    MTexture();
    ~MTexture();
    MTexture(const MTexture&) = delete;
    MTexture& operator=(const MTexture&) = delete;

    // Reads the image file, resizes it to powers of two, builds the levels and uploads them.
    // A file that cannot be read shows the warning "In MTexture::load(), file not found: "
    // with the quoted path and gives false.
    bool load(const MString& path, bool mipmaps = true);

    // Binds the texture to the active unit's 2D target and applies its sampling parameters.
    void bind() const;

    unsigned width() const { return m_width; }
    unsigned height() const { return m_height; }
    bool hasMipmaps() const { return m_hasMipmaps; }
    unsigned levelCount() const { return static_cast<unsigned>(m_levels.size()); }
    // RGBA8 texels of a level, bottom row first: max(1, width >> level) by
    // max(1, height >> level).
    const std::vector<std::uint8_t>& level(unsigned index) const { return m_levels[index]; }
    GLuint name() const { return m_name; }
    GLint minFilter() const { return m_minFilter; }
    GLint magFilter() const { return m_magFilter; }
    GLint wrapS() const { return m_wrapS; }
    GLint wrapT() const { return m_wrapT; }

    // The level-count rule and the box means, on their own: `base` is width x height RGBA8
    // (both powers of two); level L's texel is the rounded mean of its 2^L x 2^L block
    // (the whole width or height once that side has shrunk to one texel).
    static std::vector<std::vector<std::uint8_t>> buildLevels(const std::vector<std::uint8_t>& base,
                                                              unsigned width, unsigned height,
                                                              bool mipmaps);
    // The smallest power of two not below `value` (value >= 1).
    static unsigned nextPowerOfTwo(unsigned value);

private:
    unsigned m_width = 0;
    unsigned m_height = 0;
    GLenum m_format = GL_RGBA;
    bool m_hasMipmaps = false;
    std::vector<std::vector<std::uint8_t>> m_levels;
    GLuint m_name = 0;
    GLenum m_target = GL_TEXTURE_2D;
    GLint m_minFilter = GL_NEAREST;
    GLint m_magFilter = GL_LINEAR;
    GLint m_wrapS = GL_REPEAT;
    GLint m_wrapT = GL_REPEAT;
};

} // namespace vx
