#pragma once
#include "Shared/Base/math/Vector3.h"
#include "Shared/Graphics/Scene/NamedValues.h"
#include "Shared/Graphics/Scene/Vertex.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vx {

// Red, green, blue, alpha; a new colour is opaque white.
struct Color {
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;
    float a = 1.0f;
    bool operator==(const Color&) const = default;
};
static_assert(sizeof(Color) == 16);

struct UvCoord {
    float u = 0.0f;
    float v = 0.0f;
    bool operator==(const UvCoord&) const = default;
};
static_assert(sizeof(UvCoord) == 8);

// Up to four influences of one vertex: the weights and the influence positions (indices into
// the geometry node's influence list, -1 for an unused slot). 32 bytes in files.
struct SkinWeight {
    float m_weights[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    std::int32_t m_bones[4] = {-1, -1, -1, -1};
    bool operator==(const SkinWeight&) const = default;
};
static_assert(sizeof(SkinWeight) == 32);

// The attribute arrays of one host mesh shape and the output vertices indexing into them.
// Named after the shape with "VertexBuffer" appended.
class VertexBuffer {
public:
    bool operator==(const VertexBuffer&) const = default;

    std::size_t vertexCount() const { return m_vertices.size(); }
    std::size_t uvSetCount() const { return m_uvSets.size(); }

    void write(OutStream& out, Scene& scene) const;
    bool read(InStream& in, Scene& scene);

    std::string m_name;
    std::vector<Vector3> m_positions; // object space
    std::vector<Vector3> m_normals;
    std::vector<Color> m_diffuseColors;
    std::vector<Color> m_specularColors;
    std::vector<Vertex> m_vertices;
    std::vector<std::vector<UvCoord>> m_uvSets;
    // Carried by the file between the UV sets and the named-value tables; the mesh reader
    // records each UV set's name here, in set order.
    std::vector<std::string> m_texts;
    std::vector<NamedValueTable> m_vertexNamedValues; // per-vertex blind data
    std::vector<SkinWeight> m_skinWeights;
};

} // namespace vx
