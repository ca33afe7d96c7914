#pragma once
// `vornex info FILE.dds [--png OUT.png]`: a texture's size, pixel layout and mip levels, and
// optionally its top level as a PNG, so a converted normal map can be looked at.
#include "tools/info/InfoCommand.h"

#include <iosfwd>

namespace vx::info {

int printDdsFile(const InfoRequest& request, std::ostream& out, std::ostream& err);

} // namespace vx::info
