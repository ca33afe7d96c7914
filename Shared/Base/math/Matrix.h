#pragma once
#include "Shared/Base/math/Quaternion.h"
#include "Shared/Base/math/Vector3.h"

namespace vx {

class OutStream;
class InStream;

// The full 4x4 form, row-major: rows (r0, 0), (r1, 0), (r2, 0), (t, 1).
struct Matrix4 {
    float m[4][4] = {};
};

// An affine transform in the host's row-vector convention: a point p maps to
// p * (rows 0..2) + translation. Rows 0 to 2 hold rotation and scale.
struct Matrix {
    static constexpr unsigned C = 3;

    Vector3 rows[C] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vector3 translation;

    constexpr Matrix() = default;
    constexpr Matrix(const Vector3& r0, const Vector3& r1, const Vector3& r2, const Vector3& t = {})
        : rows{r0, r1, r2}, translation(t) {}

    static constexpr Matrix identity() { return {}; }
    // The rotation matrix of a quaternion (row vectors) with the given translation row.
    static Matrix fromQuaternion(const Quaternion& q, const Vector3& t = {});
    static Matrix fromMatrix4(const Matrix4& m);

    // Row access 0 to 2; a larger index asserts. The translation is the member above.
    Vector3& operator[](unsigned c) {
        VX_ASSERT(c < C);
        return rows[c];
    }
    const Vector3& operator[](unsigned c) const {
        VX_ASSERT(c < C);
        return rows[c];
    }
    constexpr bool operator==(const Matrix& o) const = default;

    Matrix4 toMatrix4() const;
    // This transform followed by `o`.
    Matrix operator*(const Matrix& o) const;
    Vector3 transformPoint(const Vector3& p) const;
    Vector3 transformVector(const Vector3& v) const;
    Matrix transposed3x3() const;
    float determinant3x3() const;
    // General affine inverse; false (and `out` untouched) when the 3x3 block is singular.
    bool inverse(Matrix& out) const;
    // Inverse of a rotation plus translation: the transposed block, no division.
    Matrix rigidInverse() const;
    // The rotation as a normalised quaternion; scale in the block is not removed first.
    Quaternion toQuaternion() const;

    // The 3x3 block as 9 floats, row by row (36 bytes).
    void writeBlock(OutStream& out) const;
    void readBlock(InStream& in);
};

OutStream& operator<<(OutStream& out, const Vector3& v);
InStream& operator>>(InStream& in, Vector3& v);

} // namespace vx
