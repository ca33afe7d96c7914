#include "MeshExporter/SpatialTreeMembers.h"

#include <algorithm>

namespace vx {

TreeMembers rootMembers(const std::vector<TreeFace>& faces) {
    TreeMembers members;
    // Filled by push_back: g++'s optimiser reports resize() on an empty vector as a null write.
    members.faces.reserve(faces.size());
    for (std::uint32_t f = 0; f < faces.size(); ++f)
        members.faces.push_back(f);
    for (unsigned a = 0; a < 3; ++a) {
        members.byMin[a] = members.faces;
        std::sort(members.byMin[a].begin(), members.byMin[a].end(),
                  [&](std::uint32_t l, std::uint32_t r) {
                      return along(faces[l].box.min, a) < along(faces[r].box.min, a);
                  });
        members.byMax[a] = members.faces;
        std::sort(members.byMax[a].begin(), members.byMax[a].end(),
                  [&](std::uint32_t l, std::uint32_t r) {
                      return along(faces[l].box.max, a) < along(faces[r].box.max, a);
                  });
    }
    return members;
}

void splitMembers(const TreeMembers& parent, const std::vector<unsigned char>& sides,
                  std::vector<std::uint32_t>& positions, TreeMembers& left, TreeMembers& right) {
    constexpr std::uint32_t kAbsent = 0xFFFFFFFFu;
    const std::size_t n = parent.size();
    // Each parent position's position in either child.
    positions.assign(2 * n, kAbsent);
    std::uint32_t* const leftAt = positions.data();
    std::uint32_t* const rightAt = positions.data() + n;
    left.faces.clear();
    right.faces.clear();
    for (std::size_t i = 0; i < n; ++i) {
        if (sides[i] & kSideLeft) {
            leftAt[i] = static_cast<std::uint32_t>(left.faces.size());
            left.faces.push_back(parent.faces[i]);
        }
        if (sides[i] & kSideRight) {
            rightAt[i] = static_cast<std::uint32_t>(right.faces.size());
            right.faces.push_back(parent.faces[i]);
        }
    }
    const auto carry = [&](const std::vector<std::uint32_t>& order, std::vector<std::uint32_t>& l,
                           std::vector<std::uint32_t>& r) {
        l.clear();
        r.clear();
        l.reserve(left.faces.size());
        r.reserve(right.faces.size());
        for (std::uint32_t i : order) {
            if (leftAt[i] != kAbsent)
                l.push_back(leftAt[i]);
            if (rightAt[i] != kAbsent)
                r.push_back(rightAt[i]);
        }
    };
    for (unsigned a = 0; a < 3; ++a) {
        carry(parent.byMin[a], left.byMin[a], right.byMin[a]);
        carry(parent.byMax[a], left.byMax[a], right.byMax[a]);
    }
}

} // namespace vx
