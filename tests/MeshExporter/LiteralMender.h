#pragma once
// The mender written as a literal reading of its steps, independent of the exporter's code: an
// ordered map of positions to triangle lists, a linear neighbour search, recursive growth,
// re-pointing by scanning each group, and the frame arithmetic spelled out on plain floats.
// Slow, and kept only as the reference the real mender must match byte for byte.
#include "MeshExporter/NVMeshMender2.h"

namespace vx::test {

// The three repairs of the literal steps; each can be switched off to show the literal result.
struct Mends {
    bool keepTinyAreaSign = true;      // r = sign of det (1 for 0) when |det| < 0.0001, not 1
    bool otherFallbackAxis = true;     // the other axis where the chosen one gives a zero tangent
    bool nonFiniteNormalIsZero = true; // a NaN or infinite normal is reported and replaced
};

void literalMend(std::vector<MenderVertex>& vertices, std::vector<std::uint32_t>& indices,
                 std::vector<std::uint32_t>& mapping, const Mends& mends = {});

// One vertex's frame by the literal steps (the normal is replaced when it has no length).
void literalFrame(MenderVertex& vertex, const Mends& mends = {});

} // namespace vx::test
