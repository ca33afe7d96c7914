#pragma once
// Meshes shared by the tangent tests.
#include "MeshExporter/NVMeshMender2.h"

#include <cstdint>
#include <vector>

namespace vx::test {

struct MenderMesh {
    std::vector<MenderVertex> vertices;
    std::vector<std::uint32_t> indices;
};

MenderVertex menderVertex(Vector3 position, Vector3 normal, float s, float t);

// Two triangles in the plane z = 0 sharing the edge x = 0, textured as mirror images of each
// other (s = |x|, t = y): their tangents are opposite, their binormals agree.
MenderMesh mirroredSeam();

// A grid of `columns` x `rows` points in the plane z = 0, one vertex per point, two triangles
// per cell, s = x and t = y; with `mirrorColumn` >= 0, s is mirrored about that column.
MenderMesh planarGrid(std::uint32_t columns, std::uint32_t rows, int mirrorColumn);

} // namespace vx::test
