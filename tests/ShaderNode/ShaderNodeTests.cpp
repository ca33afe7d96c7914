// The viewport shader node: image loading into textures (power-of-two sizes, mip levels by box
// means, upload parameters); renders of a plane under rscMeshShader through the host's
// viewport, compared with pictures worked out on paper; and the shared texture cache: one
// reference per node, released by the scene messages the nodes listen to, its entries following
// renames.
#include "ShaderNodeFixture.h"

#include "ShaderNode/LayerCombiner.h"
#include "ShaderNode/MTexture.h"
#include "ShaderNode/TextureCache.h"
#include "Vornex/GlExtensions.h"
#include "tests/host/HostTestSupport.h"

#include <vornexhost/Messages.h>
#include <vornexhost/ViewportContext.h>

#include <maya/MFileIO.h>

#include <GL/gl.h>

#include <array>
#include <bit>
#include <cstdlib>

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

int imageDifference(const vornexhost::RenderedImage& a, const vornexhost::RenderedImage& b) {
    if (a.rgba.size() != b.rgba.size())
        return 256;
    int worst = 0;
    for (std::size_t i = 0; i < a.rgba.size(); ++i)
        worst = std::max(worst, std::abs(int(a.rgba[i]) - int(b.rgba[i])));
    return worst;
}

// Largest difference of one colour component from one colour over the whole image.
int uniformDifference(const vornexhost::RenderedImage& image, std::array<int, 3> rgb) {
    if (image.rgba.empty())
        return 256;
    int worst = 0;
    for (std::size_t i = 0; i < image.rgba.size(); i += 4)
        for (std::size_t c = 0; c < 3; ++c)
            worst = std::max(worst, std::abs(int(image.rgba[i + c]) - rgb[c]));
    return worst;
}

std::array<bool, 4> textured(const rscMeshShader* node) {
    return node ? node->lastLayers().textured : std::array<bool, 4>{true, true, true, true};
}

TEST_F(ShaderNodeScene, WithoutConnectionsTheNodeDrawsItsColourWithEveryUnitDisabled) {
    EXPECT_LE(maxDifference(render(), "expected_constant.png"), kTolerance);
    EXPECT_EQ(textured(groundMaterial()), (std::array<bool, 4>{false, false, false, false}));
}

