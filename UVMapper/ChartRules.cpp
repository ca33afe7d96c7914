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

} // namespace vx
