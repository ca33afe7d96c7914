#pragma once
#include "Shared/Graphics/Scene/NamedValues.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vx {

class InStream;
class OutStream;
class Scene;

// The kind numbers of channel values (one byte in files).
enum class ChannelValueKind : std::uint8_t { Combined = 0, Texture = 1, Color = 2, Pair = 3 };

// What is connected to one shading channel of a material.
class ChannelValue {
public:
    virtual ~ChannelValue() = default;
    virtual ChannelValueKind kind() const = 0;
    // A deep copy of the same kind: inner values are copied, not shared.
    virtual std::unique_ptr<ChannelValue> clone() const = 0;
    // The content only; the kind byte is the registry's.
    virtual void write(OutStream& out, Scene& scene) const = 0;
    virtual bool read(InStream& in, Scene& scene, unsigned depth) = 0;
    virtual bool equals(const ChannelValue& other) const = 0;
};

bool operator==(const ChannelValue& a, const ChannelValue& b);

// Kind 2: red, green, blue, alpha; a new colour is 1, 1, 1, 1.
class ColorValue : public ChannelValue {
public:
    ColorValue() = default;
    ColorValue(float r, float g, float b, float a) : m_rgba{r, g, b, a} {}
    ChannelValueKind kind() const override { return ChannelValueKind::Color; }
    std::unique_ptr<ChannelValue> clone() const override;
    void write(OutStream& out, Scene& scene) const override;
    bool read(InStream& in, Scene& scene, unsigned depth) override;
    bool equals(const ChannelValue& other) const override;

    float m_rgba[4] = {1.0f, 1.0f, 1.0f, 1.0f};
};

// Image data loaded with includeImages: the size in pixels and the pixel bytes in
// the loader's layout. In files: width, height, byte count (32-bit each), the bytes.
struct TextureImage {
    std::uint32_t m_width = 0;
    std::uint32_t m_height = 0;
    std::vector<std::uint8_t> m_pixels;
    bool operator==(const TextureImage&) const = default;
};

// Kind 1: a file texture. In files: a presence byte for the image, the file name (counted
// text), the filter type byte, the image when present, offsetU, offsetV, rotateUV, the named
// values (where the reader keeps wrapU, wrapV and the UV set per mesh shape).
class TextureValue : public ChannelValue {
public:
    ChannelValueKind kind() const override { return ChannelValueKind::Texture; }
    std::unique_ptr<ChannelValue> clone() const override;
    void write(OutStream& out, Scene& scene) const override;
    bool read(InStream& in, Scene& scene, unsigned depth) override;
    // Compares what the file carries (not m_name).
    bool equals(const ChannelValue& other) const override;

    std::string m_name; // the texture's own name; in memory only
    std::string m_fileName;
    std::uint8_t m_filterType = 0; // the further byte: filter type 0 to 5
    std::optional<TextureImage> m_image;
    float m_offsetU = 0.0f;
    float m_offsetV = 0.0f;
    float m_rotateUV = 0.0f;
    NamedValueTable m_namedValues;
};

// Kind 3: a value with its alpha or transparency.
class PairValue : public ChannelValue {
public:
    PairValue() = default;
    PairValue(std::unique_ptr<ChannelValue> first, std::unique_ptr<ChannelValue> second)
        : m_first(std::move(first)), m_second(std::move(second)) {}
    ChannelValueKind kind() const override { return ChannelValueKind::Pair; }
    std::unique_ptr<ChannelValue> clone() const override;
    void write(OutStream& out, Scene& scene) const override;
    bool read(InStream& in, Scene& scene, unsigned depth) override;
    bool equals(const ChannelValue& other) const override;

    std::unique_ptr<ChannelValue> m_first;
    std::unique_ptr<ChannelValue> m_second;
};

// Kind 0: two values blended with a mode (0 to 12 layered texture, 13 and 14 layered shader).
class CombinedValue : public ChannelValue {
public:
    CombinedValue() = default;
    CombinedValue(std::uint8_t mode, std::unique_ptr<ChannelValue> first,
                  std::unique_ptr<ChannelValue> second)
        : m_mode(mode), m_first(std::move(first)), m_second(std::move(second)) {}
    ChannelValueKind kind() const override { return ChannelValueKind::Combined; }
    std::unique_ptr<ChannelValue> clone() const override;
    void write(OutStream& out, Scene& scene) const override;
    bool read(InStream& in, Scene& scene, unsigned depth) override;
    bool equals(const ChannelValue& other) const override;

    std::uint8_t m_mode = 0;
    std::unique_ptr<ChannelValue> m_first;
    std::unique_ptr<ChannelValue> m_second;
};

// Creates, reads and writes channel values by kind number.
class ValueRegistry {
public:
    // A new value of the kind, or null for an unknown kind.
    static std::unique_ptr<ChannelValue> create(std::uint8_t kind);
    // Kind byte, then content. `depth` counts the enclosing values; deeper than
    // sceneio::kMaxValueDepth is refused.
    static bool read(InStream& in, Scene& scene, std::unique_ptr<ChannelValue>& value,
                     unsigned depth = 0);
    // Kind byte, then content. A missing inner value asserts: the file has no form for it.
    static void write(OutStream& out, Scene& scene, const ChannelValue* value);
};

} // namespace vx
