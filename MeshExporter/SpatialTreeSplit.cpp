#include "MeshExporter/SpatialTreeSplit.h"

#include "MeshExporter/SpatialTreeMembers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

namespace vx {

namespace {

constexpr double kWide = 1e9;

// The first entry of `list` grown to at least n entries. Lists kept from node to node only
// grow, so that they are not filled again whenever a larger node follows a smaller one.
template <class T>
T* room(std::vector<T>& list, std::size_t n) {
    if (list.size() < n)
        list.resize(n);
    return list.data();
}

// The side box as the exact test sees it: widened on every axis where the face is flat and
// lies within the box, so a flat face on the box's surface is not lost to rounding.
BoxD sideBox(const TreeFace& face, const TreeBox& side) {
    BoxD box;
    for (unsigned k = 0; k < 3; ++k) {
        box.min[k] = static_cast<double>(along(side.min, k));
        box.max[k] = static_cast<double>(along(side.max, k));
        const bool flat = along(face.box.max, k) - along(face.box.min, k) < kTreeTolerance;
        const bool within = along(face.box.min, k) >= along(side.min, k) - kTreeTolerance &&
                            along(face.box.max, k) <= along(side.max, k) + kTreeTolerance;
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
    return along(face.box.max, k) - along(face.box.min, k) < kTreeTolerance &&
           along(face.box.min, k) >= low - kTreeTolerance &&
           along(face.box.max, k) <= high + kTreeTolerance;
}

} // namespace

FaceExtent clippedExtent(const TreeFace& face, const TreeBox& box) {
    // Each of the six planes adds at most one corner to the three of the triangle.
    constexpr std::size_t kMostCorners = 9;
    PointD buffers[2][kMostCorners];
    PointD* polygon = buffers[0];
    PointD* next = buffers[1];
    std::size_t count = 3;
    std::copy(face.corners, face.corners + 3, polygon);
    for (unsigned k = 0; k < 3 && count > 0; ++k) {
        if (widened(face, k, along(box.min, k), along(box.max, k)))
            continue;
        for (int side = 0; side < 2 && count > 0; ++side) {
            const double bound =
                static_cast<double>(side == 0 ? along(box.min, k) : along(box.max, k));
            const auto inside = [&](const PointD& p) {
                return side == 0 ? p[k] >= bound : p[k] <= bound;
            };
            // A plane that keeps every corner leaves the polygon as it is.
            if (std::all_of(polygon, polygon + count, inside))
                continue;
            std::size_t kept = 0;
            for (std::size_t i = 0; i < count; ++i) {
                const PointD& p = polygon[i];
                const PointD& q = polygon[i + 1 == count ? 0 : i + 1];
                const bool pInside = inside(p);
                if (pInside)
                    next[kept++] = p;
                if (pInside != inside(q)) {
                    const double t = (bound - p[k]) / (q[k] - p[k]);
                    PointD& cut = next[kept++];
                    for (unsigned j = 0; j < 3; ++j)
                        cut[j] = j == k ? bound : p[j] + t * (q[j] - p[j]);
                }
            }
            std::swap(polygon, next);
            count = kept;
        }
    }
    FaceExtent extent;
    extent.empty = count == 0;
    for (unsigned k = 0; k < 3 && !extent.empty; ++k) {
        extent.min[k] = polygon[0][k];
        extent.max[k] = polygon[0][k];
        for (const PointD& p : std::span(polygon, count)) {
            extent.min[k] = std::min(extent.min[k], p[k]);
            extent.max[k] = std::max(extent.max[k], p[k]);
        }
        // Cut points are interpolated; keep them within the face's own box.
        extent.min[k] = std::max(extent.min[k], static_cast<double>(along(face.box.min, k)));
        extent.max[k] = std::min(extent.max[k], static_cast<double>(along(face.box.max, k)));
    }
    return extent;
}

bool containedIn(const TreeFace& face, const TreeBox& box) {
    for (unsigned k = 0; k < 3; ++k)
        if (along(face.box.min, k) < along(box.min, k) ||
            along(face.box.max, k) > along(box.max, k))
            return false;
    return true;
}

namespace {

// Where a face falls by its box alone: wholly left, wholly right or in the plane; 0 when its box
// reaches across the plane band.
unsigned sideByBox(float boxMin, float boxMax, float s) {
    const float lo = leftOnlyBelow(s);
    const float hi = rightOnlyFrom(s);
    if (boxMax < lo)
        return kSideLeft;
    if (boxMin >= hi)
        return kSideRight;
    if (boxMin >= lo && boxMax <= hi)
        return kSidePlane;
    return 0;
}

// The sides reached by the part of a face inside the node box: the left box when the part starts
// at or below s, the right box when it ends at or above s.
unsigned sideByPart(double partMin, double partMax, float s) {
    return (partMin <= static_cast<double>(s) ? kSideLeft : 0u) |
           (partMax >= static_cast<double>(s) ? kSideRight : 0u);
}

} // namespace

unsigned classifyCountedFace(const CountedFace& face, float s) {
    const unsigned side = sideByBox(face.boxMin, face.boxMax, s);
    return side != 0 ? side : sideByPart(face.partMin, face.partMax, s);
}

unsigned classifyFace(const TreeFace& face, int axis, float s, const TreeBox& nodeBox,
                      const FaceExtent* part) {
    const auto a = static_cast<unsigned>(axis);
    if (const unsigned side = sideByBox(along(face.box.min, a), along(face.box.max, a), s))
        return side;
    if (containedIn(face, nodeBox)) {
        // A corner inside a closed side box is a shared point: the corner at the face's
        // minimum lies in the left box when it is not above s, the one at its maximum in the
        // right box when it is not below s. Without such a corner the face's box misses the
        // side's box on this axis.
        return (along(face.box.min, a) <= s ? kSideLeft : 0u) |
               (along(face.box.max, a) >= s ? kSideRight : 0u);
    }
    if (along(face.box.max, a) - along(face.box.min, a) >= kTreeTolerance) {
        const FaceExtent extent = part ? *part : clippedExtent(face, nodeBox);
        return extent.empty ? 0u : sideByPart(extent.min[a], extent.max[a], s);
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

std::vector<float> candidatePositions(const std::vector<TreeFace>& faces,
                                      const std::vector<std::uint32_t>& members, int axis,
                                      const TreeBox& box) {
    const auto a = static_cast<unsigned>(axis);
    std::vector<float> values;
    values.reserve(members.size() * 2);
    for (std::uint32_t f : members) {
        values.push_back(along(faces[f].box.min, a));
        values.push_back(along(faces[f].box.max, a));
    }
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    std::erase_if(values, [&](float v) { return v < along(box.min, a) || v > along(box.max, a); });
    return values;
}

namespace {

// Whether a counted face goes left at s (it is not in the plane band); `hi` as for s.
bool goesLeft(const CountedFace& f, float s, float hi) {
    const double sd = static_cast<double>(s);
    const double hd = static_cast<double>(hi);
    return (f.partMin <= sd && f.partMin < hd) || (hi == s && f.partMin == sd && f.boxMin < s);
}

} // namespace

namespace {

// The candidate positions on `axis` from the members' distinct box minima and maxima, each
// ascending, as candidatePositions gives them. Where the node holds both zeros (-0 and +0
// compare equal but are written differently), which of them stands for the pair depends on the
// order of a sort of all box ends, so that sort is made as candidatePositions makes it.
std::span<const float>
sortedCandidates(const std::vector<TreeFace>& faces, const TreeMembers& members, int axis,
                 const TreeBox& box, std::span<const float> minima, std::span<const float> maxima,
                 std::span<const CountedFace> bounds, std::vector<float>& values) {
    const auto a = static_cast<unsigned>(axis);
    float* const out = room(values, 2 * bounds.size());
    std::size_t count = 0;
    const auto add = [&](float v) {
        if (count == 0 || out[count - 1] != v)
            out[count++] = v;
    };
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < minima.size() && j < maxima.size()) {
        if (minima[i] <= maxima[j])
            add(minima[i++]);
        else
            add(maxima[j++]);
    }
    for (; i < minima.size(); ++i)
        add(minima[i]);
    for (; j < maxima.size(); ++j)
        add(maxima[j]);
    const float* const zero = std::lower_bound(out, out + count, 0.0f);
    if (zero != out + count && *zero == 0.0f) {
        bool negative = false;
        bool positive = false;
        for (const CountedFace& f : bounds) {
            for (const float v : {f.boxMin, f.boxMax}) {
                if (v == 0.0f) {
                    negative |= std::signbit(v);
                    positive |= !std::signbit(v);
                }
            }
        }
        if (negative && positive) {
            const std::vector<float> sorted = candidatePositions(faces, members.faces, axis, box);
            std::copy(sorted.begin(), sorted.end(), out);
            return {out, sorted.size()};
        }
    }
    const float* const end = std::remove_if(
        out, out + count, [&](float v) { return v < along(box.min, a) || v > along(box.max, a); });
    return {out, static_cast<std::size_t>(end - out)};
}

} // namespace

SplitChoice sweepSplitSearch(const std::vector<TreeFace>& faces, const TreeMembers& members,
                             const TreeBox& box, SplitScratch& scratch) {
    SplitChoice best;
    const std::size_t n = members.size();
    // Each face's bounds and the part of it inside the node box, found once for every axis.
    // Faces outside the node box that are flat on an axis, or whose part inside is empty, take
    // the exact test on that axis (kind 2); the others are counted, those contained in the box
    // (kind 0) apart from those it cuts (kind 1).
    scratch.described = true;
    CountedFace* bounds[3];
    unsigned char* kinds[3];
    for (unsigned a = 0; a < 3; ++a) {
        bounds[a] = room(scratch.bounds[a], n);
        kinds[a] = room(scratch.kinds[a], n);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const TreeFace& face = faces[members.faces[i]];
        const bool contained = containedIn(face, box);
        FaceExtent extent;
        if (contained) {
            extent.empty = false;
            for (unsigned k = 0; k < 3; ++k) {
                extent.min[k] = static_cast<double>(along(face.box.min, k));
                extent.max[k] = static_cast<double>(along(face.box.max, k));
            }
        } else {
            extent = clippedExtent(face, box);
        }
        for (unsigned a = 0; a < 3; ++a) {
            const float lo = along(face.box.min, a);
            const float hi = along(face.box.max, a);
            const bool flat = hi - lo < kTreeTolerance;
            bounds[a][i] = {lo, hi, extent.min[a], extent.max[a]};
            kinds[a][i] = contained ? 0 : (!flat && !extent.empty) ? 1 : 2;
        }
    }
    float* const minima = room(scratch.minima, n);
    float* const maxima = room(scratch.maxima, n);
    float* const unclippedMinima = room(scratch.unclippedMinima, n);
    float* const unclippedMaxima = room(scratch.unclippedMaxima, n);
    double* const raisedMinima = room(scratch.raisedMinima, n);
    double* const loweredMaxima = room(scratch.loweredMaxima, n);
    CountedFace* const byBoxMinList = room(scratch.byBoxMin, n);
    std::vector<std::uint32_t>& exact = scratch.exact;
    std::vector<float>& exactMaxima = scratch.exactMaxima;
    std::vector<std::uint32_t>& active = scratch.active;
    for (int axis = 0; axis < 3; ++axis) {
        const auto a = static_cast<unsigned>(axis);
        const CountedFace* const faceBounds = bounds[a];
        const unsigned char* const faceKinds = kinds[a];
        // One pass over each sorted order gathers what the sweep reads. Where a face's part
        // inside the node box ends where its box does (always for a contained face), the part's
        // ends come sorted with the box's and compare as the float box ends do; only the faces
        // the node box clips on this axis are sorted apart, each side with marks of its own.
        // The box ends go to the candidates each value once: a repeat is stored but not kept.
        std::size_t minimaSize = 0;
        std::size_t maximaSize = 0;
        float lastEnd = std::numeric_limits<float>::quiet_NaN();
        std::size_t unclippedSize = 0;
        std::size_t raisedSize = 0;
        std::size_t byBoxMinSize = 0;
        exact.clear();
        for (std::size_t k = 0; k < n; ++k) {
            const std::uint32_t i = members.byMin[a][k];
            const CountedFace& f = faceBounds[i];
            minima[minimaSize] = f.boxMin;
            minimaSize += f.boxMin != lastEnd ? 1 : 0;
            lastEnd = f.boxMin;
            if (faceKinds[i] == 2) {
                exact.push_back(members.faces[i]);
                continue;
            }
            byBoxMinList[byBoxMinSize++] = f;
            const bool raised = f.partMin != static_cast<double>(f.boxMin);
            unclippedMinima[unclippedSize] = f.boxMin;
            unclippedSize += raised ? 0 : 1;
            raisedMinima[raisedSize] = f.partMin;
            raisedSize += raised ? 1 : 0;
        }
        std::size_t unclippedMaximaSize = 0;
        std::size_t loweredSize = 0;
        exactMaxima.clear();
        lastEnd = std::numeric_limits<float>::quiet_NaN();
        for (std::size_t k = 0; k < n; ++k) {
            const std::uint32_t i = members.byMax[a][k];
            const CountedFace& f = faceBounds[i];
            maxima[maximaSize] = f.boxMax;
            maximaSize += f.boxMax != lastEnd ? 1 : 0;
            lastEnd = f.boxMax;
            if (faceKinds[i] == 2) {
                exactMaxima.push_back(f.boxMax);
                continue;
            }
            const bool lowered = f.partMax != static_cast<double>(f.boxMax);
            unclippedMaxima[unclippedMaximaSize] = f.boxMax;
            unclippedMaximaSize += lowered ? 0 : 1;
            loweredMaxima[loweredSize] = f.partMax;
            loweredSize += lowered ? 1 : 0;
        }
        std::sort(raisedMinima, raisedMinima + raisedSize);
        std::sort(loweredMaxima, loweredMaxima + loweredSize);
        const std::span<const float> candidates =
            sortedCandidates(faces, members, axis, box, {minima, minimaSize}, {maxima, maximaSize},
                             {faceBounds, n}, scratch.candidates);
        const std::span<const CountedFace> byBoxMin(byBoxMinList, byBoxMinSize);
        active.clear();
        std::size_t entered = 0;
        // Marks that only move forward as the candidates ascend.
        std::size_t unclippedLeftMark = 0;
        std::size_t raisedLeftMark = 0;
        std::size_t raisedBelowMark = 0;
        std::size_t raisedAtMark = 0;
        std::size_t unclippedRightMark = 0;
        std::size_t loweredRightMark = 0;
        std::size_t bandMark = 0;
        std::size_t exactLeftMark = 0;

        for (float s : candidates) {
            const float lo = leftOnlyBelow(s);
            const float hi = rightOnlyFrom(s);
            const double sd = static_cast<double>(s);
            const double hd = static_cast<double>(hi);
            // Counted faces: left when their inside part starts at or below s, right when it
            // ends at or above s; in-plane faces (box from [lo, hi) to at most hi) are taken
            // out of both and counted apart.
            while (unclippedLeftMark < unclippedSize && unclippedMinima[unclippedLeftMark] <= s &&
                   unclippedMinima[unclippedLeftMark] < hi)
                ++unclippedLeftMark;
            while (raisedLeftMark < raisedSize && raisedMinima[raisedLeftMark] <= sd &&
                   raisedMinima[raisedLeftMark] < hd)
                ++raisedLeftMark;
            auto left = static_cast<std::uint32_t>(unclippedLeftMark + raisedLeftMark);
            if (hi == s) {
                // Rounding made the band empty above s: faces starting exactly at s go left
                // only when their box starts below it, which only a raised part's box can.
                while (raisedBelowMark < raisedSize && raisedMinima[raisedBelowMark] < sd)
                    ++raisedBelowMark;
                raisedAtMark = std::max(raisedAtMark, raisedBelowMark);
                while (raisedAtMark < raisedSize && raisedMinima[raisedAtMark] == sd)
                    ++raisedAtMark;
                left += static_cast<std::uint32_t>(raisedAtMark - raisedBelowMark);
            }
            while (unclippedRightMark < unclippedMaximaSize &&
                   unclippedMaxima[unclippedRightMark] < s)
                ++unclippedRightMark;
            while (loweredRightMark < loweredSize && loweredMaxima[loweredRightMark] < sd)
                ++loweredRightMark;
            auto right = static_cast<std::uint32_t>(unclippedMaximaSize - unclippedRightMark +
                                                    loweredSize - loweredRightMark);
            std::uint32_t planar = 0;
            while (bandMark < byBoxMin.size() && byBoxMin[bandMark].boxMin < lo)
                ++bandMark;
            for (std::size_t k = bandMark; k < byBoxMin.size() && byBoxMin[k].boxMin < hi; ++k) {
                const CountedFace& f = byBoxMin[k];
                if (f.boxMax > hi)
                    continue;
                ++planar;
                left -= goesLeft(f, s, hi) ? 1u : 0u;
                right -= f.partMax >= sd ? 1u : 0u;
            }

            // The other faces: wholly on one side from sorted box ends, the rest classified
            // exactly.
            while (entered < exact.size() && along(faces[exact[entered]].box.min, a) < hi)
                active.push_back(exact[entered++]);
            std::erase_if(active, [&](std::uint32_t f) { return along(faces[f].box.max, a) < lo; });
            while (exactLeftMark < exactMaxima.size() && exactMaxima[exactLeftMark] < lo)
                ++exactLeftMark;
            left += static_cast<std::uint32_t>(exactLeftMark);
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
