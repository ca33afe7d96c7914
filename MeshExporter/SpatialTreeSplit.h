#pragma once
// The pieces of the spatial tree's split search that every search strategy shares: the face
// records, how one face falls against a candidate plane, and the cost of a split. Keeping them
// in one place is what makes the sweep and the plain scan choose the same splits.
#include "MeshExporter/TriangleBoxOverlap.h"
#include "Shared/Base/math/Vector3.h"

#include <cstdint>
#include <vector>

namespace vx {

struct TreeBox {
    Vector3 min;
    Vector3 max;
};

// A face's corners and the box around them.
struct TreeFace {
    PointD corners[3];
    TreeBox box;
};

// A coordinate by axis number (0 to 2) without the checked indexing, for the inner loops.
inline float along(const Vector3& v, unsigned axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

// Positions closer than this count as equal; extents below it count as flat.
inline constexpr float kTreeTolerance = 0.00001f;

enum FaceSide : unsigned { kSideLeft = 1, kSideRight = 2, kSideBoth = 3, kSidePlane = 4 };

// Half the box surface: dx dy + (dx + dy) dz. Inline: the split search costs every candidate.
inline double halfArea(const TreeBox& box) {
    const double dx = static_cast<double>(box.max.x) - static_cast<double>(box.min.x);
    const double dy = static_cast<double>(box.max.y) - static_cast<double>(box.min.y);
    const double dz = static_cast<double>(box.max.z) - static_cast<double>(box.min.z);
    return dx * dy + (dx + dy) * dz;
}

// Faces whose box ends below this lie wholly left of the candidate at `s`.
inline float leftOnlyBelow(float s) {
    return s - kTreeTolerance;
}
// Faces whose box starts at or above this lie wholly right of it.
inline float rightOnlyFrom(float s) {
    return s + kTreeTolerance;
}

// The ends, per axis, of the part of a face inside a box (the box ignored on axes where the
// face is flat and lies within it); empty when the face and the box share no point.
struct FaceExtent {
    bool empty = true;
    double min[3] = {0, 0, 0};
    double max[3] = {0, 0, 0};
};
FaceExtent clippedExtent(const TreeFace& face, const TreeBox& box);

// Whether the face's box lies within `box` on every axis (ends included).
bool containedIn(const TreeFace& face, const TreeBox& box);

// Where `face` falls against the plane at `s` on `axis` of the node box: left, right, both,
// or in the plane; 0 for a face that shares no point with the node box (one that reached the
// node by touching its parent's box where this node has no part), which the node then drops.
// `part`, when given, is clippedExtent(face, nodeBox), which does not depend on the plane: a
// caller classifying a face against many planes finds it once.
unsigned classifyFace(const TreeFace& face, int axis, float s, const TreeBox& nodeBox,
                      const FaceExtent* part = nullptr);

// A face counted from its bounds on one axis: its box ends and the ends of its part inside the
// node box.
struct CountedFace {
    float boxMin;
    float boxMax;
    double partMin;
    double partMax;
};

// classifyFace for a face the search counted (kinds 0 and 1): its part inside the node box
// decides.
unsigned classifyCountedFace(const CountedFace& face, float s);

struct SplitChoice {
    bool found = false;
    int axis = 0;
    float position = 0.0f;
    bool planarRight = false; // the in-plane faces go right (else left)
    double cost = 0.0;
    std::uint32_t left = 0; // faces of each side, in-plane faces counted where they go
    std::uint32_t right = 0;
};

// Offers one candidate (both placements of its in-plane faces) to `best`; the first of equal
// costs stays, so candidates must be offered in axis order, ascending positions.
inline void offerCandidate(SplitChoice& best, const TreeBox& box, int axis, float s,
                           std::uint32_t left, std::uint32_t right, std::uint32_t planar) {
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

// The sorted distinct face box ends on `axis` that lie within the node's extent (ends included).
std::vector<float> candidatePositions(const std::vector<TreeFace>& faces,
                                      const std::vector<std::uint32_t>& members, int axis,
                                      const TreeBox& box);

struct TreeMembers;

// The search's working lists, kept from node to node so that nodes do not each allocate (and
// fault in) their own.
struct SplitScratch {
    // Set by a search that leaves, per axis and by position in the members' face list, each
    // face's bounds and kind (0 within the node box, 1 cut by it, 2 classified exactly).
    bool described = false;
    std::vector<CountedFace> bounds[3];
    std::vector<unsigned char> kinds[3];
    std::vector<float> candidates;
    std::vector<float> minima;
    std::vector<float> maxima;
    std::vector<float> unclippedMinima;
    std::vector<float> unclippedMaxima;
    std::vector<double> raisedMinima;
    std::vector<double> loweredMaxima;
    std::vector<CountedFace> byBoxMin;
    std::vector<std::uint32_t> exact;
    std::vector<float> exactMaxima;
    std::vector<std::uint32_t> active;
};

// The cheapest split of the node holding `members`; found is false when no candidate exists.
using SplitSearch = SplitChoice (*)(const std::vector<TreeFace>& faces, const TreeMembers& members,
                                    const TreeBox& box, SplitScratch& scratch);

// The fast search: each face's part inside the node box is found once; faces are then counted
// from the ends of those parts in the members' sorted orders, moving one mark per count along
// the ascending candidates and visiting only faces in a candidate's plane band. Faces flat on
// the axis that reach beyond the node box get the exact test where they straddle.
SplitChoice sweepSplitSearch(const std::vector<TreeFace>& faces, const TreeMembers& members,
                             const TreeBox& box, SplitScratch& scratch);

} // namespace vx
