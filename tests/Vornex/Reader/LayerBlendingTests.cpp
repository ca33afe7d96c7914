// Layered textures and layered shaders as nested pair and combined values; the UV sets a
// material's textures take.
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

std::unique_ptr<ChannelValue> pair(float color, float alpha) {
    return std::make_unique<PairValue>(grey(color), grey(alpha));
}

std::unique_ptr<TextureValue> texture(const std::string& file) {
    auto t = std::make_unique<TextureValue>();
    t->m_fileName = file;
    return t;
}

TEST(LayerBlending, EachLaterLayerIsBlendedWithTheModeOfTheLayerBeforeIt) {
    std::vector<TextureLayer> layers;
    const float colors[] = {0.1f, 0.2f, 0.3f};
    const float alphas[] = {0.5f, 0.6f, 0.7f};
    const std::uint8_t modes[] = {1, 6, 9}; // the last layer's mode blends nothing
    for (std::size_t i = 0; i < 3; ++i)
        layers.push_back({grey(colors[i]), grey(alphas[i]), modes[i]});
    const std::unique_ptr<ChannelValue> value = blendTextureLayers(layers);
    const CombinedValue expected(
        6, pair(0.3f, 0.7f),
        std::make_unique<CombinedValue>(1, pair(0.2f, 0.6f), pair(0.1f, 0.5f)));
    ASSERT_TRUE(value);
    EXPECT_EQ(*value, expected);

    std::vector<TextureLayer> one;
    one.push_back({grey(0.4f), grey(1.0f), 3});
    EXPECT_EQ(*blendTextureLayers(one), *grey(0.4f));
    std::vector<TextureLayer> none;
    EXPECT_EQ(blendTextureLayers(none), nullptr);
}

TEST(LayerBlending, ShaderLayersFillMissingChannelsAndBlendPresentOnes) {
    Material top("top");
    top.setChannel("color", grey(0.2f));
    Material bottom("bottom");
    bottom.setChannel("color", grey(0.8f));
    bottom.setChannel("diffuse", grey(0.6f));
    Material shader("layered");
    addShaderLayer(shader, top, *grey(0.0f), kLayeredShaderComposite);
    addShaderLayer(shader, bottom, *grey(0.5f), kLayeredShaderComposite);
    const CombinedValue color(13, std::make_unique<PairValue>(grey(0.8f), grey(0.5f)), grey(0.2f));
    ASSERT_TRUE(shader.getChannel("color"));
    EXPECT_EQ(*shader.getChannel("color"), color);
    EXPECT_EQ(*shader.getChannel("diffuse"), *grey(0.6f));
    EXPECT_EQ(shader.channels().size(), 2u);
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
