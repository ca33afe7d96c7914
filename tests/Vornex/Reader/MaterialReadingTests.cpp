// Shading engines, material kinds and their channels, layered shaders and textures, file
// textures with their images and UV sets, and the failures of malformed networks.
#include "Shared/Graphics/Scene/ChannelValue.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Vornex/Reader/LayerBlending.h"
#include "Vornex/Reader/MaterialUvSets.h"
#include "Vornex/VornexException.h"
#include "tests/Vornex/Reader/ReaderTestSupport.h"

#include <gmock/gmock.h>

#include <numbers>

namespace vx::test {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;
using ::testing::ThrowsMessage;

class MaterialReading : public ReaderSceneTest {
protected:
    std::shared_ptr<Material> engine(const std::string& name) { return engineMaterial(name); }
};

std::unique_ptr<ChannelValue> rgba(float r, float g, float b, float a) {
    return std::make_unique<ColorValue>(r, g, b, a);
}

std::vector<std::string> channelNames(const Material& material) {
    std::vector<std::string> names;
    for (const auto& [name, value] : material.channels())
        names.push_back(name);
    return names;
}

const TextureValue& textureOf(const ChannelValue* value) {
    if (!value || value->kind() != ChannelValueKind::Texture)
        throw std::runtime_error("not a texture");
    return static_cast<const TextureValue&>(*value);
}

TEST_F(MaterialReading, LambertReadsSevenRowsBlinnTwelveAndAFileTextureItsSettings) {
    open("materials.ma");
    const auto paint = engine("paintSG");
    ASSERT_TRUE(paint);
    EXPECT_EQ(paint->m_name, "paint");
    EXPECT_FALSE(paint->isHardwareShader());
    // No bump connection: the bump channel stays unset, and nothing is reported for it.
    EXPECT_EQ(channelNames(*paint),
              (std::vector<std::string>{"alpha", "ambient", "color", "diffuse", "incandescence",
                                        "translucence"}));
    EXPECT_EQ(*paint->getChannel("alpha"), *rgba(0, 0, 0, 1));
    EXPECT_EQ(*paint->getChannel("ambient"), *rgba(0.1f, 0.2f, 0.3f, 1));
    EXPECT_EQ(*paint->getChannel("diffuse"), *rgba(0.7f, 0.7f, 0.7f, 1));
    EXPECT_EQ(*paint->getChannel("translucence"), *rgba(0.1f, 0.1f, 0.1f, 1));
    const TextureValue& color = textureOf(paint->getChannel("color"));
    EXPECT_EQ(color.m_fileName, "textures/checker.tga");
    EXPECT_EQ(color.m_filterType, 1);
    EXPECT_EQ(color.m_namedValues.getBool("wrapU"), false);
    EXPECT_EQ(color.m_namedValues.getBool("wrapV"), true);
    EXPECT_FLOAT_EQ(color.m_rotateUV, std::numbers::pi_v<float> / 2);
    EXPECT_EQ(color.m_offsetU, 0.25f);
    EXPECT_EQ(color.m_offsetV, 0.5f);
    EXPECT_FALSE(color.m_image);                   // images only with includeImages
    EXPECT_EQ(paint->getFloat("zephGloss"), 0.5f); // the artist's extra attribute
    EXPECT_EQ(countReports("Bump mapping channel not set in <"), 0u);
    EXPECT_EQ(reader.warningCount(), 0u);

    // Read once: a second engine read gives the same material without reading it again.
    EXPECT_EQ(engine("paintSG"), paint);
    EXPECT_EQ(countReports("Parsing material <paint>"), 1u);
    EXPECT_EQ(countReports("Parsing shader engine: <paintSG>"), 2u);

    // A blinn reads all twelve rows.
    const auto chrome = engine("chromeSG");
    ASSERT_TRUE(chrome);
    EXPECT_EQ(chrome->channels().size(), 11u); // every row but the unconnected bump
    EXPECT_EQ(*chrome->getChannel("color"), *rgba(0.8f, 0.8f, 0.9f, 1));
    EXPECT_EQ(*chrome->getChannel("eccentricity"), *rgba(0.3f, 0.3f, 0.3f, 1));
    EXPECT_EQ(*chrome->getChannel("specularRollOff"), *rgba(0.7f, 0.7f, 0.7f, 1));
    EXPECT_EQ(*chrome->getChannel("specularColor"), *rgba(1, 1, 1, 1));
    EXPECT_EQ(*chrome->getChannel("reflectivity"), *rgba(0.9f, 0.9f, 0.9f, 1));
    EXPECT_EQ(*chrome->getChannel("reflectedColor"), *rgba(0, 0, 0, 1));
}

TEST_F(MaterialReading, LayeredShadersAndTexturesBlendTheirLayersWithTheCompositingMode) {
    open("materials.ma");
    const auto coat = engine("coatSG");
    const auto paint = engine("paintSG");
    const auto chrome = engine("chromeSG");
    ASSERT_TRUE(coat && paint && chrome);
    // Layer 0 (paint) fills the channels, layer 1 (chrome) is blended over them.
    const CombinedValue color(
        13, std::make_unique<PairValue>(chrome->getChannel("color")->clone(), rgba(0, 0, 0, 1)),
        paint->getChannel("color")->clone());
    EXPECT_EQ(*coat->getChannel("color"), color);
    EXPECT_EQ(*coat->getChannel("specularColor"), *chrome->getChannel("specularColor"));
    EXPECT_EQ(coat->getChannel("bumpmap"), nullptr);

    const auto plain = engine("coatPlainSG");
    ASSERT_TRUE(plain);
    const auto& combined = static_cast<const CombinedValue&>(*plain->getChannel("diffuse"));
    EXPECT_EQ(combined.m_mode, 14);

    // Layered textures nest their visible layers.
    const auto mixed = engine("mixedSG");
    ASSERT_TRUE(mixed);
    // The file texture node is shared with "paint": this reader gets an equal copy.
    const CombinedValue expected(
        6, std::make_unique<PairValue>(rgba(0.9f, 0.9f, 0.9f, 1), rgba(0.25f, 0.25f, 0.25f, 0.25f)),
        std::make_unique<CombinedValue>(
            1, std::make_unique<PairValue>(rgba(0.2f, 0.3f, 0.4f, 1), rgba(0.5f, 0.5f, 0.5f, 0.5f)),
            std::make_unique<PairValue>(paint->getChannel("color")->clone(), rgba(1, 1, 1, 1))));
    EXPECT_EQ(*mixed->getChannel("color"), expected);

    const auto bumpy = engine("bumpySG");
    ASSERT_TRUE(bumpy);
    EXPECT_EQ(textureOf(bumpy->getChannel("bumpmap")).m_fileName, "textures/checker.tga");
}

TEST_F(MaterialReading, ACycleIsReportedOnceAndGivesNoMaterial) {
    open("materials.ma");
    EXPECT_EQ(engine("loopSG"), nullptr);
    EXPECT_THAT(reportsStartingWith("Recursive"),
                ElementsAre("Recursive (cyclic) material definition <loop>"));
    EXPECT_EQ(countReports("No material attached to <loopSG>"), 1u);
    EXPECT_EQ(reader.warningCount(), 2u);
    // The failed node is not read again.
    EXPECT_EQ(engine("loopSG"), nullptr);
    EXPECT_EQ(countReports("Recursive"), 1u);
}

TEST_F(MaterialReading, UnsupportedKindsAndUnconnectedEnginesAreWarnings) {
    open("materials.ma");
    const auto odd = engine("oddSG");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->getChannel("color"), nullptr);
    EXPECT_EQ(engine("flatSG"), nullptr);
    EXPECT_EQ(engine("emptySG"), nullptr);
    std::vector<std::string> texts;
    for (const std::string& line : reports)
        if (line.rfind("Warning(", 0) == 0)
            texts.push_back(line.substr(line.find("): ") + 3));
    EXPECT_THAT(texts, ElementsAre("Using unsupported maya texture type <checker> in <checker1>",
                                   "Color channel not set in <odd>",
                                   StartsWith("Material <flat> is of unsupported type <"),
                                   "No material attached to <flatSG>",
                                   "Shaderengine <emptySG> has no surface shader connected"));
    EXPECT_EQ(reader.warningCount(), 5u);
}

