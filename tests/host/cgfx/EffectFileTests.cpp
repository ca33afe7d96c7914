#include "tests/Shared/Base/TestLogCapture.h"

#include <vornexhost/EffectFile.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vornexhost {
namespace {

const std::string kEffects = std::string(VORNEX_EXAMPLES_DIR) + "/rawdata/shaders/";

std::vector<std::string> namesAndTypes(const EffectFile& effect) {
    std::vector<std::string> out;
    for (const EffectParameter& parameter : effect.parameters())
        out.push_back(parameter.name + ":" + parameter.type);
    return out;
}

TEST(EffectFile, ShippedStaticMeshEffectListsItsLayersInOrder) {
    EffectFile effect;
    std::string error;
    ASSERT_TRUE(EffectFile::load(kEffects + "StaticMesh.fx", effect, error)) << error;
    EXPECT_EQ(namesAndTypes(effect),
              (std::vector<std::string>{
                  "WorldViewProjection:float4x4", "World:float4x4", "SunDirection:float3",
                  "Base:Color2DTexture", "Detail:Color2DTexture", "Dirt:Color2DTexture",
                  "Crack:Color2DTexture", "NDetail:NormalTexture", "NCrack:NormalTexture"}));
    const EffectParameter* base = effect.find("Base");
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(base->semantic, "DIFFUSE");
    EXPECT_EQ(base->annotations.at("ResourceName"), "base.dds");
    EXPECT_EQ(effect.find("vertexMain"), nullptr); // functions are not parameters
}

TEST(EffectFile, ShippedBundledAndSkinnedEffectsParse) {
    EffectFile bundled;
    EffectFile skinned;
    std::string error;
    ASSERT_TRUE(EffectFile::load(kEffects + "BundledMesh.fx", bundled, error)) << error;
    ASSERT_TRUE(EffectFile::load(kEffects + "SkinnedMesh.fx", skinned, error)) << error;
    EXPECT_EQ(namesAndTypes(bundled),
              (std::vector<std::string>{"WorldViewProjection:float4x4", "SunDirection:float3",
                                        "SpecularPower:float", "Diffuse:Color2DTexture",
                                        "NormalMap:NormalTexture", "ShadowMap:Color2DTexture"}));
    EXPECT_EQ(bundled.find("SpecularPower")->annotations.at("UIMin"), "1.0");
    EXPECT_EQ(namesAndTypes(skinned),
              (std::vector<std::string>{"ViewProjection:float4x4", "Bones:float4x3",
                                        "SunDirection:float3", "Diffuse:Color2DTexture",
                                        "NormalMap:NormalTexture"}));
}

TEST(EffectFile, TextureTypesFollowDimensionSemanticAndTheSampledTexture) {
    const std::string source =
        vx::test::readWholeFile(VORNEX_TEST_DATA_DIR "/host/cgfx/texture_types.fx");
    EffectFile effect;
    std::string error;
    ASSERT_TRUE(EffectFile::parse(source, "inline.fx", effect, error)) << error;
    EXPECT_EQ(namesAndTypes(effect),
              (std::vector<std::string>{"ramp:Color1DTexture", "volume:Color3DTexture",
                                        "screen:Color2DRectTexture", "sky:CubeTexture",
                                        "reflection:EnvTexture", "normalizer:NormalizationTexture",
                                        "height:BumpTexture", "envTexture:EnvTexture",
                                        "envSampler:EnvTexture", "a:float", "b:float"}));
    EXPECT_EQ(effect.find("b")->semantic, "Custom");
    for (const EffectParameter& parameter : effect.parameters())
        EXPECT_EQ(isTextureTypeName(parameter.type), parameter.type != "float") << parameter.name;
}

TEST(EffectFile, MalformedSourceNamesTheFileAndLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"float a;\n/* never closed", "bad.fx:2: unterminated comment"},
        {"float a;\nstring s = \"open;\n", "bad.fx:2: unterminated string"},
        {"float a\nfloat b;", "bad.fx:2: expected ';' before 'float'"},
        {"float4 f() {\n return 1;\n", "bad.fx:1: unbalanced '{'"},
        {"sampler2D s < string x = ; >;", "bad.fx:1: expected an annotation value before ';'"},
        {"float x = (1;\n", "bad.fx:1: unterminated initializer"},
        {"technique T pass", "bad.fx:1: expected '{' before 'pass'"},
    };
    for (const auto& [source, expected] : cases) {
        EffectFile effect;
        std::string error;
        EXPECT_FALSE(EffectFile::parse(source, "bad.fx", effect, error)) << source;
        EXPECT_EQ(error, expected) << source;
    }
    EffectFile effect;
    std::string error;
    EXPECT_FALSE(EffectFile::load("/nonexistent/none.fx", effect, error));
    EXPECT_EQ(error, "/nonexistent/none.fx: cannot read the effect file");
}

TEST(EffectFile, PathsResolveAsWrittenBesideTheSceneOrThroughTheSearchPath) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "vornex-effect-paths";
    fs::remove_all(root);
    fs::create_directories(root / "scenes" / "fx");
    fs::create_directories(root / "shaders");
    std::ofstream(root / "scenes" / "fx" / "Local.fx") << "float a;";
    std::ofstream(root / "shaders" / "StaticMesh.fx") << "float a;";

    const std::string scenes = (root / "scenes").string();
    const std::string search = "/nonexistent:" + (root / "shaders").string();
    EXPECT_EQ(resolveEffectPath((root / "shaders" / "StaticMesh.fx").string(), "", ""),
              (root / "shaders" / "StaticMesh.fx").string());
    EXPECT_EQ(resolveEffectPath("fx/Local.fx", scenes, ""), (root / "scenes/fx/Local.fx").string());
    EXPECT_EQ(resolveEffectPath("C:\\Art\\Shaders\\StaticMesh.fx", scenes, search),
              (root / "shaders" / "StaticMesh.fx").string());
    EXPECT_EQ(resolveEffectPath("D:/gone/Missing.fx", scenes, search), "");
    fs::remove_all(root);
}

} // namespace
} // namespace vornexhost
