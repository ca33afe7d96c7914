#include "Shared/Base/math/Matrix.h"

#include "Shared/Base/Streams/InStream.h"
#include "Shared/Base/Streams/OutStream.h"

#include <cmath>

namespace vx {

Matrix Matrix::fromQuaternion(const Quaternion& q, const Vector3& t) {
    const float n = q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w;
    const float s = n > 0.0f ? 2.0f / n : 0.0f;
    const float x = q.x, y = q.y, z = q.z, w = q.w;
    return {{1 - s * (y * y + z * z), s * (x * y - w * z), s * (x * z + w * y)},
            {s * (x * y + w * z), 1 - s * (x * x + z * z), s * (y * z - w * x)},
            {s * (x * z - w * y), s * (y * z + w * x), 1 - s * (x * x + y * y)},
            t};
}

Matrix Matrix::fromMatrix4(const Matrix4& m) {
    return {{m.m[0][0], m.m[0][1], m.m[0][2]},
            {m.m[1][0], m.m[1][1], m.m[1][2]},
            {m.m[2][0], m.m[2][1], m.m[2][2]},
            {m.m[3][0], m.m[3][1], m.m[3][2]}};
}

Matrix4 Matrix::toMatrix4() const {
    Matrix4 out;
    for (unsigned r = 0; r < 3; ++r) {
        out.m[r][0] = rows[r].x;
        out.m[r][1] = rows[r].y;
        out.m[r][2] = rows[r].z;
        out.m[r][3] = 0.0f;
    }
    out.m[3][0] = translation.x;
    out.m[3][1] = translation.y;
    out.m[3][2] = translation.z;
    out.m[3][3] = 1.0f;
    return out;
}

Vector3 Matrix::transformVector(const Vector3& v) const {
    return rows[0] * v.x + rows[1] * v.y + rows[2] * v.z;
}

Vector3 Matrix::transformPoint(const Vector3& p) const {
    return transformVector(p) + translation;
}

Matrix Matrix::operator*(const Matrix& o) const {
    return {o.transformVector(rows[0]), o.transformVector(rows[1]), o.transformVector(rows[2]),
            o.transformPoint(translation)};
}

Matrix Matrix::transposed3x3() const {
    return {{rows[0].x, rows[1].x, rows[2].x},
            {rows[0].y, rows[1].y, rows[2].y},
            {rows[0].z, rows[1].z, rows[2].z},
            translation};
}

float Matrix::determinant3x3() const {
    return Vector3::dot(rows[0], Vector3::cross(rows[1], rows[2]));
}

bool Matrix::inverse(Matrix& out) const {
    const float det = determinant3x3();
    if (det == 0.0f || !std::isfinite(det))
        return false;
    // The inverse's columns are the cross products of the rows, scaled by 1/det.
    const Vector3 c0 = Vector3::cross(rows[1], rows[2]) / det;
    const Vector3 c1 = Vector3::cross(rows[2], rows[0]) / det;
    const Vector3 c2 = Vector3::cross(rows[0], rows[1]) / det;
    Matrix inv({c0.x, c1.x, c2.x}, {c0.y, c1.y, c2.y}, {c0.z, c1.z, c2.z});
    inv.translation = -inv.transformVector(translation);
    out = inv;
    return true;
}

Matrix Matrix::rigidInverse() const {
    Matrix inv = transposed3x3();
    inv.translation = -inv.transformVector(translation);
    return inv;
}

Quaternion Matrix::toQuaternion() const {
    const float m[3][3] = {{rows[0].x, rows[0].y, rows[0].z},
                           {rows[1].x, rows[1].y, rows[1].z},
                           {rows[2].x, rows[2].y, rows[2].z}};
    const float trace = m[0][0] + m[1][1] + m[2][2];
    float q[4]; // x, y, z, w
    if (trace > 0.0f) {
        const float root = std::sqrt(trace + 1.0f); // 2w
        q[3] = 0.5f * root;
        const float f = 0.5f / root;
        q[0] = (m[2][1] - m[1][2]) * f;
        q[1] = (m[0][2] - m[2][0]) * f;
        q[2] = (m[1][0] - m[0][1]) * f;
    } else {
        // Largest diagonal element; axes cycle x -> y -> z -> x.
        unsigned i = 0;
        if (m[1][1] > m[0][0])
            i = 1;
        if (m[2][2] > m[i][i])
            i = 2;
        const unsigned j = (i + 1) % 3;
        const unsigned k = (j + 1) % 3;
        const float root = std::sqrt(m[i][i] - m[j][j] - m[k][k] + 1.0f);
        q[i] = 0.5f * root;
        const float f = root != 0.0f ? 0.5f / root : 0.0f;
        q[3] = (m[k][j] - m[j][k]) * f;
        q[j] = (m[j][i] + m[i][j]) * f;
        q[k] = (m[k][i] + m[i][k]) * f;
    }
    return Quaternion(q[0], q[1], q[2], q[3]).normalized();
}

void Matrix::writeBlock(OutStream& out) const {
    for (const Vector3& row : rows)
        out << row;
}

void Matrix::readBlock(InStream& in) {
    for (Vector3& row : rows)
        in >> row;
}

OutStream& operator<<(OutStream& out, const Vector3& v) {
    return out << v.x << v.y << v.z;
}

InStream& operator>>(InStream& in, Vector3& v) {
    return in >> v.x >> v.y >> v.z;
}

} // namespace vx
