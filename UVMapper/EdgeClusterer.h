#pragma once
// Grows the clusters over shared edges. A triangle can only join through an edge it shares
// with a member, so each member looks at the unassigned triangles on its own edges instead of
// at every later triangle; taken in index order, they join in the order a scan over all later
// triangles would meet them.
#include "UVMapper/UVMapperRecords.h"

#include <cstdint>
#include <vector>

namespace vx {

// Needs each triangle's welded positions, axis and face normal, and every cluster number -1.
// Appends the clusters (members and seed axis) in the order their seeds come, sets each
// triangle's cluster number and appends the members to `members`.
void growClustersOverEdges(std::vector<UVTriangle>& triangles, std::vector<UVCluster>& clusters,
                           std::vector<std::uint32_t>& members);

} // namespace vx
