#pragma once
#include "Shared/Base/Log.h"

#include <cmath>

namespace vx {

// Three 32-bit floats x, y, z; written to files as those floats in that order.
struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    constexpr Vector3() = default;
    constexpr Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    // Indexed access, 0 to 2; a larger index asserts.
    float& operator[](unsigned i) {
        VX_ASSERT(i < 3);
        return i == 0 ? x : (i == 1 ? y : z);
    }
    float operator[](unsigned i) const {
        VX_ASSERT(i < 3);
        return i == 0 ? x : (i == 1 ? y : z);
    }

    constexpr Vector3 operator+(const Vector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    constexpr Vector3 operator-(const Vector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    constexpr Vector3 operator-() const { return {-x, -y, -z}; }
    constexpr Vector3 operator*(float s) const { return {x * s, y * s, z * s}; }
    constexpr Vector3 operator/(float s) const { return {x / s, y / s, z / s}; }
    Vector3& operator+=(const Vector3& o) { return *this = *this + o; }
    Vector3& operator-=(const Vector3& o) { return *this = *this - o; }
    Vector3& operator*=(float s) { return *this = *this * s; }
    constexpr bool operator==(const Vector3& o) const = default;

    float length() const { return std::sqrt(dot(*this, *this)); }
    float lengthSquared() const { return dot(*this, *this); }
    // Unit vector in the same direction; the zero vector stays zero.
    Vector3 normalized() const;
    void normalize() { *this = normalized(); }

    static constexpr float dot(const Vector3& a, const Vector3& b) {
        return a.x * b.x + a.y * b.y + a.z * b.z;
    }
    static constexpr Vector3 cross(const Vector3& a, const Vector3& b) {
        return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    }
};

constexpr Vector3 operator*(float s, const Vector3& v) {
    return v * s;
}

} // namespace vx
