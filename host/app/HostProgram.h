#pragma once
// The `vornex` host program: loads a scene and the plug-in, then runs MEL, the plug-in's
// command or its translator.
#include <string>
#include <vector>

namespace vornexapp {

// Runs the program with its arguments (without the program name); returns the exit status.
int runHostProgram(const std::vector<std::string>& args, const std::string& programDirectory);

} // namespace vornexapp
