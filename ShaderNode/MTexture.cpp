#include "ShaderNode/MTexture.h"

#include "Vornex/SceneFilePath.h"

#include <maya/MGlobal.h>
#include <maya/MImage.h>

#include <algorithm>

namespace vx {

MTexture::MTexture() {
    glGenTextures(1, &m_name);
}

MTexture::~MTexture() {
    if (m_name != 0)
        glDeleteTextures(1, &m_name);
}

unsigned MTexture::nextPowerOfTwo(unsigned value) {
    unsigned result = 1;
    while (result < value && result < (1u << 31))
        result <<= 1;
    return result;
}

std::vector<std::vector<std::uint8_t>> MTexture::buildLevels(const std::vector<std::uint8_t>& base,
                                                             unsigned width, unsigned height,
                                                             bool mipmaps) {
    unsigned count = 1;
    if (mipmaps)
        for (unsigned larger = std::max(width, height); larger > 1; larger >>= 1)
            ++count;
    std::vector<std::vector<std::uint8_t>> levels;
    levels.reserve(count);
    levels.push_back(base);
    for (unsigned level = 1; level < count; ++level) {
        const unsigned w = std::max(1u, width >> level);
        const unsigned h = std::max(1u, height >> level);
        const unsigned blockW = width / w;
        const unsigned blockH = height / h;
        const std::uint64_t texels = std::uint64_t{blockW} * blockH;
        std::vector<std::uint8_t> out(std::size_t{w} * h * 4);
        for (unsigned y = 0; y < h; ++y)
            for (unsigned x = 0; x < w; ++x)
                for (unsigned c = 0; c < 4; ++c) {
                    std::uint64_t sum = 0;
                    for (unsigned by = 0; by < blockH; ++by) {
                        const std::uint8_t* row =
                            base.data() + (std::size_t{y} * blockH + by) * width * 4;
                        for (unsigned bx = 0; bx < blockW; ++bx)
                            sum += row[(std::size_t{x} * blockW + bx) * 4 + c];
                    }
                    // Rounded to nearest: sum / texels + 0.5, truncated.
                    out[(std::size_t{y} * w + x) * 4 + c] =
                        static_cast<std::uint8_t>((2 * sum + texels) / (2 * texels));
                }
        levels.push_back(std::move(out));
    }
    return levels;
}

bool MTexture::load(const MString& path, bool mipmaps) {
    MImage image;
    unsigned width = 0;
    unsigned height = 0;
    const std::string file = resolveSceneFilePath(path.str()).string();
    if (!image.readFromFile(MString(file)) || !image.getSize(width, height)) {
        MGlobal::displayWarning(MString("In MTexture::load(), file not found: \"") + path + "\"");
        return false;
    }
    const unsigned potWidth = nextPowerOfTwo(width);
    const unsigned potHeight = nextPowerOfTwo(height);
    if ((potWidth != width || potHeight != height) &&
        !image.resize(static_cast<int>(potWidth), static_cast<int>(potHeight), false)) {
        MGlobal::displayWarning(MString("In MTexture::load(), cannot resize: \"") + path + "\"");
        return false;
    }
    m_width = potWidth;
    m_height = potHeight;
    const std::uint8_t* pixels = image.pixels();
    const std::vector<std::uint8_t> base(pixels, pixels + std::size_t{m_width} * m_height * 4);
    m_levels = buildLevels(base, m_width, m_height, mipmaps);
    m_hasMipmaps = m_levels.size() > 1;
    m_format = GL_RGBA;

    // Loading happens while a draw is being set up: leave the unit's binding as it was.
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glBindTexture(m_target, m_name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (unsigned level = 0; level < m_levels.size(); ++level)
        glTexImage2D(m_target, static_cast<GLint>(level), GL_RGBA,
                     static_cast<GLsizei>(std::max(1u, m_width >> level)),
                     static_cast<GLsizei>(std::max(1u, m_height >> level)), 0, m_format,
                     GL_UNSIGNED_BYTE, m_levels[level].data());
    m_minFilter = m_hasMipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR;
    m_magFilter = GL_LINEAR;
    m_wrapS = GL_CLAMP;
    m_wrapT = GL_CLAMP;
    bind();
    glBindTexture(m_target, static_cast<GLuint>(previous));
    return true;
}

void MTexture::bind() const {
    glBindTexture(m_target, m_name);
    glTexParameteri(m_target, GL_TEXTURE_MIN_FILTER, m_minFilter);
    glTexParameteri(m_target, GL_TEXTURE_MAG_FILTER, m_magFilter);
    glTexParameteri(m_target, GL_TEXTURE_WRAP_S, m_wrapS);
    glTexParameteri(m_target, GL_TEXTURE_WRAP_T, m_wrapT);
}

} // namespace vx
