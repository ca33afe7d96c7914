// Texture layers with one layer or none (nesting: MaterialReading); the UV sets a material's
// textures take.
#include "Shared/Graphics/Scene/ChannelValue.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Vornex/Reader/LayerBlending.h"
#include "Vornex/Reader/MaterialUvSets.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

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
} // namespace vx
