#include "Shared/Base/math/Quaternion.h"

#include <cfloat>
#include <cmath>

namespace vx {

Quaternion Quaternion::operator*(const Quaternion& o) const {
    return {w * o.x + x * o.w + y * o.z - z * o.y, w * o.y - x * o.z + y * o.w + z * o.x,
            w * o.z + x * o.y - y * o.x + z * o.w, w * o.w - x * o.x - y * o.y - z * o.z};
}

float Quaternion::length() const {
    return std::sqrt(x * x + y * y + z * z + w * w);
}

Quaternion Quaternion::normalized() const {
    const float len = length();
    if (!(len >= FLT_EPSILON))
        return {};
    return {x / len, y / len, z / len, w / len};
}

} // namespace vx
