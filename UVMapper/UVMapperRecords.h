#pragma once
// The mapper's records: triangles as added, their planar charts ("clusters") and the samples
// written to the ".samp" file.
#include "Shared/Base/math/Vector3.h"

#include <cstdint>

namespace vx {

// A corner as added. Its place on the plane, in its cluster's box and in the lightmap follow
// from the position and are worked out where needed, which keeps the record at 24 bytes.
struct UVCorner {
    Vector3 position;
    Vector3 normal;
};

struct UVTriangle {
    UVCorner corners[3];
    std::uint32_t positionIndex[3] = {}; // welded positions
    std::uint32_t firstVertexIndex = 0;  // the corners are export vertices index .. index + 2
    std::uint32_t groupId = 0;
    std::int32_t cluster = -1;
    Vector3 faceNormal;
    std::int32_t axis = 0; // dominant axis of the face normal: 0 = x, 1 = y, 2 = z
};

// A chart. Its triangle numbers are memberCount entries of the mapper's member list from
// memberBegin, in the order they joined.
struct UVCluster {
    std::uint32_t memberBegin = 0;
    std::uint32_t memberCount = 0;
    std::int32_t axis = 0;
    Vector3 boundsMin;
    Vector3 boundsMax;
    float du = 0.0f; // extents along the two plane coordinates (meters)
    float dv = 0.0f;
    float area = 0.0f;
    std::int32_t x = 0; // placement in the grid and size, in lumels
    std::int32_t y = 0;
    std::int32_t w = 0;
    std::int32_t h = 0;
};

// One lumel's surface point, written to the sample file as these 28 bytes.
struct LumelSample {
    Vector3 position;
    Vector3 normal;
    std::int32_t triangle = -1; // -1: no surface under this lumel
};
static_assert(sizeof(LumelSample) == 28);

// The plane coordinates of a dominant axis: (y, z) for x, (x, z) for y, (x, y) for z.
constexpr unsigned planeCoordinateA(std::int32_t axis) {
    return axis == 0 ? 1u : 0u;
}
constexpr unsigned planeCoordinateB(std::int32_t axis) {
    return axis == 2 ? 1u : 2u;
}

// A position on the plane of a dominant axis (meters): its first and second plane coordinate.
inline float planeA(const Vector3& p, std::int32_t axis) {
    return axis == 0 ? p.y : p.x;
}
inline float planeB(const Vector3& p, std::int32_t axis) {
    return axis == 2 ? p.y : p.z;
}

} // namespace vx
