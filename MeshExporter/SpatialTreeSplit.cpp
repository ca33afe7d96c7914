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

bool containedIn(const TreeFace& face, const TreeBox& box) {
    for (unsigned k = 0; k < 3; ++k)
        if (face.box.min[k] < box.min[k] || face.box.max[k] > box.max[k])
            return false;
    return true;
}

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
    if (containedIn(face, nodeBox)) {
        // A corner inside a closed side box is a shared point: the corner at the face's
        // minimum lies in the left box when it is not above s, the one at its maximum in the
        // right box when it is not below s. Without such a corner the face's box misses the
        // side's box on this axis.
        return (face.box.min[a] <= s ? kSideLeft : 0u) | (face.box.max[a] >= s ? kSideRight : 0u);
    }
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

namespace {

// Per axis, the contained faces' bounds sorted for counting, and the faces that reach beyond
// the node box, which need the exact test.
struct AxisBounds {
    std::vector<float> minima;
    std::vector<float> maxima;
    std::vector<std::uint32_t> byMinimum; // contained faces ordered by their minimum
};

} // namespace

SplitChoice sweepSplitSearch(const std::vector<TreeFace>& faces,
                             const std::vector<std::uint32_t>& members, const TreeBox& box) {
    SplitChoice best;
    std::vector<std::uint32_t> contained;
    std::vector<std::uint32_t> outside;
    for (std::uint32_t f : members)
        (containedIn(faces[f], box) ? contained : outside).push_back(f);
    AxisBounds bounds;
    std::vector<std::uint32_t> outsideByMinimum(outside);
    std::vector<float> outsideMaxima(outside.size());
    std::vector<std::uint32_t> active;
    for (int axis = 0; axis < 3; ++axis) {
        const auto a = static_cast<unsigned>(axis);
        const std::vector<float> candidates = candidatePositions(faces, members, axis, box);
        bounds.byMinimum = contained;
        std::sort(bounds.byMinimum.begin(), bounds.byMinimum.end(),
                  [&](std::uint32_t l, std::uint32_t r) {
                      return faces[l].box.min[a] < faces[r].box.min[a];
                  });
        bounds.minima.resize(contained.size());
        bounds.maxima.resize(contained.size());
        for (std::size_t i = 0; i < contained.size(); ++i) {
            bounds.minima[i] = faces[bounds.byMinimum[i]].box.min[a];
            bounds.maxima[i] = faces[contained[i]].box.max[a];
        }
        std::sort(bounds.maxima.begin(), bounds.maxima.end());

        for (std::size_t i = 0; i < outside.size(); ++i)
            outsideMaxima[i] = faces[outside[i]].box.max[a];
        std::sort(outsideMaxima.begin(), outsideMaxima.end());
        std::sort(outsideByMinimum.begin(), outsideByMinimum.end(),
                  [&](std::uint32_t l, std::uint32_t r) {
                      return faces[l].box.min[a] < faces[r].box.min[a];
                  });
        active.clear();
        std::size_t entered = 0;

        for (float s : candidates) {
            const float lo = leftOnlyBelow(s);
            const float hi = rightOnlyFrom(s);
            // Contained faces, counted: left are those starting at or below s (and below hi),
            // right those ending at or above s, less the in-plane ones, which start in [lo, hi)
            // and end at or below hi.
            const auto startsLeft = static_cast<std::uint32_t>(
                std::partition_point(bounds.minima.begin(), bounds.minima.end(),
                                     [&](float m) { return m <= s && m < hi; }) -
                bounds.minima.begin());
            const auto endsRight = static_cast<std::uint32_t>(
                bounds.maxima.end() -
                std::lower_bound(bounds.maxima.begin(), bounds.maxima.end(), s));
            std::uint32_t planar = 0;
            std::uint32_t planarStartsLeft = 0;
            std::uint32_t planarEndsRight = 0;
            const auto bandBegin = std::lower_bound(bounds.minima.begin(), bounds.minima.end(), lo);
            const auto bandEnd = std::lower_bound(bandBegin, bounds.minima.end(), hi);
            for (auto it = bandBegin; it != bandEnd; ++it) {
                const TreeFace& face =
                    faces[bounds.byMinimum[static_cast<std::size_t>(it - bounds.minima.begin())]];
                if (face.box.max[a] > hi)
                    continue;
                ++planar;
                planarStartsLeft += face.box.min[a] <= s ? 1u : 0u;
                planarEndsRight += face.box.max[a] >= s ? 1u : 0u;
            }
            std::uint32_t left = startsLeft - planarStartsLeft;
            std::uint32_t right = endsRight - planarEndsRight;

            // Faces reaching beyond the node: wholly on one side from sorted bounds, the
            // others classified exactly.
            while (entered < outside.size() && faces[outsideByMinimum[entered]].box.min[a] < hi)
                active.push_back(outsideByMinimum[entered++]);
            std::erase_if(active, [&](std::uint32_t f) { return faces[f].box.max[a] < lo; });
            left += static_cast<std::uint32_t>(
                std::lower_bound(outsideMaxima.begin(), outsideMaxima.end(), lo) -
                outsideMaxima.begin());
            right += static_cast<std::uint32_t>(outside.size() - entered);
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
