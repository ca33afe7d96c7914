#pragma once
// Turns a material group's corners into an indexed triangle list.
#include "MeshExporter/ExportVertex.h"

#include <cstdint>
#include <vector>

namespace vx {

struct WeldedGroup {
    std::vector<ExportVertex> vertices; // in order of first use
    std::vector<std::uint32_t> indices; // one per corner
};

// Corners whose every field is bit for bit the same become one vertex, which keeps the source
// node of its first corner. `corners` are numbers into `vertices`; each vertex is compared once
// however many corners use it. Linear time: the table holds vertex numbers, not copies.
WeldedGroup weldCorners(const std::vector<ExportVertex>& vertices,
                        const std::vector<std::uint32_t>& corners);
// The same for corners given whole.
WeldedGroup weldCorners(const std::vector<ExportVertex>& corners);

} // namespace vx
