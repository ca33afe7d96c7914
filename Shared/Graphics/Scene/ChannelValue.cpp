#include "Shared/Graphics/Scene/ChannelValue.h"

#include "Shared/Base/Log.h"
#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {
namespace {

std::unique_ptr<ChannelValue> cloneOf(const std::unique_ptr<ChannelValue>& value) {
    return value ? value->clone() : nullptr;
}

bool sameValue(const std::unique_ptr<ChannelValue>& a, const std::unique_ptr<ChannelValue>& b) {
    if (!a || !b)
        return !a && !b;
    return *a == *b;
}

} // namespace

bool operator==(const ChannelValue& a, const ChannelValue& b) {
    return a.kind() == b.kind() && a.equals(b);
}

std::unique_ptr<ChannelValue> ColorValue::clone() const {
    return std::make_unique<ColorValue>(*this);
}

void ColorValue::write(OutStream& out, Scene&) const {
    for (const float component : m_rgba)
        out << component;
}

bool ColorValue::read(InStream& in, Scene& scene, unsigned) {
    for (float& component : m_rgba)
        in >> component;
    return sceneio::checkStream(in, scene, "a colour value");
}

bool ColorValue::equals(const ChannelValue& other) const {
    const auto& o = static_cast<const ColorValue&>(other);
    return std::equal(std::begin(m_rgba), std::end(m_rgba), std::begin(o.m_rgba));
}

std::unique_ptr<ChannelValue> TextureValue::clone() const {
    return std::make_unique<TextureValue>(*this);
}

void TextureValue::write(OutStream& out, Scene&) const {
    out << static_cast<std::uint8_t>(m_image ? 1 : 0);
    sceneio::writeCountedText(out, m_fileName);
    out << m_filterType;
    if (m_image) {
        out << m_image->m_width << m_image->m_height;
        sceneio::writeCount(out, m_image->m_pixels.size());
        out.write(m_image->m_pixels.data(), m_image->m_pixels.size());
    }
    out << m_offsetU << m_offsetV << m_rotateUV;
    m_namedValues.write(out);
}

bool TextureValue::read(InStream& in, Scene& scene, unsigned) {
    bool hasImage = false;
    if (!sceneio::readFlag(in, scene, hasImage, "texture image") ||
        !sceneio::readCountedText(in, scene, m_fileName, "a texture's file name"))
        return false;
    in >> m_filterType;
    m_image.reset();
    if (hasImage) {
        TextureImage image;
        in >> image.m_width >> image.m_height;
        std::uint32_t bytes = 0;
        if (!sceneio::readCount(in, scene, bytes, 1, "texture image byte"))
            return false;
        image.m_pixels.resize(bytes);
        in.read(image.m_pixels.data(), bytes);
        m_image = std::move(image);
    }
    in >> m_offsetU >> m_offsetV >> m_rotateUV;
    return sceneio::checkStream(in, scene, "a texture value") && m_namedValues.read(in, scene);
}

bool TextureValue::equals(const ChannelValue& other) const {
    const auto& o = static_cast<const TextureValue&>(other);
    return m_fileName == o.m_fileName && m_filterType == o.m_filterType && m_image == o.m_image &&
           m_offsetU == o.m_offsetU && m_offsetV == o.m_offsetV && m_rotateUV == o.m_rotateUV &&
           m_namedValues == o.m_namedValues;
}

std::unique_ptr<ChannelValue> PairValue::clone() const {
    return std::make_unique<PairValue>(cloneOf(m_first), cloneOf(m_second));
}

void PairValue::write(OutStream& out, Scene& scene) const {
    ValueRegistry::write(out, scene, m_first.get());
    ValueRegistry::write(out, scene, m_second.get());
}

bool PairValue::read(InStream& in, Scene& scene, unsigned depth) {
    return ValueRegistry::read(in, scene, m_first, depth + 1) &&
           ValueRegistry::read(in, scene, m_second, depth + 1);
}

bool PairValue::equals(const ChannelValue& other) const {
    const auto& o = static_cast<const PairValue&>(other);
    return sameValue(m_first, o.m_first) && sameValue(m_second, o.m_second);
}

std::unique_ptr<ChannelValue> CombinedValue::clone() const {
    return std::make_unique<CombinedValue>(m_mode, cloneOf(m_first), cloneOf(m_second));
}

void CombinedValue::write(OutStream& out, Scene& scene) const {
    out << m_mode;
    ValueRegistry::write(out, scene, m_first.get());
    ValueRegistry::write(out, scene, m_second.get());
}

bool CombinedValue::read(InStream& in, Scene& scene, unsigned depth) {
    in >> m_mode;
    return sceneio::checkStream(in, scene, "a combined value") &&
           ValueRegistry::read(in, scene, m_first, depth + 1) &&
           ValueRegistry::read(in, scene, m_second, depth + 1);
}

bool CombinedValue::equals(const ChannelValue& other) const {
    const auto& o = static_cast<const CombinedValue&>(other);
    return m_mode == o.m_mode && sameValue(m_first, o.m_first) && sameValue(m_second, o.m_second);
}

std::unique_ptr<ChannelValue> ValueRegistry::create(std::uint8_t kind) {
    switch (kind) {
    case static_cast<std::uint8_t>(ChannelValueKind::Combined):
        return std::make_unique<CombinedValue>();
    case static_cast<std::uint8_t>(ChannelValueKind::Texture):
        return std::make_unique<TextureValue>();
    case static_cast<std::uint8_t>(ChannelValueKind::Color):
        return std::make_unique<ColorValue>();
    case static_cast<std::uint8_t>(ChannelValueKind::Pair):
        return std::make_unique<PairValue>();
    default:
        return nullptr;
    }
}

bool ValueRegistry::read(InStream& in, Scene& scene, std::unique_ptr<ChannelValue>& value,
                         unsigned depth) {
    value.reset();
    if (depth >= sceneio::kMaxValueDepth)
        return scene.fail("channel values nested deeper than " +
                          std::to_string(sceneio::kMaxValueDepth) + " levels");
    std::uint8_t kind = 0;
    in >> kind;
    if (!sceneio::checkStream(in, scene, "a channel value"))
        return false;
    std::unique_ptr<ChannelValue> created = create(kind);
    if (!created)
        return scene.fail("unknown channel value kind " + std::to_string(kind));
    if (!created->read(in, scene, depth))
        return false;
    value = std::move(created);
    return true;
}

void ValueRegistry::write(OutStream& out, Scene& scene, const ChannelValue* value) {
    VX_ASSERT_MSG(value, "a combined or pair value lacks an inner value");
    out << static_cast<std::uint8_t>(value->kind());
    value->write(out, scene);
}

} // namespace vx
