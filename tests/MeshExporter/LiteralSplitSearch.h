#pragma once
// The reference split search of the spatial tree: every candidate of every axis, every face
// classified. For tests and fuzzing only.
#include "MeshExporter/SpatialTreeSplit.h"

namespace vx::test {

SplitChoice literalSplitSearch(const std::vector<TreeFace>& faces, const TreeMembers& node,
                               const TreeBox& box, SplitScratch& scratch);

} // namespace vx::test
