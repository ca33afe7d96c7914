#pragma once
// Meshes and the zero-normal report shared by the tangent tests and the literal mender.
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

} // namespace vx::test
