#pragma once
// Tangent space generation for an indexed triangle list. Per-triangle tangents and binormals
// are averaged over the edge-connected triangles around each position whose directions agree
// (within the crease cosine); where they do not, the vertex is copied so each group gets its
// own. Finally every vertex's frame is made orthonormal to its normal. Edges are compared by
// corner positions, not vertex indices, and the input normals are kept. Host-free.
#include "Shared/Base/math/Vector3.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

struct MenderVertex {
    Vector3 position;
    Vector3 normal;
    float s = 0.0f;
    float t = 0.0f;
    Vector3 tangent;
    Vector3 binormal;
};
static_assert(sizeof(MenderVertex) == 56);

struct MendSettings {
    // Two triangles around a position share a tangent (binormal) when the cosine of the angle
    // between their tangents (binormals) is at least this.
    float minTangentCreaseCosine = 0.2f;
    float minBinormalCreaseCosine = 0.2f;
};

// `vertices` and `indices` (a triangle list) are replaced by the mended ones: the input
// vertices first, in their order, then the copies. `mapping` receives, per output vertex, the
// input vertex it was made from. The output depends only on the input: same input, same bytes.
// False when the input cannot be mended (index count not a multiple of 3, an index out of
// range, a position that is not a finite number, too many vertices): the reason is logged and
// in exportErrorList(), and nothing is changed.
bool mend(std::vector<MenderVertex>& vertices, std::vector<std::uint32_t>& indices,
          std::vector<std::uint32_t>& mapping, const MendSettings& settings = {});

// Logs "Cannot generate tangents: " + reason as an error, appends it to exportErrorList() and
// returns false, so a rejection reads `return rejectTangents(...)`. While a
// HeldTangentRejection lives on the calling thread, the first reason is kept there instead.
bool rejectTangents(std::string_view reason);

// Tangents made off the exporting thread report nothing themselves: the exporter reports the
// held reason (through rejectTangents) when it comes to that group, in the export's own order.
class HeldTangentRejection {
public:
    HeldTangentRejection();
    ~HeldTangentRejection();
    HeldTangentRejection(const HeldTangentRejection&) = delete;
    HeldTangentRejection& operator=(const HeldTangentRejection&) = delete;

    // The first reason given while this lived; none when nothing was refused.
    const std::optional<std::string>& reason() const { return m_reason; }
    void keep(std::string_view reason);

private:
    HeldTangentRejection* m_outer;
    std::optional<std::string> m_reason;
};

} // namespace vx
