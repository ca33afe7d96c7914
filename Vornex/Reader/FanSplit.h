#pragma once
// Splits the fans around a mesh vertex into groups of corners that can share one output
// vertex. Host-free: the caller decides, per junction between two consecutive corners,
// whether something (a hard edge, a material, a UV id, a colour) keeps them apart.
#include "Vornex/Reader/FanWalk.h"

#include <cstdint>
#include <vector>

namespace vx {

struct CornerGroups {
    std::vector<std::int32_t> groupOf;       // per position of FanSet::corners
    std::vector<std::uint32_t> firstOfGroup; // per group: the position of its first corner
    std::size_t count() const { return firstOfGroup.size(); }
};

// `cut[p]` tells whether the junction after position p separates its two corners (ignored
// where FanSet::junctions[p] is -1). Each fan is cut into runs; in a closed fan whose closing
// junction is not cut, the last run joins the first when there are more than two runs.
void splitFans(const FanSet& fans, const std::vector<bool>& cut, CornerGroups& out);

} // namespace vx
