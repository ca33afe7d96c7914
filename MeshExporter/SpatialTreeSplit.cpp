#include "MeshExporter/SpatialTreeSplit.h"

#include <algorithm>

namespace vx {

namespace {

constexpr double kWide = 1e9;

// The side box as the exact test sees it: widened on every axis where the face is flat and
// lies within the box, so a flat face on the box's surface is not lost to rounding.
BoxD sideBox(const TreeFace& face, const TreeBox& side) {
    BoxD box;
    for (unsigned k = 0; k < 3; ++k) {
        box.min[k] = side.min[k];
        box.max[k] = side.max[k];
        const bool flat = face.box.max[k] - face.box.min[k] < kTreeTolerance;
        const bool within = face.box.min[k] >= side.min[k] - kTreeTolerance &&
                            face.box.max[k] <= side.max[k] + kTreeTolerance;
        if (flat && within) {
            box.min[k] = -kWide;
            box.max[k] = kWide;
        }
    }
    return box;
}

} // namespace

double halfArea(const TreeBox& box) {
    const double dx = static_cast<double>(box.max.x) - static_cast<double>(box.min.x);
    const double dy = static_cast<double>(box.max.y) - static_cast<double>(box.min.y);
    const double dz = static_cast<double>(box.max.z) - static_cast<double>(box.min.z);
    return dx * dy + (dx + dy) * dz;
}

unsigned classifyFace(const TreeFace& face, int axis, float s, const TreeBox& nodeBox) {
    const auto a = static_cast<unsigned>(axis);
    const float lo = leftOnlyBelow(s);
    const float hi = rightOnlyFrom(s);
    if (face.box.max[a] < lo)
        return kSideLeft;
    if (face.box.min[a] >= hi)
        return kSideRight;
    if (face.box.min[a] >= lo && face.box.max[a] <= hi)
        return kSidePlane;
    TreeBox left = nodeBox;
    left.max[a] = s;
    TreeBox right = nodeBox;
    right.min[a] = s;
    unsigned side = 0;
    if (triangleOverlapsBox(face.corners[0], face.corners[1], face.corners[2], sideBox(face, left)))
        side |= kSideLeft;
    if (triangleOverlapsBox(face.corners[0], face.corners[1], face.corners[2],
                            sideBox(face, right)))
        side |= kSideRight;
    return side;
}

void offerCandidate(SplitChoice& best, const TreeBox& box, int axis, float s, std::uint32_t left,
                    std::uint32_t right, std::uint32_t planar) {
    const auto a = static_cast<unsigned>(axis);
    TreeBox leftBox = box;
    leftBox.max[a] = s;
    TreeBox rightBox = box;
    rightBox.min[a] = s;
    const double leftArea = halfArea(leftBox);
    const double rightArea = halfArea(rightBox);
    const auto consider = [&](std::uint32_t nl, std::uint32_t nr, bool planarRight) {
        const double cost = nl * leftArea + nr * rightArea;
        if (!best.found || cost < best.cost)
            best = {true, axis, s, planarRight, cost, nl, nr};
    };
    consider(left + planar, right, false);
    if (planar > 0)
        consider(left, right + planar, true);
}

std::vector<float> candidatePositions(const std::vector<TreeFace>& faces,
                                      const std::vector<std::uint32_t>& members, int axis,
                                      const TreeBox& box) {
    const auto a = static_cast<unsigned>(axis);
    std::vector<float> values;
    values.reserve(members.size() * 2);
    for (std::uint32_t f : members) {
        values.push_back(faces[f].box.min[a]);
        values.push_back(faces[f].box.max[a]);
    }
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    std::erase_if(values, [&](float v) { return v < box.min[a] || v > box.max[a]; });
    return values;
}

SplitChoice sweepSplitSearch(const std::vector<TreeFace>& faces,
                             const std::vector<std::uint32_t>& members, const TreeBox& box) {
    SplitChoice best;
    const std::size_t n = members.size();
    std::vector<float> maxima(n);
    std::vector<std::uint32_t> byMinimum(members);
    std::vector<std::uint32_t> active;
    for (int axis = 0; axis < 3; ++axis) {
        const auto a = static_cast<unsigned>(axis);
        const std::vector<float> candidates = candidatePositions(faces, members, axis, box);
        for (std::size_t i = 0; i < n; ++i)
            maxima[i] = faces[members[i]].box.max[a];
        std::sort(maxima.begin(), maxima.end());
        std::sort(byMinimum.begin(), byMinimum.end(), [&](std::uint32_t l, std::uint32_t r) {
            return faces[l].box.min[a] < faces[r].box.min[a];
        });
        active.clear();
        std::size_t entered = 0;
        for (float s : candidates) {
            const float lo = leftOnlyBelow(s);
            const float hi = rightOnlyFrom(s);
            // Faces starting below hi: those ending below lo are left-only, the rest straddle.
            while (entered < n && faces[byMinimum[entered]].box.min[a] < hi)
                active.push_back(byMinimum[entered++]);
            std::erase_if(active, [&](std::uint32_t f) { return faces[f].box.max[a] < lo; });
            const auto leftOnly = static_cast<std::uint32_t>(
                std::lower_bound(maxima.begin(), maxima.end(), lo) - maxima.begin());
            const auto rightOnly = static_cast<std::uint32_t>(n - entered);
            std::uint32_t left = leftOnly;
            std::uint32_t right = rightOnly;
            std::uint32_t planar = 0;
            for (std::uint32_t f : active) {
                const unsigned side = classifyFace(faces[f], axis, s, box);
                if (side == kSidePlane)
                    ++planar;
                left += (side & kSideLeft) ? 1u : 0u;
                right += (side & kSideRight) ? 1u : 0u;
            }
            offerCandidate(best, box, axis, s, left, right, planar);
        }
    }
    return best;
}

} // namespace vx
