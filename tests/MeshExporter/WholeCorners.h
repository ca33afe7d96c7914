#pragma once
// Material group steps for triangles given as a whole vertex per corner, the form the plain
// references and hand-made cases use; the exporter itself passes vertex numbers.
#include "MeshExporter/ExportVertex.h"

#include <cstdint>
#include <vector>

namespace vx::test {

// The kept triangles of `triangles` (consecutive triples) after degenerate and repeated ones
// are dropped.
ExportVertexList prepareWholeTriangles(const ExportVertexList& triangles,
                                       bool withinSourceOnly = false);

struct WeldedCopies {
    ExportVertexList vertices;
    std::vector<std::uint32_t> indices;
};
WeldedCopies weldWholeCorners(const ExportVertexList& corners);

} // namespace vx::test
