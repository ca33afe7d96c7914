#pragma once
// Writing packed vertex fields: each call copies a value's bytes as they lie in memory (the
// mesh files are little-endian, as this machine is) and returns the end of what it wrote.
#include "Shared/Base/math/Vector3.h"

#include <cstdint>
#include <cstring>

namespace vx {

template <typename T>
std::uint8_t* put(std::uint8_t* out, const T& value) {
    std::memcpy(out, &value, sizeof value);
    return out + sizeof value;
}

inline std::uint8_t* putVector(std::uint8_t* out, const Vector3& v) {
    out = put(out, v.x);
    out = put(out, v.y);
    return put(out, v.z);
}

} // namespace vx
