#include "tests/MeshExporter/LiteralSplitSearch.h"

#include "MeshExporter/SpatialTreeMembers.h"

#include <set>

namespace vx::test {

SplitChoice literalSplitSearch(const std::vector<TreeFace>& faces, const TreeMembers& node,
                               const TreeBox& box, SplitScratch&) {
    const std::vector<std::uint32_t>& members = node.faces;
    SplitChoice best;
    for (int axis = 0; axis < 3; ++axis) {
        const auto a = static_cast<unsigned>(axis);
        std::set<float> positions;
        for (std::uint32_t f : members) {
            positions.insert(faces[f].box.min[a]);
            positions.insert(faces[f].box.max[a]);
        }
        for (float s : positions) {
            if (s < box.min[a] || s > box.max[a])
                continue;
            std::uint32_t left = 0;
            std::uint32_t right = 0;
            std::uint32_t planar = 0;
            for (std::uint32_t f : members) {
                const unsigned side = classifyFace(faces[f], axis, s, box);
                planar += side == kSidePlane ? 1u : 0u;
                left += (side & kSideLeft) && side != kSidePlane ? 1u : 0u;
                right += (side & kSideRight) && side != kSidePlane ? 1u : 0u;
            }
            offerCandidate(best, box, axis, s, left, right, planar);
        }
    }
    return best;
}

} // namespace vx::test
