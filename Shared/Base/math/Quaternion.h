#pragma once

namespace vx {

// Rotation quaternion, stored and written as x, y, z, w.
struct Quaternion {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    constexpr Quaternion() = default;
    constexpr Quaternion(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    constexpr bool operator==(const Quaternion& o) const = default;

    // Product chosen so that (a * b).toMatrix() == a.toMatrix() * b.toMatrix().
    Quaternion operator*(const Quaternion& o) const;
    Quaternion conjugate() const { return {-x, -y, -z, w}; }
    float length() const;
    // Unit length; a quaternion shorter than the float epsilon becomes the identity.
    Quaternion normalized() const;
};

} // namespace vx
