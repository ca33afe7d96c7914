#pragma once
// Runs the `vornex` host program in the test's process with the plug-in under test.
#include <HostProgram.h>

#include <string>
#include <vector>

namespace vx::test {

inline int vornex(std::vector<std::string> args) {
    args.push_back("--plugin");
    args.push_back(VX_VORNEX_PLUGIN);
    return vornexapp::runHostProgram(args, "/nonexistent");
}

} // namespace vx::test
