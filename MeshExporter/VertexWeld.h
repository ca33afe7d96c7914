#pragma once
// Turns a material group's corner triples into an indexed triangle list.
#include "MeshExporter/ExportVertex.h"

#include <cstdint>
#include <vector>

namespace vx {

struct WeldedGroup {
    std::vector<ExportVertex> vertices; // in order of first use
    std::vector<std::uint32_t> indices; // three per triangle
};

// Corners whose every field is bit for bit the same become one vertex. Linear time: the table
// holds vertex numbers, not copies of the vertices.
WeldedGroup weldCorners(const std::vector<ExportVertex>& corners);

} // namespace vx
