#include "Shared/Graphics/Scene/Material.h"

#include "Shared/Base/Log.h"
#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

void Material::setChannel(std::string_view channel, std::unique_ptr<ChannelValue> value) {
    if (!value) {
        if (const auto at = m_channels.find(channel); at != m_channels.end())
            m_channels.erase(at);
        return;
    }
    const auto at = m_channels.find(channel);
    if (at != m_channels.end())
        at->second = std::move(value);
    else
        m_channels.emplace(std::string(channel), std::move(value));
}

const ChannelValue* Material::getChannel(std::string_view channel) const {
    const auto at = m_channels.find(channel);
    return at == m_channels.end() ? nullptr : at->second.get();
}

bool Material::equals(const Material& other) const {
    if (m_name != other.m_name || m_firstFlag != other.m_firstFlag ||
        m_secondFlag != other.m_secondFlag || m_namedValues != other.m_namedValues ||
        m_channels.size() != other.m_channels.size())
        return false;
    for (const auto& [name, value] : m_channels) {
        const ChannelValue* theirs = other.getChannel(name);
        if (!theirs || !(*value == *theirs))
            return false;
    }
    return true;
}

void Material::write(OutStream& out, Scene& scene) const {
    VX_ASSERT_MSG(m_channels.size() <= 255, "material " << m_name.c_str() << " has "
                                                        << static_cast<unsigned>(m_channels.size())
                                                        << " channels");
    sceneio::writeCountedText(out, m_name);
    out << static_cast<std::uint8_t>(m_channels.size());
    for (const auto& [name, value] : m_channels) {
        sceneio::writeCountedText(out, name);
        ValueRegistry::write(out, scene, value.get());
    }
    out << m_firstFlag << m_secondFlag;
    m_namedValues.write(out);
}

bool Material::read(InStream& in, Scene& scene) {
    m_channels.clear();
    if (!sceneio::readCountedText(in, scene, m_name, "the material's name"))
        return false;
    if (scene.version() < 3) {
        for (const std::string_view channel : kStandardChannels) {
            bool present = false;
            in >> present;
            if (!sceneio::checkStream(in, scene, "a material channel"))
                return false;
            if (!present)
                continue;
            std::unique_ptr<ChannelValue> value;
            if (!ValueRegistry::read(in, scene, value))
                return false;
            setChannel(channel, std::move(value));
        }
    } else {
        std::uint8_t count = 0;
        in >> count;
        for (unsigned i = 0; i < count; ++i) {
            std::string channel;
            std::unique_ptr<ChannelValue> value;
            if (!sceneio::readCountedText(in, scene, channel, "a material channel's name") ||
                !ValueRegistry::read(in, scene, value))
                return false;
            setChannel(channel, std::move(value));
        }
    }
    in >> m_firstFlag >> m_secondFlag;
    return sceneio::checkStream(in, scene, "the material") && m_namedValues.read(in, scene);
}

} // namespace vx
