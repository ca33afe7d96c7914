#include "UVMapper/ChartRules.h"

#include <cmath>

namespace vx {

std::int32_t dominantAxis(const Vector3& normal) {
    const float ax = std::fabs(normal.x);
    const float ay = std::fabs(normal.y);
    const float az = std::fabs(normal.z);
    if (ay > ax && ay > az)
        return 1;
    if (az > ax && az > ay)
        return 2;
    return 0;
}

unsigned sharedPositionCount(const UVTriangle& a, const UVTriangle& b) {
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

bool joinsCluster(const UVTriangle& seed, const UVTriangle& member, const UVTriangle& t) {
    return t.axis == seed.axis && Vector3::dot(seed.faceNormal, t.faceNormal) > 0.1f &&
           sharedPositionCount(member, t) == 2;
}

} // namespace vx
