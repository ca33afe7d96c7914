#include "MeshExporter/TangentFrame.h"

#include "MeshExporter/ExportErrorList.h"

#include <d3dx9math.h>

#include <cmath>

namespace vx {

const char* const kZeroNormalMessage =
    "found zero length normal when calculating tangent basis!,\t\t\tyou must pass in valid "
    "normals to be used when calculating\t\t\ttangents and binormals.\nPlacing 0.0.1 as normal\n";

namespace {

constexpr float kMinNormalLength = 0.001f;
constexpr float kMinTextureArea = 0.0001f;
// What must remain of a vector, relative to its length, once the components along the frame's
// axes are removed; less than this is rounding noise and has no direction worth keeping.
constexpr float kMinRemainder = 0.001f;

Vector3 withoutComponent(const Vector3& v, const Vector3& unitAxis) {
    return v - unitAxis * Vector3::dot(unitAxis, v);
}

// The unit direction of v with its components along the unit (or zero) axes a and b removed.
// The removal runs twice: once is not enough when most of v lay along the axes.
Vector3 perpendicularDirection(const Vector3& v, const Vector3& a, const Vector3& b) {
    const Vector3 rest = withoutComponent(withoutComponent(v, a), b);
    if (!(rest.length() >= kMinRemainder * v.length()))
        return {};
    return unitVector(withoutComponent(withoutComponent(unitVector(rest), a), b));
}

bool hasDirection(const Vector3& unitOrZero) {
    return unitOrZero.length() >= kMinNormalLength;
}

} // namespace

Vector3 unitVector(const Vector3& v) {
    const D3DXVECTOR3 in(v.x, v.y, v.z);
    D3DXVECTOR3 out;
    D3DXVec3Normalize(&out, &in);
    return {out.x, out.y, out.z};
}

TriangleBasis triangleBasis(const Vector3 (&p)[3], const float (&s)[3], const float (&t)[3]) {
    const Vector3 e1 = p[1] - p[0];
    const Vector3 e2 = p[2] - p[0];
    const float ds1 = s[1] - s[0];
    const float dt1 = t[1] - t[0];
    const float ds2 = s[2] - s[0];
    const float dt2 = t[2] - t[0];
    const float det = ds1 * dt2 - ds2 * dt1;
    const float r = std::fabs(det) >= kMinTextureArea ? 1.0f / det : 1.0f;
    return {(e1 * dt2 - e2 * dt1) * r, (e2 * ds1 - e1 * ds2) * r};
}

void orthonormalizeFrame(Vector3& normal, Vector3& tangent, Vector3& binormal) {
    // A normal that is not a finite number has no direction either.
    if (const float length = normal.length();
        !(std::isfinite(length) && length >= kMinNormalLength)) {
        exportErrorList().append(kZeroNormalMessage);
        normal = {0.0f, 0.0f, 1.0f};
    }
    // Projections need a unit normal; the vertex keeps the normal it was given.
    const Vector3 n = unitVector(normal);
    Vector3 t = perpendicularDirection(tangent, n, {});
    Vector3 b = perpendicularDirection(binormal, n, t);
    if (!hasDirection(t)) {
        if (!hasDirection(b)) {
            // Any tangent plane will do; the axis least aligned with the normal keeps the
            // cross product long.
            const Vector3 axis = std::fabs(n.y) <= std::fabs(n.x) ? Vector3(0.0f, 1.0f, 0.0f)
                                                                  : Vector3(1.0f, 0.0f, 0.0f);
            t = unitVector(Vector3::cross(n, axis));
            b = unitVector(Vector3::cross(n, t));
        } else {
            t = unitVector(Vector3::cross(b, n));
        }
    } else if (!hasDirection(b)) {
        b = unitVector(Vector3::cross(n, t));
    }
    tangent = t;
    binormal = b;
}

} // namespace vx
