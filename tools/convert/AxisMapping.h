#pragma once
// From the game files' space to glTF's. The game files are left-handed and use row vectors
// (a point p maps to p * M, translation in the last row); glTF is right-handed with column
// vectors. Mirroring the z axis turns one into the other: a point (x, y, z) becomes
// (x, y, -z), a row-vector matrix M becomes S M S with S = diag(1, 1, -1), and every
// triangle's winding is reversed so that its front face still points outwards.
#include "Shared/Base/math/Matrix.h"
#include "Shared/Base/math/Vector3.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vx::convert {

Vector3 mirrorPoint(const Vector3& p);
// S M S: the same transform seen in the mirrored space.
Matrix mirrorMatrix(const Matrix& m);

// A mirrored row-vector matrix as glTF's column-major 4x4 array (the row-major storage of a
// row-vector matrix is the column-major storage of its column-vector transpose).
std::array<double, 16> gltfMatrix(const Matrix& mirrored);

// A rigid transform of the game split into glTF's translation and rotation (x, y, z, w),
// after mirroring. Scale in the block is not removed.
struct GltfPose {
    std::array<double, 3> translation{};
    std::array<double, 4> rotation{0, 0, 0, 1};
};
GltfPose gltfPose(const Matrix& game);

// Triangle lists with corners 1 and 2 swapped, in place.
void reverseWinding(std::vector<std::uint32_t>& triangles);

} // namespace vx::convert
