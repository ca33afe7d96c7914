#pragma once
// What a lumel of a cluster stands for, and the three ways a triangle can give its sample, in
// the order they are tried: the lumel's point inside the triangle, a triangle corner inside
// the lumel's rectangle, a triangle edge crossing a side of that rectangle.
#include "UVMapper/UVMapperRecords.h"

#include <cstdint>

namespace vx {

// Lumel (i, j) of a cluster stands for the point (pa, pb) of the cluster plane at the centre
// of its share of the cluster's box; its rectangle is [pa, pa + su] × [pb, pb + sv].
struct LumelArea {
    float pa = 0.0f;
    float pb = 0.0f;
    float su = 0.0f;
    float sv = 0.0f;
};
LumelArea lumelArea(const UVCluster& cluster, std::int32_t i, std::int32_t j);

// The point's barycentric coordinates in the projected corners all in [0, 1): the blend of
// the corners' positions and normals (normal normalised).
bool sampleInside(const UVTriangle& triangle, const LumelArea& lumel, LumelSample& sample);
// The first corner inside the rectangle (bounds included): its position and normal.
bool sampleCorner(const UVTriangle& triangle, const LumelArea& lumel, LumelSample& sample);
// The first edge (0-1, 1-2, 2-0) that crosses a side of the rectangle (bottom, right, top,
// left; an edge along a side does not cross it): the crossing point on the edge, position and
// normal interpolated (normal normalised).
bool sampleEdgeCrossing(const UVTriangle& triangle, const LumelArea& lumel, LumelSample& sample);

} // namespace vx
