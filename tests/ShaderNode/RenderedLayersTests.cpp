// Renders of a plane under rscMeshShader through the host's viewport, compared with pictures
// worked out on paper; and the shared texture cache: one reference per node, released by the
// scene messages the nodes listen to, its entries following renames.
#include "ShaderNodeFixture.h"

#include "ShaderNode/LayerCombiner.h"
#include "ShaderNode/TextureCache.h"
#include "Vornex/GlExtensions.h"
#include "tests/host/HostTestSupport.h"

#include <vornexhost/Messages.h>

#include <maya/MFileIO.h>

#include <array>
#include <cstdlib>

namespace vx::test {
namespace {

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
