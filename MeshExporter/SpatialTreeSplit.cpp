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
        box.min[k] = static_cast<double>(side.min[k]);
        box.max[k] = static_cast<double>(side.max[k]);
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

// Whether the face is flat on axis k and lies within [low, high] there (with the tolerance):
// the exact test then ignores the box's limits on that axis.
bool widened(const TreeFace& face, unsigned k, float low, float high) {
    return face.box.max[k] - face.box.min[k] < kTreeTolerance &&
           face.box.min[k] >= low - kTreeTolerance && face.box.max[k] <= high + kTreeTolerance;
}

} // namespace

FaceExtent clippedExtent(const TreeFace& face, const TreeBox& box) {
    std::vector<PointD> polygon(face.corners, face.corners + 3);
    std::vector<PointD> next;
    for (unsigned k = 0; k < 3 && !polygon.empty(); ++k) {
        if (widened(face, k, box.min[k], box.max[k]))
            continue;
        for (int side = 0; side < 2 && !polygon.empty(); ++side) {
            const double bound = static_cast<double>(side == 0 ? box.min[k] : box.max[k]);
            const auto inside = [&](const PointD& p) {
                return side == 0 ? p[k] >= bound : p[k] <= bound;
            };
            next.clear();
            for (std::size_t i = 0; i < polygon.size(); ++i) {
                const PointD& p = polygon[i];
                const PointD& q = polygon[(i + 1) % polygon.size()];
                if (inside(p))
                    next.push_back(p);
                if (inside(p) != inside(q)) {
                    const double t = (bound - p[k]) / (q[k] - p[k]);
                    PointD cut{};
                    for (unsigned j = 0; j < 3; ++j)
                        cut[j] = p[j] + t * (q[j] - p[j]);
                    cut[k] = bound;
                    next.push_back(cut);
                }
            }
            polygon.swap(next);
        }
    }
    FaceExtent extent;
    extent.empty = polygon.empty();
    for (unsigned k = 0; k < 3 && !extent.empty; ++k) {
        extent.min[k] = polygon.front()[k];
        extent.max[k] = polygon.front()[k];
        for (const PointD& p : polygon) {
            extent.min[k] = std::min(extent.min[k], p[k]);
            extent.max[k] = std::max(extent.max[k], p[k]);
        }
        // Cut points are interpolated; keep them within the face's own box.
        extent.min[k] = std::max(extent.min[k], static_cast<double>(face.box.min[k]));
        extent.max[k] = std::min(extent.max[k], static_cast<double>(face.box.max[k]));
    }
    return extent;
}

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
    if (face.box.max[a] - face.box.min[a] >= kTreeTolerance) {
        // The part of the face inside the node box reaches the left box when it starts at or
        // below s, the right box when it ends at or above s.
        const FaceExtent extent = clippedExtent(face, nodeBox);
        if (extent.empty)
            return 0;
        return (extent.min[a] <= static_cast<double>(s) ? kSideLeft : 0u) |
               (extent.max[a] >= static_cast<double>(s) ? kSideRight : 0u);
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

// A face counted from its bounds: its box ends on the axis and the ends of its part inside the
// node box.
struct CountedFace {
    float boxMin;
    float boxMax;
    double partMin;
    double partMax;
};

// Whether a counted face goes left at s (it is not in the plane band); `hi` as for s.
bool goesLeft(const CountedFace& f, float s, float hi) {
    const double sd = static_cast<double>(s);
    const double hd = static_cast<double>(hi);
    return (f.partMin <= sd && f.partMin < hd) || (hi == s && f.partMin == sd && f.boxMin < s);
}

} // namespace

