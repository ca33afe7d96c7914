#pragma once
// Whether a triangle and an axis-aligned box share a point, decided by the separating-axis
// theorem (box axes, triangle normal, and the nine edge cross products).
#include <array>

namespace vx {

struct BoxD {
    std::array<double, 3> min{};
    std::array<double, 3> max{};
};

using PointD = std::array<double, 3>;

// Closed sets: touching counts as overlapping, with a relative margin of 1e-12 for rounding.
bool triangleOverlapsBox(const PointD& a, const PointD& b, const PointD& c, const BoxD& box);

} // namespace vx
