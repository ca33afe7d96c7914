#pragma once
// The rules that decide the charts ("clusters"), shared by every search that applies them.
#include "UVMapper/UVMapperRecords.h"

#include <cstdint>

namespace vx {

// 1 for y when |y| is larger than both others, 2 for z likewise, else 0 for x.
std::int32_t dominantAxis(const Vector3& normal);

// How many distinct welded positions of `a` are also corners of `b`. Triangles are anything
// with the welded positions of a UVTriangle (positionIndex), and for joinsCluster its axis and
// face normal as well.
template <typename A, typename B>
unsigned sharedPositionCount(const A& a, const B& b) {
    unsigned count = 0;
    for (unsigned i = 0; i < 3; ++i) {
        const std::uint32_t p = a.positionIndex[i];
        if ((i > 0 && a.positionIndex[0] == p) || (i > 1 && a.positionIndex[1] == p))
            continue;
        if (b.positionIndex[0] == p || b.positionIndex[1] == p || b.positionIndex[2] == p)
            ++count;
    }
    return count;
}

// Whether `t` joins the cluster that `seed` started, reached from its member `member`: the
// same axis as the seed, face normals within about 84 degrees of the seed's (dot above 0.1)
// and exactly two welded positions (an edge) in common with the member. Assignment is the
// caller's business.
template <typename Triangle>
bool joinsCluster(const Triangle& seed, const Triangle& member, const Triangle& t) {
    return t.axis == seed.axis && Vector3::dot(seed.faceNormal, t.faceNormal) > 0.1f &&
           sharedPositionCount(member, t) == 2;
}

} // namespace vx
