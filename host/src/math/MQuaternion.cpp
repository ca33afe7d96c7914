#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MQuaternion.h>
#include <maya/MVector.h>

#include <cmath>

const MQuaternion MQuaternion::identity;

MQuaternion::MQuaternion(double angle, const MVector& axis) {
    const MVector n = axis.normal();
    const double s = std::sin(angle * 0.5);
    x = n.x * s;
    y = n.y * s;
    z = n.z * s;
    w = std::cos(angle * 0.5);
}

MQuaternion MQuaternion::operator*(const MQuaternion& r) const {
    // Row-vector convention: this rotation first, then r; that is the Hamilton product r * this.
    const MQuaternion& a = r;
    const MQuaternion& b = *this;
    return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w,
            a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

MQuaternion& MQuaternion::operator*=(const MQuaternion& right) {
    *this = *this * right;
    return *this;
}

MQuaternion MQuaternion::inverse() const {
    const double n = x * x + y * y + z * z + w * w;
    if (n == 0.0)
        return identity;
    return {-x / n, -y / n, -z / n, w / n};
}

MQuaternion MQuaternion::normal() const {
    const double n = std::sqrt(x * x + y * y + z * z + w * w);
    if (n == 0.0)
        return identity;
    return {x / n, y / n, z / n, w / n};
}

bool MQuaternion::isEquivalent(const MQuaternion& o, double tolerance) const {
    return std::fabs(x - o.x) <= tolerance && std::fabs(y - o.y) <= tolerance &&
           std::fabs(z - o.z) <= tolerance && std::fabs(w - o.w) <= tolerance;
}

MMatrix MQuaternion::asMatrix() const {
    const MQuaternion q = normal();
    const double xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
    const double xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
    const double wx = q.w * q.x, wy = q.w * q.y, wz = q.w * q.z;
    MMatrix m;
    // Row i is the image of axis i.
    m[0][0] = 1.0 - 2.0 * (yy + zz);
    m[0][1] = 2.0 * (xy + wz);
    m[0][2] = 2.0 * (xz - wy);
    m[1][0] = 2.0 * (xy - wz);
    m[1][1] = 1.0 - 2.0 * (xx + zz);
    m[1][2] = 2.0 * (yz + wx);
    m[2][0] = 2.0 * (xz + wy);
    m[2][1] = 2.0 * (yz - wx);
    m[2][2] = 1.0 - 2.0 * (xx + yy);
    return m;
}

MQuaternion& MQuaternion::operator=(const MMatrix& matrix) {
    // Only the rotation counts: each axis row is normalised first so scale does not leak in.
    double r[3][3];
    for (unsigned i = 0; i < 3; ++i) {
        const MVector axis(matrix[i][0], matrix[i][1], matrix[i][2]);
        const double len = axis.length();
        for (unsigned j = 0; j < 3; ++j)
            r[i][j] = len > 0.0 ? matrix[i][j] / len : (i == j ? 1.0 : 0.0);
    }
    const double trace = r[0][0] + r[1][1] + r[2][2];
    if (trace > 0.0) {
        const double s = std::sqrt(trace + 1.0) * 2.0;
        w = 0.25 * s;
        x = (r[1][2] - r[2][1]) / s;
        y = (r[2][0] - r[0][2]) / s;
        z = (r[0][1] - r[1][0]) / s;
    } else if (r[0][0] > r[1][1] && r[0][0] > r[2][2]) {
        const double s = std::sqrt(1.0 + r[0][0] - r[1][1] - r[2][2]) * 2.0;
        w = (r[1][2] - r[2][1]) / s;
        x = 0.25 * s;
        y = (r[1][0] + r[0][1]) / s;
        z = (r[2][0] + r[0][2]) / s;
    } else if (r[1][1] > r[2][2]) {
        const double s = std::sqrt(1.0 + r[1][1] - r[0][0] - r[2][2]) * 2.0;
        w = (r[2][0] - r[0][2]) / s;
        x = (r[1][0] + r[0][1]) / s;
        y = 0.25 * s;
        z = (r[2][1] + r[1][2]) / s;
    } else {
        const double s = std::sqrt(1.0 + r[2][2] - r[0][0] - r[1][1]) * 2.0;
        w = (r[0][1] - r[1][0]) / s;
        x = (r[2][0] + r[0][2]) / s;
        y = (r[2][1] + r[1][2]) / s;
        z = 0.25 * s;
    }
    return *this;
}

MEulerRotation MQuaternion::asEulerRotation() const {
    return MEulerRotation::decompose(asMatrix());
}

namespace {

MMatrix axisRotation(unsigned axis, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    MMatrix m;
    const unsigned a = (axis + 1) % 3;
    const unsigned b = (axis + 2) % 3;
    m[a][a] = c;
    m[a][b] = s;
    m[b][a] = -s;
    m[b][b] = c;
    return m;
}

} // namespace

MMatrix MEulerRotation::asMatrix() const {
    static const unsigned axes[6][3] = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1},
                                        {0, 2, 1}, {1, 0, 2}, {2, 1, 0}};
    const double angles[3] = {x, y, z};
    const unsigned* o = axes[order >= kXYZ && order <= kZYX ? order : kXYZ];
    return axisRotation(o[0], angles[o[0]]) * axisRotation(o[1], angles[o[1]]) *
           axisRotation(o[2], angles[o[2]]);
}

MQuaternion MEulerRotation::asQuaternion() const {
    MQuaternion q;
    q = asMatrix();
    return q;
}

MEulerRotation MEulerRotation::decompose(const MMatrix& m) {
    // m = Rx * Ry * Rz: m[0][2] = -sin y, m[1][2] = sin x cos y, m[2][2] = cos x cos y,
    // m[0][1] = cos y sin z, m[0][0] = cos y cos z.
    double sy = -m[0][2];
    sy = sy > 1.0 ? 1.0 : (sy < -1.0 ? -1.0 : sy);
    const double ry = std::asin(sy);
    double rx = 0.0;
    double rz = 0.0;
    if (std::fabs(sy) < 1.0 - 1.0e-12) {
        rx = std::atan2(m[1][2], m[2][2]);
        rz = std::atan2(m[0][1], m[0][0]);
    } else {
        rx = std::atan2(-m[2][1], m[1][1]);
    }
    return {rx, ry, rz, kXYZ};
}
