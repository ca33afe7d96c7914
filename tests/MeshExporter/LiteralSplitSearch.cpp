#include "tests/MeshExporter/LiteralSplitSearch.h"

#include "MeshExporter/SpatialTreeMembers.h"

#include <algorithm>

namespace vx::test {

SplitChoice literalSplitSearch(const std::vector<TreeFace>& faces, const TreeMembers& node,
                               const TreeBox& box, SplitScratch&) {
    const std::vector<std::uint32_t>& members = node.faces;
    // Each face's part inside the node box is the same for every plane.
    std::vector<FaceExtent> parts;
    parts.reserve(members.size());
    for (std::uint32_t f : members)
        parts.push_back(clippedExtent(faces[f], box));
    SplitChoice best;
    std::vector<float> positions;
    for (int axis = 0; axis < 3; ++axis) {
        const auto a = static_cast<unsigned>(axis);
        positions.clear();
        for (std::uint32_t f : members) {
            positions.push_back(faces[f].box.min[a]);
            positions.push_back(faces[f].box.max[a]);
        }
        std::sort(positions.begin(), positions.end());
        positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
        for (float s : positions) {
            if (s < box.min[a] || s > box.max[a])
                continue;
            std::uint32_t left = 0;
            std::uint32_t right = 0;
            std::uint32_t planar = 0;
            for (std::size_t i = 0; i < members.size(); ++i) {
                const unsigned side = classifyFace(faces[members[i]], axis, s, box, &parts[i]);
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
