#pragma once
// `vornex convert FILE -o OUT.glb [options]`: a game file as a binary glTF 2.0 file for any
// viewer. FILE is a .staticMesh, .bundledMesh, .skinnedMesh or .collisionMesh file.
#include <iosfwd>
#include <string>
#include <vector>

namespace vx::convert {

extern const char* const kConvertUsage;

// args: everything after the verb. Returns the exit status: 0, or 1 with the reason on `err`
// (and no output file). Warnings (missing textures) go to `err` too.
int runConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace vx::convert
