#pragma once
// How layered textures and layered shaders become channel values: each layer is a pair of its
// value and its alpha (or transparency), blended over what the layers before it built.
// Host-free.
#include <cstdint>
#include <memory>
#include <vector>

namespace vx {

class ChannelValue;
class Material;

// Blend modes of layered shaders; a layered texture's own modes are 0 to 12.
constexpr std::uint8_t kLayeredShaderComposite = 13; // "compositingFlag" on
constexpr std::uint8_t kLayeredShaderPlain = 14;     // "compositingFlag" off

struct TextureLayer {
    std::unique_ptr<ChannelValue> color;
    std::unique_ptr<ChannelValue> alpha;
    std::uint8_t blendMode = 0;
};

// None for no layer; the first layer's colour alone for one layer; otherwise
// pair(colour 0, alpha 0) with each later layer i blended over it as
// combined(blend mode of layer i - 1, pair(colour i, alpha i), value so far).
std::unique_ptr<ChannelValue> blendTextureLayers(std::vector<TextureLayer>& layers);

// Adds one layer of a layered shader: every standard channel the shader lacks takes the
// layer material's value; one it has becomes
// combined(mode, pair(layer value, transparency), current value).
void addShaderLayer(Material& shader, const Material& layer, const ChannelValue& transparency,
                    std::uint8_t mode);

} // namespace vx
