#pragma once
// The faces of one node of the spatial tree, kept sorted by their box ends on every axis so the
// split search never sorts them again: the root sorts once, and each split hands its faces to
// the children in the same orders.
#include "MeshExporter/SpatialTreeSplit.h"

#include <cstdint>
#include <vector>

namespace vx {

struct TreeMembers {
    // Face numbers in the order the leaves list them.
    std::vector<std::uint32_t> faces;
    // Per axis, positions in `faces` ordered by the face box's minimum, and by its maximum.
    std::vector<std::uint32_t> byMin[3];
    std::vector<std::uint32_t> byMax[3];

    std::size_t size() const { return faces.size(); }
};

// Every face, in number order.
TreeMembers rootMembers(const std::vector<TreeFace>& faces);

// Hands `parent`'s faces to the children: `sides[i]` (kSideLeft, kSideRight or both) says where
// the face at position i goes. Both children keep the parent's orders. `positions` is working
// space, kept by the caller so that splits do not each allocate it.
void splitMembers(const TreeMembers& parent, const std::vector<unsigned char>& sides,
                  std::vector<std::uint32_t>& positions, TreeMembers& left, TreeMembers& right);

} // namespace vx
