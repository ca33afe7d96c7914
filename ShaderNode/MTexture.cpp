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
    // Exact block sums, each level's from the one before (2 x 2, or 2 x 1 once a side is one
    // texel), so that the whole chain costs one pass over the base; the rounding is applied to
    // each level's sums, never carried into the next.
    std::vector<std::uint32_t> sums(base.begin(), base.end());
    unsigned w = width;
    unsigned h = height;
    for (unsigned level = 1; level < count; ++level) {
        const unsigned nextW = std::max(1u, w >> 1);
        const unsigned nextH = std::max(1u, h >> 1);
        const unsigned stepX = w / nextW;
        const unsigned stepY = h / nextH;
        std::vector<std::uint32_t> next(std::size_t{nextW} * nextH * 4, 0);
        for (unsigned y = 0; y < nextH; ++y)
            for (unsigned x = 0; x < nextW; ++x)
                for (unsigned by = 0; by < stepY; ++by)
                    for (unsigned bx = 0; bx < stepX; ++bx) {
                        const std::uint32_t* from =
                            &sums[((std::size_t{y} * stepY + by) * w + x * stepX + bx) * 4];
                        std::uint32_t* to = &next[(std::size_t{y} * nextW + x) * 4];
                        for (unsigned c = 0; c < 4; ++c)
                            to[c] += from[c];
                    }
        const std::uint64_t texels = std::uint64_t{width / nextW} * (height / nextH);
        std::vector<std::uint8_t> out(next.size());
        // Rounded to nearest: sum / texels + 0.5, truncated.
        for (std::size_t i = 0; i < next.size(); ++i)
            out[i] =
                static_cast<std::uint8_t>((2 * std::uint64_t{next[i]} + texels) / (2 * texels));
        levels.push_back(std::move(out));
        sums = std::move(next);
        w = nextW;
        h = nextH;
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
