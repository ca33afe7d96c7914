#include "tests/MeshExporter/WholeCorners.h"

#include "MeshExporter/MaterialGroupPreparation.h"
#include "MeshExporter/VertexWeld.h"

#include <numeric>
#include <utility>

namespace vx::test {

namespace {

std::vector<std::uint32_t> eachOf(std::size_t count) {
    std::vector<std::uint32_t> each(count);
    std::iota(each.begin(), each.end(), 0u);
    return each;
}

} // namespace

ExportVertexList prepareWholeTriangles(const ExportVertexList& triangles, bool withinSourceOnly) {
    ExportVertexList kept;
    for (std::uint32_t c : prepareMaterialGroup(
             triangles, eachOf(triangles.size() - triangles.size() % 3), withinSourceOnly))
        kept.push_back(triangles[c]);
    return kept;
}

WeldedCopies weldWholeCorners(const ExportVertexList& corners) {
    WeldedCorners welded = weldCorners(corners, eachOf(corners.size()));
    WeldedCopies out;
    for (std::uint32_t v : welded.vertices)
        out.vertices.push_back(corners[v]);
    out.indices = std::move(welded.indices);
    return out;
}

} // namespace vx::test
