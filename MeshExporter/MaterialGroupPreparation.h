#pragma once
// Cleans a material group's triangle list before it is welded: degenerate triangles and
// duplicates of triangles already kept are dropped, in one pass in triangle order.
#include "MeshExporter/ExportVertex.h"

#include <cstdint>
#include <vector>

namespace vx {

// Squared distance below which two corner positions count as the same point.
inline constexpr float kCoincidentSquaredDistance = 9.999999e-9f;

// `corners` holds consecutive triples of numbers into `vertices`. A triangle is dropped when two
// of its corners coincide, or when a kept triangle whose centroid lies within 0.5 in x and in z
// has at least three coinciding (corner, corner) pairs with it. Returns the kept triples' corners
// in order. Kept triangles are found through a hash grid of their corners, so the pass is linear
// in any orientation for meshes that do not gather many corners on one spot.
// With `withinSourceOnly`, only triangles of the same scene mesh can be duplicates: meshes
// whose vertices stay in their own part's space may lie on one another without being copies.
std::vector<std::uint32_t> prepareMaterialGroup(const ExportVertexList& vertices,
                                                const std::vector<std::uint32_t>& corners,
                                                bool withinSourceOnly = false);

} // namespace vx
