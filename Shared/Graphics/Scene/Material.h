#pragma once
#include "Shared/Graphics/Scene/ChannelValue.h"
#include "Shared/Graphics/Scene/NamedValues.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace vx {

// What the artist connected to one host shader: a value per connected channel and named
// values with extra settings (the cgfx shader's records).
class Material : public NamedValueHolder {
public:
    // The standard channels in their fixed order (files before version 3, the reader's tables).
    static constexpr std::array<std::string_view, 12> kStandardChannels = {
        "color",           "alpha",         "diffuse",      "ambient",
        "bumpmap",         "incandescence", "translucence", "eccentricity",
        "specularRollOff", "specularColor", "reflectivity", "reflectedColor"};

    using ChannelMap = std::map<std::string, std::unique_ptr<ChannelValue>, std::less<>>;

    Material() = default;
    explicit Material(std::string name) : m_name(std::move(name)) {}

    // Replaces an earlier value of the channel; null removes it.
    void setChannel(std::string_view channel, std::unique_ptr<ChannelValue> value);
    // The channel's value, or null when it is not connected.
    const ChannelValue* getChannel(std::string_view channel) const;
    const ChannelMap& channels() const { return m_channels; }

    // The second flag: set by the scene reader on materials read from cgfx shaders.
    bool isHardwareShader() const { return m_secondFlag != 0; }
    void setHardwareShader(bool on) { m_secondFlag = on ? 1 : 0; }

    // Name, channel count (one byte), per channel its name and value, the two flags, the
    // named values. More than 255 channels assert.
    void write(OutStream& out, Scene& scene) const;
    // Reads the version-dependent form: before version 3 a bool per standard channel.
    bool read(InStream& in, Scene& scene);

    bool equals(const Material& other) const;

    std::string m_name;
    ChannelMap m_channels; // ordered by name: the order in which they are written
    std::uint8_t m_firstFlag = 1;
    std::uint8_t m_secondFlag = 0;
};

} // namespace vx
