#include "Vornex/Reader/MaterialUvSets.h"

#include "Shared/Graphics/Scene/ChannelValue.h"
#include "Shared/Graphics/Scene/Material.h"

#include <algorithm>

namespace vx {
namespace {

void collect(const ChannelValue* value, const std::string& shapeName,
             const std::vector<std::string>& meshSets, std::vector<std::string>& out) {
    if (!value)
        return;
    switch (value->kind()) {
    case ChannelValueKind::Texture: {
        const auto& texture = static_cast<const TextureValue&>(*value);
        std::optional<std::string> set = texture.m_namedValues.getText(shapeName);
        if (!set && meshSets.empty())
            return;
        std::string name = set ? *set : meshSets.front();
        if (std::find(out.begin(), out.end(), name) == out.end())
            out.push_back(std::move(name));
        return;
    }
    case ChannelValueKind::Pair: {
        const auto& pair = static_cast<const PairValue&>(*value);
        collect(pair.m_first.get(), shapeName, meshSets, out);
        collect(pair.m_second.get(), shapeName, meshSets, out);
        return;
    }
    case ChannelValueKind::Combined: {
        const auto& combined = static_cast<const CombinedValue&>(*value);
        collect(combined.m_first.get(), shapeName, meshSets, out);
        collect(combined.m_second.get(), shapeName, meshSets, out);
        return;
    }
    case ChannelValueKind::Color:
        return;
    }
}

} // namespace

std::vector<std::string> materialUvSets(const Material* material, const std::string& shapeName,
                                        const std::vector<std::string>& meshSets) {
    if (!material)
        return {};
    if (material->isHardwareShader())
        return meshSets;
    std::vector<std::string> out;
    for (const std::string_view channel : {std::string_view("color"), std::string_view("bumpmap")})
        collect(material->getChannel(channel), shapeName, meshSets, out);
    return out;
}

} // namespace vx
