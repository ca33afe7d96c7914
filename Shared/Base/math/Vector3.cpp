#include "Shared/Base/math/Vector3.h"

namespace vx {

Vector3 Vector3::normalized() const {
    const float len = length();
    if (len <= 0.0f || !std::isfinite(len))
        return {0.0f, 0.0f, 0.0f};
    return *this / len;
}

} // namespace vx
