#include "Shared/Graphics/Scene/PrimitiveBuffer.h"

#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

bool PrimitiveBuffer::sameContent(const PrimitiveBuffer& other) const {
    if (m_name != other.m_name || m_primitiveKind != other.m_primitiveKind ||
        m_attributes != other.m_attributes || m_attributeValues != other.m_attributeValues ||
        m_primitives.size() != other.m_primitives.size())
        return false;
    for (std::size_t i = 0; i < m_primitives.size(); ++i) {
        if (m_primitives[i].m_indices != other.m_primitives[i].m_indices)
            return false;
    }
    return true;
}

void PrimitiveBuffer::write(OutStream& out, Scene&) const {
    sceneio::writeCountedText(out, m_name);
    out << m_primitiveKind;
    sceneio::writeCount(out, m_primitives.size());
    for (const Primitive& primitive : m_primitives) {
        sceneio::writeArray(out, primitive.m_indices);
    }
    sceneio::writeCount(out, m_attributes.size());
    for (const auto& [name, attribute] : m_attributes) {
        sceneio::writeCountedText(out, name);
        out << static_cast<std::uint8_t>(attribute.m_kind) << attribute.m_number;
    }
    sceneio::writeCount(out, m_attributeValues.size());
    for (const AttributeValueRecord& record : m_attributeValues) {
        sceneio::writeCount(out, record.size());
        for (const auto& [number, value] : record) {
            out << number;
            writeNamedValue(out, value);
        }
    }
}

bool PrimitiveBuffer::read(InStream& in, Scene& scene) {
    if (!sceneio::readCountedText(in, scene, m_name, "the primitive buffer's name"))
        return false;
    in >> m_primitiveKind;
    std::uint32_t count = 0;
    if (!sceneio::readCount(in, scene, count, 4, "primitive"))
        return false;
    m_primitives.resize(count);
    for (Primitive& primitive : m_primitives) {
        if (!sceneio::readArray(in, scene, primitive.m_indices, "primitive index"))
            return false;
    }

    // Smallest entry: empty name (4), kind (1), number (4).
    if (!sceneio::readCount(in, scene, count, 9, "primitive attribute"))
        return false;
    m_attributes.clear();
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string name;
        std::uint8_t kind = 0;
        PrimitiveAttribute attribute;
        if (!sceneio::readCountedText(in, scene, name, "a primitive attribute's name"))
            return false;
        in >> kind >> attribute.m_number;
        if (!sceneio::checkStream(in, scene, "a primitive attribute"))
            return false;
        if (kind > static_cast<std::uint8_t>(NamedValueKind::Text))
            return scene.fail("primitive attribute '" + name + "' has the unknown value kind " +
                              std::to_string(kind));
        attribute.m_kind = static_cast<NamedValueKind>(kind);
        m_attributes[std::move(name)] = attribute;
    }

    if (!sceneio::readCount(in, scene, count, 4, "attribute value record"))
        return false;
    m_attributeValues.resize(count);
    for (AttributeValueRecord& record : m_attributeValues) {
        std::uint32_t pairs = 0;
        // Smallest pair: number (4), kind (1), bool (1).
        if (!sceneio::readCount(in, scene, pairs, 6, "attribute value"))
            return false;
        record.resize(pairs);
        for (auto& [number, value] : record) {
            in >> number;
            if (!readNamedValue(in, scene, value))
                return false;
        }
    }
    return sceneio::checkStream(in, scene, "the primitive buffer");
}

} // namespace vx
