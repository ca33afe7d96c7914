#pragma once
// The mender written as a literal scan: an ordered map of positions to triangle lists, a linear
// neighbour search, recursive growth and re-pointing by scanning each group. Slow, and kept only
// as the reference the real mender must match byte for byte.
#include "MeshExporter/NVMeshMender2.h"

namespace vx::test {

void literalMend(std::vector<MenderVertex>& vertices, std::vector<std::uint32_t>& indices,
                 std::vector<std::uint32_t>& mapping);

} // namespace vx::test
