#pragma once
// Finds the normal-map conversion effect: beside the host program, in the program's plug-in
// folder, then in the host installation's "bin" and "bin/plug-ins" folders. The installation
// folder comes from MAYA_LOCATION, the variable the host sets on this platform.
#include <optional>
#include <string>
#include <vector>

namespace vx {

inline constexpr const char* kTransformEffectName = "transform.fx";

// The candidates tried in order, the path of the first readable one, or nothing (after logging
// why). `installFolder` null stands for an unset MAYA_LOCATION. `tried`, when given, receives
// every candidate that was tested.
std::optional<std::string> locateTransformEffect(const std::string& programFolder,
                                                 const char* installFolder,
                                                 std::vector<std::string>* tried = nullptr);

// The folder of the running program, without a trailing slash; empty when it cannot be told.
std::string programFolder();

} // namespace vx
