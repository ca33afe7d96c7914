#pragma once
// Turns a material group's corners into an indexed triangle list.
#include "MeshExporter/ExportVertex.h"

#include <cstdint>
#include <vector>

namespace vx {

struct WeldedCorners {
    // Per welded vertex, in order of first use, the number of the given vertex it is: the
    // first corner's, so it keeps that corner's source node.
    std::vector<std::uint32_t> vertices;
    std::vector<std::uint32_t> indices; // per corner, its welded vertex
};

// Corners whose every field is bit for bit the same become one vertex. `corners` are numbers
// into `vertices`; nothing is copied, so the caller makes each welded vertex where it is kept.
// Each vertex is compared once however many corners use it. Linear time: the table holds
// vertex numbers.
WeldedCorners weldCorners(const ExportVertexList& vertices,
                          const std::vector<std::uint32_t>& corners);

} // namespace vx
