#include "MeshExporter/TriangleBoxOverlap.h"

#include <algorithm>
#include <cmath>

namespace vx {

namespace {

PointD sub(const PointD& a, const PointD& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

PointD cross(const PointD& a, const PointD& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double dot(const PointD& a, const PointD& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// True when the axis separates the triangle (corners relative to the box centre) from the
// box of the given half sizes.
bool separates(const PointD& axis, const std::array<PointD, 3>& v, const PointD& half) {
    const double p0 = dot(axis, v[0]);
    const double p1 = dot(axis, v[1]);
    const double p2 = dot(axis, v[2]);
    const double r =
        half[0] * std::fabs(axis[0]) + half[1] * std::fabs(axis[1]) + half[2] * std::fabs(axis[2]);
    // Rounding must not separate a triangle that touches the box: a relative margin far below
    // the tree's own tolerance.
    const double slack = 1e-12 * (r + std::max({std::fabs(p0), std::fabs(p1), std::fabs(p2)}));
    return std::min({p0, p1, p2}) > r + slack || std::max({p0, p1, p2}) < -r - slack;
}

} // namespace

bool triangleOverlapsBox(const PointD& a, const PointD& b, const PointD& c, const BoxD& box) {
    PointD centre{};
    PointD half{};
    for (std::size_t k = 0; k < 3; ++k) {
        if (std::max({a[k], b[k], c[k]}) < box.min[k] || std::min({a[k], b[k], c[k]}) > box.max[k])
            return false;
        centre[k] = 0.5 * (box.min[k] + box.max[k]);
        half[k] = 0.5 * (box.max[k] - box.min[k]);
    }
    const std::array<PointD, 3> v{sub(a, centre), sub(b, centre), sub(c, centre)};
    const std::array<PointD, 3> edges{sub(v[1], v[0]), sub(v[2], v[1]), sub(v[0], v[2])};
    if (separates(cross(edges[0], edges[1]), v, half))
        return false;
    for (const PointD& edge : edges) {
        for (std::size_t k = 0; k < 3; ++k) {
            PointD unit{};
            unit[k] = 1.0;
            if (separates(cross(unit, edge), v, half))
                return false;
        }
    }
    return true;
}

} // namespace vx