SplitChoice sweepSplitSearch(const std::vector<TreeFace>& faces,
                             const std::vector<std::uint32_t>& members, const TreeBox& box) {
    SplitChoice best;
    // The part of each face inside the node box, found once for every axis.
    std::vector<FaceExtent> extents(members.size());
    std::vector<bool> contained(members.size());
    for (std::size_t i = 0; i < members.size(); ++i) {
        const TreeFace& face = faces[members[i]];
        contained[i] = containedIn(face, box);
        if (contained[i]) {
            extents[i].empty = false;
            for (unsigned k = 0; k < 3; ++k) {
                extents[i].min[k] = static_cast<double>(face.box.min[k]);
                extents[i].max[k] = static_cast<double>(face.box.max[k]);
            }
        } else {
            extents[i] = clippedExtent(face, box);
        }
    }
    std::vector<CountedFace> counted;
    std::vector<CountedFace> byBoxMin;
    std::vector<double> partMaxima;
    std::vector<std::uint32_t> exact;
    std::vector<float> exactMaxima;
    std::vector<std::uint32_t> active;
    for (int axis = 0; axis < 3; ++axis) {
        const auto a = static_cast<unsigned>(axis);
        const std::vector<float> candidates = candidatePositions(faces, members, axis, box);
        // Faces outside the node box that are flat on this axis, or whose part inside is
        // empty, take the exact test; the others are counted.
        counted.clear();
        exact.clear();
        for (std::size_t i = 0; i < members.size(); ++i) {
            const TreeFace& face = faces[members[i]];
            const bool flat = face.box.max[a] - face.box.min[a] < kTreeTolerance;
            if (contained[i] || (!flat && !extents[i].empty))
                counted.push_back(
                    {face.box.min[a], face.box.max[a], extents[i].min[a], extents[i].max[a]});
            else
                exact.push_back(members[i]);
        }
        std::sort(counted.begin(), counted.end(),
                  [](const CountedFace& l, const CountedFace& r) { return l.partMin < r.partMin; });
        byBoxMin = counted;
        std::sort(byBoxMin.begin(), byBoxMin.end(),
                  [](const CountedFace& l, const CountedFace& r) { return l.boxMin < r.boxMin; });
        partMaxima.resize(counted.size());
        for (std::size_t i = 0; i < counted.size(); ++i)
            partMaxima[i] = counted[i].partMax;
        std::sort(partMaxima.begin(), partMaxima.end());
        exactMaxima.resize(exact.size());
        for (std::size_t i = 0; i < exact.size(); ++i)
            exactMaxima[i] = faces[exact[i]].box.max[a];
        std::sort(exactMaxima.begin(), exactMaxima.end());
        std::sort(exact.begin(), exact.end(), [&](std::uint32_t l, std::uint32_t r) {
            return faces[l].box.min[a] < faces[r].box.min[a];
        });
        active.clear();
        std::size_t entered = 0;

        for (float s : candidates) {
            const float lo = leftOnlyBelow(s);
            const float hi = rightOnlyFrom(s);
            const double sd = static_cast<double>(s);
            const double hd = static_cast<double>(hi);
            // Counted faces: left when their inside part starts at or below s, right when it
            // ends at or above s; in-plane faces (box from [lo, hi) to at most hi) are taken
            // out of both and counted apart.
            std::uint32_t left = static_cast<std::uint32_t>(
                std::partition_point(
                    counted.begin(), counted.end(),
                    [&](const CountedFace& f) { return f.partMin <= sd && f.partMin < hd; }) -
                counted.begin());
            if (hi == s) {
                // Rounding made the band empty above s: faces starting exactly at s go left
                // only when their box starts below it.
                const auto from =
                    std::partition_point(counted.begin(), counted.end(),
                                         [&](const CountedFace& f) { return f.partMin < sd; });
                for (auto it = from; it != counted.end() && it->partMin == sd; ++it)
                    left += it->boxMin < s ? 1u : 0u;
            }
            std::uint32_t right = static_cast<std::uint32_t>(
                partMaxima.end() - std::lower_bound(partMaxima.begin(), partMaxima.end(), sd));
            std::uint32_t planar = 0;
            const auto bandBegin =
                std::partition_point(byBoxMin.begin(), byBoxMin.end(),
                                     [&](const CountedFace& f) { return f.boxMin < lo; });
            for (auto it = bandBegin; it != byBoxMin.end() && it->boxMin < hi; ++it) {
                if (it->boxMax > hi)
                    continue;
                ++planar;
                left -= goesLeft(*it, s, hi) ? 1u : 0u;
                right -= it->partMax >= sd ? 1u : 0u;
            }

            // The other faces: wholly on one side from sorted box ends, the rest classified
            // exactly.
            while (entered < exact.size() && faces[exact[entered]].box.min[a] < hi)
                active.push_back(exact[entered++]);
            std::erase_if(active, [&](std::uint32_t f) { return faces[f].box.max[a] < lo; });
            left += static_cast<std::uint32_t>(
                std::lower_bound(exactMaxima.begin(), exactMaxima.end(), lo) - exactMaxima.begin());
            right += static_cast<std::uint32_t>(exact.size() - entered);
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
