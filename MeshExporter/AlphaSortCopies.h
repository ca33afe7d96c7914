#pragma once
// Alpha-blended materials carry their triangles once per viewing direction, each copy sorted
// back to front for a viewer far out in that direction, so the engine draws the copy that
// matches the camera without sorting at run time.
#include "MeshExporter/ExportVertex.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vx {

inline constexpr std::uint32_t kSortCopies = 8;

// Returns `copies` lists of `indices` (three per triangle over `vertices`) one after the other.
// Copy k looks from the point (100 sin a, 100 cos a) in the x-z plane, a = (k + 0.5) x 360 /
// copies degrees, and lists the triangles farthest from it first (by their centroids'
// horizontal distance; of equal distances, the later triangle first).
std::vector<std::uint16_t> buildSortCopies(std::span<const ExportVertex> vertices,
                                           const std::vector<std::uint16_t>& indices,
                                           std::uint32_t copies = kSortCopies);

} // namespace vx