TEST_F(MaterialReading, ImagesLoadOncePerPathAndMissingFilesKeepTheirPath) {
    open("materials.ma", kReportInfo | kIncludeImages);
    const auto paint = engine("paintSG");
    const auto bumpy = engine("bumpySG"); // the same image file again
    const auto ghost = engine("ghostSG");
    ASSERT_TRUE(paint && bumpy && ghost);
    const TextureValue& color = textureOf(paint->getChannel("color"));
    ASSERT_TRUE(color.m_image);
    EXPECT_EQ(color.m_image->m_width, 2u);
    EXPECT_EQ(color.m_image->m_height, 2u);
    EXPECT_EQ(color.m_image->m_pixels.size(), 16u);
    EXPECT_EQ(textureOf(bumpy->getChannel("bumpmap")).m_image, color.m_image);
    EXPECT_EQ(countReports("Loaded Tga image <textures/checker.tga>"), 1u);

    const TextureValue& missing = textureOf(ghost->getChannel("color"));
    EXPECT_EQ(missing.m_fileName, "textures/missing.tga");
    EXPECT_FALSE(missing.m_image);
    EXPECT_EQ(countReports("Texture <textures/missing.tga> not found"), 1u);
}

TEST_F(MaterialReading, MalformedNetworksEndTheRead) {
    open("materials.ma");
    EXPECT_THAT([&] { engine("blurredSG"); }, ThrowsMessage<VornexException>(StartsWith(
                                                  "Unknown filter type in <blurredFile> (")));
    EXPECT_THAT([&] { engine("strangeSG"); },
                ThrowsMessage<VornexException>(
                    StartsWith("Unsupported maya blending mode in <strangeMix> (")));
}