// The plane has one UV set, map1: units 1 to 3 read it too, or their quadrant would not land
// where the picture has it.
TEST_F(ShaderNodeScene, EachLayerAloneChangesItsOwnQuadrantThroughTheOneUvSet) {
    struct Case {
        const char* attribute;
        const char* file;
        const char* expected;
        unsigned unit;
    };
    const Case cases[] = {{"color", "colorFile", "expected_color.png", 0},
                          {"detail", "detailFile", "expected_detail.png", 1},
                          {"crack", "crackFile", "expected_crack.png", 2},
                          {"dirt", "dirtFile", "expected_dirt.png", 3},
                          // Fragments with alpha at most five percent are discarded.
                          {"color", "alphaFile", "expected_alpha.png", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        openLayerScene();
        mel(std::string("connectAttr ") + c.file + ".outColor groundMaterial." + c.attribute);
        EXPECT_LE(maxDifference(render(), c.expected), kTolerance);
        std::array<bool, 4> only{};
        only[c.unit] = true;
        EXPECT_EQ(textured(groundMaterial()), only);
    }
}

TEST_F(ShaderNodeScene, ASwitchPicksTheColourOfTheDrawnShapeElseItsDefault) {
    mel("createNode tripleShadingSwitch -n pick; "
        "setAttr pick.input[0].inTriple 0 1 0; setAttr pick.default 0 0 1; "
        "connectAttr groundShape.instObjGroups[0] pick.input[0].inShape; "
        "connectAttr pick.output groundMaterial.color");
    EXPECT_LE(uniformDifference(render(), {0, 255, 0}), kTolerance);
    mel("disconnectAttr groundShape.instObjGroups[0] pick.input[0].inShape");
    EXPECT_LE(uniformDifference(render(), {0, 0, 255}), kTolerance);
    mel("connectAttr detailFile.outColor pick.default");
    EXPECT_LE(maxDifference(render(), "layer_detail.png"), kTolerance);
}

TEST_F(ShaderNodeScene, AMissingTextureWarnsAndTheLayerFallsBackToNothing) {
    mel("setAttr colorFile.fileTextureName -type \"string\" \"missing.png\"; "
        "connectAttr colorFile.outColor groundMaterial.color; "
        "connectAttr detailFile.outColor groundMaterial.detail");
    vornexhost::test::ScriptCapture capture;
    const vornexhost::RenderedImage image = render();
    EXPECT_TRUE(capture.contains("// Warning: In MTexture::load(), file not found: "
                                 "\"missing.png\" //"));
    // Drawing went on: the colour layer is white (neutral) under the detail texture.
    EXPECT_LE(maxDifference(image, "layer_detail.png"), kTolerance);
    EXPECT_EQ(textured(groundMaterial()), (std::array<bool, 4>{false, true, false, false}));
}

TEST_F(ShaderNodeScene, ATextureEditedBetweenRendersIsReloadedThroughTheDirtyCallback) {
    mel("connectAttr colorFile.outColor groundMaterial.color");
    EXPECT_LE(maxDifference(render(), "expected_color.png"), kTolerance);
    mel("setAttr colorFile.fileTextureName -type \"string\" \"" + shaderDataPath("edited.png") +
        "\"");
    EXPECT_LE(uniformDifference(render(), {30, 90, 150}), kTolerance);
    ASSERT_NE(TextureCache::instance(), nullptr);
    EXPECT_EQ(TextureCache::instance()->entryCount(), 1u);
}

// Mesa has no register combiners: the load report says so, and the node draws anyway, the same
// picture on the GLSL path and on the texture environment.
TEST_F(ShaderNodeScene, EveryCombinerPathTheContextOffersDrawsTheSamePicture) {
    EXPECT_NE(s_extensionReport.find("Initialized GL_ARB_multitexture\n"), std::string::npos)
        << s_extensionReport;
    EXPECT_NE(s_extensionReport.find("Failed to initialize GL_NV_register_combiners!\n"),
              std::string::npos)
        << s_extensionReport;
    EXPECT_FALSE(isGlExtensionLoaded("GL_NV_register_combiners"));
    EXPECT_EQ(glEntryPoints().glCombinerInputNV, nullptr);
    EXPECT_EQ(chooseCombinerPath(), CombinerPath::Glsl);

    mel("connectAttr colorFile.outColor groundMaterial.color; "
        "connectAttr detailFile.outColor groundMaterial.detail; "
        "connectAttr crackFile.outColor groundMaterial.crack; "
        "connectAttr dirtFile.outColor groundMaterial.dirt; "
        "setAttr groundMaterial.NDetail 1 0.5 1");
    const vornexhost::RenderedImage glsl = render();
    const CombinerPath fixed = CombinerPath::TextureEnvironment;
    forceCombinerPath(&fixed);
    const vornexhost::RenderedImage environment = render();
    forceCombinerPath(nullptr);
    EXPECT_LE(imageDifference(glsl, environment), kTolerance);
    // All four quadrants are darkened, each by its layer, and the tint halves green.
    ASSERT_EQ(glsl.rgba.size(), 32u * 32u * 4u);
    const std::size_t topLeft = (8 * 32 + 8) * 4;
    EXPECT_NEAR(glsl.rgba[topLeft + 0], 200, kTolerance);
    EXPECT_NEAR(glsl.rgba[topLeft + 1], 20, kTolerance);
    EXPECT_NEAR(glsl.rgba[topLeft + 2], 40, kTolerance);
}

TEST_F(ShaderNodeScene, NodesShareOneCacheThatGoesWithTheSceneAndItsCallbacks) {
    MFileIO::newFile(true);
    ASSERT_EQ(TextureCache::instance(), nullptr);
    const unsigned callbacksBefore = vornexhost::callbackCount();

    openLayerScene();
    mel("createNode rscMeshShader -n secondMaterial; "
        "connectAttr colorFile.outColor groundMaterial.color");
    ASSERT_NE(TextureCache::instance(), nullptr);
    EXPECT_EQ(TextureCache::instance()->referenceCount(), 2u);
    render();
    EXPECT_TRUE(TextureCache::instance()->hasEntry("colorFile"));
    // Four scene callbacks per node, two node callbacks for the loaded texture.
    EXPECT_EQ(vornexhost::callbackCount(), callbacksBefore + 4 * 2 + 2);

    // A new scene: every node lets go once, the cache goes with its callbacks.
    MFileIO::newFile(true);
    EXPECT_EQ(TextureCache::instance(), nullptr);
    EXPECT_EQ(vornexhost::callbackCount(), callbacksBefore);
}

TEST_F(ShaderNodeScene, ARenamedTextureNodeKeepsItsEntry) {
    mel("connectAttr colorFile.outColor groundMaterial.color");
    render();
    TextureCache* cache = TextureCache::instance();
    ASSERT_NE(cache, nullptr);
    ASSERT_TRUE(cache->hasEntry("colorFile"));
    mel("rename colorFile baseFile");
    EXPECT_FALSE(cache->hasEntry("colorFile"));
    EXPECT_TRUE(cache->hasEntry("baseFile"));
    render();
    EXPECT_EQ(cache->entryCount(), 1u);
}

} // namespace
} // namespace vx::test
