#pragma once
#include "Shared/Graphics/Scene/NamedValues.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vx {

// One polygon: indices into the vertex buffer's vertex list. The host face index and shader
// index live only in memory (the file does not carry them).
struct Primitive {
    std::vector<std::int32_t> m_indices;
    std::int32_t m_faceIndex = -1;
    std::int32_t m_shaderIndex = -1;

    std::size_t size() const { return m_indices.size(); }
    std::int32_t operator[](std::size_t corner) const { return m_indices[corner]; }
    bool operator==(const Primitive&) const = default;
};

// An entry of the attribute table: the kind of the attribute's values and its number.
struct PrimitiveAttribute {
    NamedValueKind m_kind = NamedValueKind::Integer;
    std::uint32_t m_number = 0;
    bool operator==(const PrimitiveAttribute&) const = default;
};

// Per-face blind data of one record: (attribute number, value) pairs.
using AttributeValueRecord = std::vector<std::pair<std::uint32_t, NamedValue>>;

// The polygons of one host mesh shape. Named after the shape with "PrimitiveBuffer" appended.
class PrimitiveBuffer {
public:
    // The file does not carry face and shader indices; compare what it carries.
    bool sameContent(const PrimitiveBuffer& other) const;

    std::size_t primitiveCount() const { return m_primitives.size(); }

    void write(OutStream& out, Scene& scene) const;
    bool read(InStream& in, Scene& scene);

    std::string m_name;
    std::uint8_t m_primitiveKind = 0;
    std::vector<Primitive> m_primitives;
    std::map<std::string, PrimitiveAttribute, std::less<>> m_attributes; // ordered by name
    std::vector<AttributeValueRecord> m_attributeValues;
};

} // namespace vx
