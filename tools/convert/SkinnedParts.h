#pragma once
// Which part's bone table a skinned material's vertices index. The file lists a LOD's material
// ranges part by part but does not say where one part's ranges end, so the assignment is
// inferred: ranges go to the parts in order, each part getting at least one, and a range moves
// on to the next part when its local bone indices do not fit the current part's table or when
// the ranges left are just enough for the parts left.
#include "tools/convert/DrawRange.h"
#include "tools/info/MeshFile.h"

#include <cstddef>
#include <vector>

namespace vx::convert {

// One part number per range.
std::vector<std::size_t> assignSkinnedParts(const meshfile::LodBlock& lod,
                                            const std::vector<DrawRange>& ranges);

} // namespace vx::convert
