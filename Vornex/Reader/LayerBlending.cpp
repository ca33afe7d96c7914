#include "Vornex/Reader/LayerBlending.h"

#include "Shared/Graphics/Scene/ChannelValue.h"
#include "Shared/Graphics/Scene/Material.h"

namespace vx {

std::unique_ptr<ChannelValue> blendTextureLayers(std::vector<TextureLayer>& layers) {
    if (layers.empty())
        return nullptr;
    if (layers.size() == 1)
        return layers[0].color->clone();
    std::unique_ptr<ChannelValue> value =
        std::make_unique<PairValue>(std::move(layers[0].color), std::move(layers[0].alpha));
    for (std::size_t i = 1; i < layers.size(); ++i)
        value = std::make_unique<CombinedValue>(
            layers[i - 1].blendMode,
            std::make_unique<PairValue>(std::move(layers[i].color), std::move(layers[i].alpha)),
            std::move(value));
    return value;
}

void addShaderLayer(Material& shader, const Material& layer, const ChannelValue& transparency,
                    std::uint8_t mode) {
    for (const std::string_view channel : Material::kStandardChannels) {
        const ChannelValue* layerValue = layer.getChannel(channel);
        if (!layerValue)
            continue;
        const ChannelValue* current = shader.getChannel(channel);
        if (!current) {
            shader.setChannel(channel, layerValue->clone());
            continue;
        }
        shader.setChannel(
            channel,
            std::make_unique<CombinedValue>(
                mode, std::make_unique<PairValue>(layerValue->clone(), transparency.clone()),
                current->clone()));
    }
}

} // namespace vx
