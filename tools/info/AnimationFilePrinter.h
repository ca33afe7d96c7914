#pragma once
// `vornex info FILE.baf [--skeleton FILE.ske] [--frames BONE]`: the header, per animated bone
// its components' block structure and decoded value range (bones named from the skeleton
// file when one is given), or with --frames the decoded keys of one bone frame by frame. BONE
// is a skeleton index, or with --skeleton a bone name.
#include "tools/info/InfoCommand.h"

#include <iosfwd>

namespace vx::info {

int printAnimationInfo(const InfoRequest& request, std::ostream& out, std::ostream& err);

} // namespace vx::info
