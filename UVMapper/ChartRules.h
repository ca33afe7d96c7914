#pragma once
// The rules that decide the charts ("clusters"), shared by every search that applies them.
#include "UVMapper/UVMapperRecords.h"

#include <cstdint>

namespace vx {

// 1 for y when |y| is larger than both others, 2 for z likewise, else 0 for x.
std::int32_t dominantAxis(const Vector3& normal);

// How many distinct welded positions of `a` are also corners of `b`.
unsigned sharedPositionCount(const UVTriangle& a, const UVTriangle& b);

// Whether `t` joins the cluster that `seed` started, reached from its member `member`: the
// same axis as the seed, face normals within about 84 degrees of the seed's (dot above 0.1)
// and exactly two welded positions (an edge) in common with the member. Assignment is the
// caller's business.
bool joinsCluster(const UVTriangle& seed, const UVTriangle& member, const UVTriangle& t);

} // namespace vx
