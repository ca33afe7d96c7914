#pragma once
// Material group steps for triangles given as a whole vertex per corner, the form the plain
// references and hand-made cases use; the exporter itself passes vertex numbers.
#include "MeshExporter/ExportVertex.h"

#include <cstdint>
#include <vector>

namespace vx::test {

// The kept triangles of `triangles` (consecutive triples) after degenerate and repeated ones
// are dropped.
std::vector<ExportVertex> prepareWholeTriangles(const std::vector<ExportVertex>& triangles,
                                                bool withinSourceOnly = false);

struct WeldedCopies {
    std::vector<ExportVertex> vertices;
    std::vector<std::uint32_t> indices;
};
WeldedCopies weldWholeCorners(const std::vector<ExportVertex>& corners);

} // namespace vx::test