TEST_F(MaterialReading, AUvChooserNamesTheMeshesSecondSetAndTheMeshReadsItsUvs) {
    read("materials.ma");
    const UtilMeshNode& ground = meshNode("groundShape");
    const Material& baked = *ground.mesh()->m_groups[0].m_material;
    EXPECT_EQ(textureOf(baked.getChannel("color")).m_namedValues.getText("groundShape"),
              "lightmap");
    const VertexBuffer& buffer = vertices(ground);
    EXPECT_EQ(buffer.m_texts, std::vector<std::string>{"lightmap"});
    ASSERT_EQ(buffer.uvSetCount(), 1u);
    std::vector<UvCoord> uvs = buffer.m_uvSets[0];
    std::sort(uvs.begin(), uvs.end(), [](const UvCoord& a, const UvCoord& b) {
        return a.u < b.u || (a.u == b.u && a.v < b.v);
    });
    EXPECT_EQ(uvs, (std::vector<UvCoord>{{0.1f, 0.6f}, {0.1f, 0.9f}, {0.4f, 0.6f}, {0.4f, 0.9f}}));

    // The scene is read again below: `ground` is gone from here on.
    // A texture through a plain placement node records nothing.
    open("materials.ma");
    EXPECT_TRUE(
        textureOf(engine("paintSG")->getChannel("color")).m_namedValues.getText("groundShape") ==
        std::nullopt);
}

// Texture layers with one layer or none; the UV sets a material's textures take.
std::unique_ptr<ChannelValue> grey(float v) {
    return std::make_unique<ColorValue>(v, v, v, 1.0f);
}

std::unique_ptr<TextureValue> texture(const std::string& file) {
    auto t = std::make_unique<TextureValue>();
    t->m_fileName = file;
    return t;
}

// Nesting by the mode of the layer before: MaterialReading.LayeredTexturesNestTheirVisibleLayers.
TEST(LayerBlending, ASingleLayerIsItsOwnColourAndNoLayerIsNothing) {
    std::vector<TextureLayer> one;
    one.push_back({grey(0.4f), grey(1.0f), 3});
    EXPECT_EQ(*blendTextureLayers(one), *grey(0.4f));
    std::vector<TextureLayer> none;
    EXPECT_EQ(blendTextureLayers(none), nullptr);
}

TEST(MaterialUvSets, TexturesNameTheirSetsInOrderMetWithoutRepeats) {
    const std::vector<std::string> mesh = {"map1", "lightmap", "detail"};
    Material material("rock");
    auto base = texture("base.dds");
    auto detail = texture("detail.dds");
    detail->m_namedValues.setText("rockShape", "detail");
    detail->m_namedValues.setText("otherShape", "lightmap");
    auto again = texture("dirt.dds"); // no set recorded: the mesh's first set again
    material.setChannel("color", std::make_unique<CombinedValue>(
                                     4, std::make_unique<PairValue>(std::move(detail), grey(1.0f)),
                                     std::move(base)));
    material.setChannel("bumpmap", std::move(again));
    material.setChannel("diffuse", texture("ignored.dds")); // only colour and bump count
    EXPECT_EQ(materialUvSets(&material, "rockShape", mesh),
              (std::vector<std::string>{"detail", "map1"}));
    EXPECT_EQ(materialUvSets(&material, "otherShape", mesh),
              (std::vector<std::string>{"lightmap", "map1"}));

    Material plain("plain");
    plain.setChannel("color", grey(0.5f));
    EXPECT_TRUE(materialUvSets(&plain, "rockShape", mesh).empty());
    EXPECT_TRUE(materialUvSets(nullptr, "rockShape", mesh).empty());
    plain.setHardwareShader(true);
    EXPECT_EQ(materialUvSets(&plain, "rockShape", mesh), mesh);
}

} // namespace
} // namespace vx::test
