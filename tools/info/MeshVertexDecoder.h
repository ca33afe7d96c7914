#pragma once
// Decoding packed vertices by their declaration. The element type and usage codes are those of
// Direct3D 9 declarations, which is what the mesh files store.
#include "tools/info/MeshFile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vx::meshfile {

constexpr std::uint8_t kTypeFloat1 = 0;
constexpr std::uint8_t kTypeFloat2 = 1;
constexpr std::uint8_t kTypeFloat3 = 2;
constexpr std::uint8_t kTypeColor = 4;  // D3DCOLOR
constexpr std::uint8_t kTypeUbyte4 = 5; // UBYTE4
constexpr std::uint8_t kTypeUnused = 17;

constexpr std::uint8_t kUsagePosition = 0;
constexpr std::uint8_t kUsageBlendWeight = 1;
constexpr std::uint8_t kUsageBlendIndices = 2;
constexpr std::uint8_t kUsageNormal = 3;
constexpr std::uint8_t kUsageTexcoord = 5;
constexpr std::uint8_t kUsageTangent = 6;

constexpr std::uint16_t kEndStream = 0xFF;

// Bytes one element of the type takes; 0 for UNUSED and for codes no declaration has.
std::size_t elementTypeSize(std::uint8_t type);
// "FLOAT3", "D3DCOLOR", ...; nullptr for an unknown code.
const char* elementTypeName(std::uint8_t type);
// "POSITION", "TEXCOORD", ...; nullptr for an unknown code.
const char* elementUsageName(std::uint8_t usage);
// Whether the element is the declaration's end marker (stream 0xFF, type UNUSED, rest 0).
bool isEndElement(const VertexElement& element);

// One element of one vertex. `values` holds its components as floats (normalised types scaled
// to their range, half floats widened); byte types also keep their bytes in memory order.
struct DecodedElement {
    std::uint8_t usage = 0;
    std::uint8_t usageIndex = 0;
    std::uint8_t type = 0;
    unsigned count = 0; // components used in `values`
    std::array<float, 4> values{};
    std::array<std::uint8_t, 4> bytes{}; // D3DCOLOR, UBYTE4 and UBYTE4N only
};

struct DecodedVertex {
    std::vector<DecodedElement> elements; // in declaration order, without the end element

    // The element with this usage and usage index, or nullptr.
    const DecodedElement* find(std::uint8_t usage, std::uint8_t usageIndex = 0) const;
};

// Decodes one vertex of `stride` bytes at `vertex`. The declaration must be one readMeshFile
// accepted (every element inside the stride); an element that is not asserts.
DecodedVertex decodeVertex(const std::vector<VertexElement>& elements, const std::uint8_t* vertex,
                           std::size_t stride);
// Vertex `index` of the file; an index not below the vertex count asserts.
DecodedVertex decodeVertex(const MeshFile& file, std::uint32_t index);

} // namespace vx::meshfile
