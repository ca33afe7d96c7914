// Image loading into textures: power-of-two sizes, mip levels by box means, upload parameters
// (a file that cannot be read: ShaderNodeScene.AMissingTextureWarnsAndTheLayerFallsBackToNothing).
#include "ShaderNodeFixture.h"

#include "ShaderNode/MTexture.h"

#include <vornexhost/ViewportContext.h>

#include <GL/gl.h>

#include <bit>

namespace vx::test {
namespace {

TEST(MTexture, SizesRoundUpToPowersOfTwo) {
    const std::pair<unsigned, unsigned> cases[] = {{1, 1},     {2, 2},     {3, 4},     {200, 256},
                                                   {256, 256}, {300, 512}, {513, 1024}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(MTexture::nextPowerOfTwo(value), expected) << value;
}

// The rule as written: every texel of level L is the rounded mean of its block of the base.
std::vector<std::uint8_t> literalLevel(const std::vector<std::uint8_t>& base, unsigned width,
                                       unsigned height, unsigned level) {
    const unsigned w = std::max(1u, width >> level);
    const unsigned h = std::max(1u, height >> level);
    const unsigned blockW = width / w;
    const unsigned blockH = height / h;
    std::vector<std::uint8_t> out(std::size_t{w} * h * 4);
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x)
            for (unsigned c = 0; c < 4; ++c) {
                double sum = 0.0;
                for (unsigned by = 0; by < blockH; ++by)
                    for (unsigned bx = 0; bx < blockW; ++bx)
                        sum += base[((y * blockH + by) * width + x * blockW + bx) * 4 + c];
                out[(y * w + x) * 4 + c] = static_cast<std::uint8_t>(sum / (blockW * blockH) + 0.5);
            }
    return out;
}

TEST(MTexture, LevelsMatchTheLiteralBlockMeansByteForByte) {
    const std::pair<unsigned, unsigned> sizes[] = {{16, 4}, {4, 32}, {32, 32}, {1, 8}, {64, 2}};
    std::uint32_t seed = 12345;
    for (const auto& [width, height] : sizes) {
        std::vector<std::uint8_t> base(std::size_t{width} * height * 4);
        for (std::uint8_t& b : base) {
            seed = seed * 1664525u + 1013904223u;
            b = static_cast<std::uint8_t>(seed >> 24);
        }
        const auto levels = MTexture::buildLevels(base, width, height, true);
        ASSERT_EQ(levels.size(), static_cast<std::size_t>(std::bit_width(std::max(width, height))));
        for (unsigned level = 0; level < levels.size(); ++level)
            EXPECT_EQ(levels[level], literalLevel(base, width, height, level))
                << width << " x " << height << " level " << level;
        EXPECT_EQ(MTexture::buildLevels(base, width, height, false).size(), 1u);
    }
}

TEST(MTexture, AnImageOf300By200IsUploadedAs512By256WithItsMipLevels) {
    std::string error;
    ASSERT_NE(vornexhost::viewportContext(error), nullptr) << error;
    MTexture texture;
    EXPECT_NE(texture.name(), 0u);
    EXPECT_EQ(texture.minFilter(), GL_NEAREST);
    ASSERT_TRUE(texture.load(MString(shaderDataPath("size300x200.png"))));
    EXPECT_EQ(texture.width(), 512u);
    EXPECT_EQ(texture.height(), 256u);
    ASSERT_EQ(texture.levelCount(), 10u);
    EXPECT_TRUE(texture.hasMipmaps());
    for (unsigned level = 0; level < texture.levelCount(); ++level) {
        const std::size_t w = std::max(1u, 512u >> level);
        const std::size_t h = std::max(1u, 256u >> level);
        ASSERT_EQ(texture.level(level).size(), w * h * 4) << level;
    }
    // A plain image stays plain through the resize and the means.
    const auto& last = texture.level(9);
    EXPECT_EQ((std::vector<std::uint8_t>(last.begin(), last.end())),
              (std::vector<std::uint8_t>{200, 100, 50, 255}));
    EXPECT_EQ(texture.minFilter(), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(texture.magFilter(), GL_LINEAR);
    EXPECT_EQ(texture.wrapS(), GL_CLAMP);
    EXPECT_EQ(texture.wrapT(), GL_CLAMP);
    // What OpenGL holds is what was built.
    texture.bind();
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 9, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, 512);
    EXPECT_EQ(height, 1);
}

} // namespace
} // namespace vx::test
