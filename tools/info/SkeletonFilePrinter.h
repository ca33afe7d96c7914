#pragma once
// `vornex info FILE.ske`: one line per bone with its index, name, parent and frame-0 pose.
#include "tools/info/InfoCommand.h"

#include <iosfwd>

namespace vx::info {

struct SkeletonFile;

void printSkeletonFile(const SkeletonFile& file, std::ostream& out);
int printSkeletonInfo(const InfoRequest& request, std::ostream& out, std::ostream& err);
// Reads the skeleton file at `path`; false with "path: reason" on `err`.
bool loadSkeletonFile(const std::string& path, SkeletonFile& file, std::ostream& err);

} // namespace vx::info
