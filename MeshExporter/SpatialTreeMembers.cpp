#include "MeshExporter/SpatialTreeMembers.h"

#include <algorithm>

namespace vx {

TreeMembers rootMembers(const std::vector<TreeFace>& faces) {
    TreeMembers members;
    // Filled by push_back: g++'s optimiser reports resize() on an empty vector as a null write.
    members.faces.reserve(faces.size());
    for (std::uint32_t f = 0; f < faces.size(); ++f)
        members.faces.push_back(f);
    // Sorted as (end, face) pairs side by side rather than through the face list.
    std::vector<std::pair<float, std::uint32_t>> keyed(faces.size());
    const auto order = [&](std::vector<std::uint32_t>& out, auto end) {
        for (std::uint32_t f = 0; f < faces.size(); ++f)
            keyed[f] = {end(faces[f]), f};
        std::sort(keyed.begin(), keyed.end(),
                  [](const auto& l, const auto& r) { return l.first < r.first; });
        out.reserve(faces.size());
        for (const auto& entry : keyed)
            out.push_back(entry.second);
    };
    for (unsigned a = 0; a < 3; ++a) {
        order(members.byMin[a], [a](const TreeFace& face) { return along(face.box.min, a); });
        order(members.byMax[a], [a](const TreeFace& face) { return along(face.box.max, a); });
    }
    return members;
}

void splitMembers(const TreeMembers& parent, const std::vector<unsigned char>& sides,
                  std::vector<std::uint32_t>& positions, TreeMembers& left, TreeMembers& right) {
    constexpr std::uint32_t kAbsent = 0xFFFFFFFFu;
    const std::size_t n = parent.size();
    // Each parent position's position in either child.
    if (positions.size() < 2 * n)
        positions.resize(2 * n);
    std::uint32_t* const leftAt = positions.data();
    std::uint32_t* const rightAt = positions.data() + n;
    std::size_t leftCount = 0;
    std::size_t rightCount = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const bool toLeft = (sides[i] & kSideLeft) != 0;
        const bool toRight = (sides[i] & kSideRight) != 0;
        leftAt[i] = toLeft ? static_cast<std::uint32_t>(leftCount) : kAbsent;
        rightAt[i] = toRight ? static_cast<std::uint32_t>(rightCount) : kAbsent;
        leftCount += toLeft ? 1 : 0;
        rightCount += toRight ? 1 : 0;
    }
    // Written without branches, as the sides of faces in another axis's order follow no
    // pattern: every entry is stored and the end moves on only where the face goes. The lists
    // have one spare entry for the store after the last face.
    const auto carry = [&](const std::uint32_t* order, std::vector<std::uint32_t>& l,
                           std::vector<std::uint32_t>& r) {
        l.resize(leftCount + 1);
        r.resize(rightCount + 1);
        std::uint32_t* toLeft = l.data();
        std::uint32_t* toRight = r.data();
        for (std::size_t k = 0; k < n; ++k) {
            const std::uint32_t i = order[k];
            *toLeft = leftAt[i];
            toLeft += leftAt[i] != kAbsent ? 1 : 0;
            *toRight = rightAt[i];
            toRight += rightAt[i] != kAbsent ? 1 : 0;
        }
        l.pop_back();
        r.pop_back();
    };
    left.faces.resize(leftCount);
    right.faces.resize(rightCount);
    for (std::size_t i = 0; i < n; ++i) {
        if (leftAt[i] != kAbsent)
            left.faces[leftAt[i]] = parent.faces[i];
        if (rightAt[i] != kAbsent)
            right.faces[rightAt[i]] = parent.faces[i];
    }
    for (unsigned a = 0; a < 3; ++a) {
        carry(parent.byMin[a].data(), left.byMin[a], right.byMin[a]);
        carry(parent.byMax[a].data(), left.byMax[a], right.byMax[a]);
    }
}

} // namespace vx
