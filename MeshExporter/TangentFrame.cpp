#include "MeshExporter/TangentFrame.h"

#include "MeshExporter/ExportErrorList.h"

#include <d3dx9math.h>

#include <cmath>

namespace vx {

const char* const kZeroNormalMessage =
    "found zero length normal when calculating tangent basis!,\t\t\tyou must pass in valid "
    "normals to be used when calculating\t\t\ttangents and binormals.\nPlacing 0.0.1 as normal\n";

namespace {

constexpr float kMinLength = 0.001f;
constexpr float kMinTextureArea = 0.0001f;
constexpr float kParallelCosine = 0.999f;

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
    // A tiny texture area is not inverted, but its sign is kept: on a dense mesh with mirrored
    // coordinates a plain 1 would turn every tangent backwards.
    float r = det < 0.0f ? -1.0f : 1.0f;
    if (std::fabs(det) >= kMinTextureArea)
        r = 1.0f / det;
    return {(e1 * dt2 - e2 * dt1) * r, (e2 * ds1 - e1 * ds2) * r};
}

void orthonormalizeFrame(Vector3& normal, Vector3& tangent, Vector3& binormal) {
    // A normal that is not a finite number has no direction either.
    if (const float length = normal.length(); !(std::isfinite(length) && length >= kMinLength)) {
        exportErrorList().append(kZeroNormalMessage);
        normal = {0.0f, 0.0f, 1.0f};
    }
    const Vector3& n = normal;
    const Vector3 t = tangent - n * Vector3::dot(n, tangent);
    const Vector3 b = binormal - n * Vector3::dot(n, binormal) - t * Vector3::dot(t, binormal);
    tangent = unitVector(t);
    binormal = unitVector(b);
    const bool hasTangent = tangent.length() >= kMinLength;
    if (hasTangent && binormal.length() >= kMinLength) {
        if (Vector3::dot(tangent, binormal) > kParallelCosine)
            binormal = Vector3::cross(n, tangent);
    } else if (tangent.length() <= 0.5f) {
        if (binormal.length() <= 0.5f) {
            const Vector3 yAxis(0.0f, 1.0f, 0.0f);
            const Vector3 xAxis(1.0f, 0.0f, 0.0f);
            tangent = Vector3::cross(n, n.y <= n.x ? yAxis : xAxis);
            // A normal along the chosen axis leaves no tangent; the other axis does.
            if (tangent == Vector3())
                tangent = Vector3::cross(n, n.y <= n.x ? xAxis : yAxis);
            binormal = Vector3::cross(n, tangent);
        } else {
            tangent = Vector3::cross(binormal, n);
        }
    } else {
        binormal = Vector3::cross(n, tangent);
    }
}

} // namespace vx
