#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/host/mesh/SceneFixture.h"

#include <vornexhost/Scene.h>

#include <maya/MGlobal.h>
#include <maya/MStringArray.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vornexhost::test {
namespace {

const std::string kEffects = std::string(VORNEX_EXAMPLES_DIR) + "/rawdata/shaders/";

class CgfxShaderCommandTest : public SceneTest {
protected:
    static void shaderWithEffect(const std::string& path) {
        load("createNode cgfxShader -n \"rock\";\n\tsetAttr \".s\" -type \"string\" \"" + path +
             "\";\n");
    }
    static std::vector<std::string> list(MStatus& status) {
        MStringArray names;
        status = MGlobal::executeCommand("cgfxShader -lp \"rock\"", names);
        std::vector<std::string> out;
        for (const MString& n : names)
            out.push_back(n.str());
        return out;
    }
};

// The node's type id and effect path are what the reader finds it by: CgfxReading.
TEST_F(CgfxShaderCommandTest, ListsParametersAndAnswersTheirTypes) {
    shaderWithEffect(kEffects + "StaticMesh.fx");
    EXPECT_EQ(objectOf(node("rock")).apiType(), MFn::kPluginHwShaderNode);
    MStatus status;
    EXPECT_EQ(list(status),
              (std::vector<std::string>{"WorldViewProjection", "World", "SunDirection", "Base",
                                        "Detail", "Dirt", "Crack", "NDetail", "NCrack"}));
    EXPECT_TRUE(status);
    MString type;
    ASSERT_TRUE(MGlobal::executeCommand("cgfxShader -p \"NDetail\" \"rock\"", type));
    EXPECT_EQ(type, "NormalTexture");
    ASSERT_TRUE(MGlobal::executeCommand("cgfxShader -p \"World\" \"rock\"", type));
    EXPECT_EQ(type, "float4x4");
    EXPECT_FALSE(MGlobal::executeCommand("cgfxShader -p \"Nothing\" \"rock\"", type));
    EXPECT_FALSE(MGlobal::executeCommand("cgfxShader -lp \"nobody\"", type));
    EXPECT_FALSE(MGlobal::executeCommand("cgfxShader \"rock\"", type));
}

// Effects found through the search path: CgfxReading, whose scenes name them by the artists'
// paths.
TEST_F(CgfxShaderCommandTest, EffectIsFoundBesideTheScene) {
    vx::test::TempDir dir;
    std::filesystem::create_directories(dir.file("scenes"));
    std::filesystem::copy_file(kEffects + "SkinnedMesh.fx", dir.file("scenes/Skin.fx"));
    activeScene().currentFile = dir.file("scenes/level.ma");
    shaderWithEffect("Skin.fx"); // relative: beside the scene file
    MStatus status;
    EXPECT_FALSE(list(status).empty());
    EXPECT_TRUE(status);
}

TEST_F(CgfxShaderCommandTest, UnreadableEffectMakesTheListingFail) {
    vx::test::TempDir dir;
    shaderWithEffect(dir.file("missing.fx"));
    MStatus status;
    EXPECT_TRUE(list(status).empty());
    EXPECT_FALSE(status);
    ASSERT_FALSE(errors.empty());
    EXPECT_NE(errors.back().find("missing.fx"), std::string::npos) << errors.back();

    std::ofstream(dir.file("broken.fx")) << "float4 colour = {1, 2";
    resetScene();
    shaderWithEffect(dir.file("broken.fx"));
    list(status);
    EXPECT_FALSE(status);
}

} // namespace
} // namespace vornexhost::test
