#pragma once
// Turns a material group's corners into an indexed triangle list.
#include "MeshExporter/ExportVertex.h"

#include <cstdint>
#include <vector>

namespace vx {

// Corners whose every field is bit for bit the same become one vertex, which keeps the source
// node of its first corner. `corners` are numbers into `vertices`. The welded vertices are
// appended to `into` in order of first use, so that they can go straight into a level of
// detail's list; the result gives each corner the number of its welded vertex counted from the
// first one appended. Each vertex is compared once however many corners use it. Linear time: the
// table holds vertex numbers, not copies.
std::vector<std::uint32_t> weldCorners(const std::vector<ExportVertex>& vertices,
                                       const std::vector<std::uint32_t>& corners,
                                       std::vector<ExportVertex>& into);

} // namespace vx
