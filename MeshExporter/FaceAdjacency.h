#pragma once
// Which face lies across each edge of a triangle list.
#include "MeshExporter/CollisionFace.h"

#include <cstdint>
#include <vector>

namespace vx {

inline constexpr std::uint32_t kNoNeighbour = 0xFFFFFFFFu;

// Edge 3f + k of face f runs from corner k to corner (k + 1) mod 3. The result holds, per
// edge, the face across it or kNoNeighbour. Edges are paired in the order of their sorted
// vertex pairs; where more than two faces share an edge, consecutive edges pair off two by
// two and an odd one out keeps kNoNeighbour.
std::vector<std::uint32_t> faceAdjacency(const std::vector<CollisionFace>& faces);

} // namespace vx
