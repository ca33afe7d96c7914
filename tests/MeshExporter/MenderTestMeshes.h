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

// The zero-normal report, typed here from the artist-facing text it must match.
inline const char* const kZeroNormalText =
    "found zero length normal when calculating tangent basis!,\t\t\tyou must pass in valid "
    "normals to be used when calculating\t\t\ttangents and binormals.\nPlacing 0.0.1 as normal\n";

MenderVertex menderVertex(Vector3 position, Vector3 normal, float s, float t);

// Two triangles in the plane z = 0 sharing the edge x = 0, textured as mirror images of each
// other (s = |x|, t = y): their tangents are opposite, their binormals agree.
MenderMesh mirroredSeam();

// A grid of `columns` x `rows` points in the plane z = 0, one vertex per point, two triangles
// per cell, s = x and t = y; with `mirrorColumn` >= 0, s is mirrored about that column.
MenderMesh planarGrid(std::uint32_t columns, std::uint32_t rows, int mirrorColumn);

} // namespace vx::test
