#pragma once
// The folder an export or parse writes into: made when missing, as `mkdir -p` would, and
// checked for room for new files before anything is read, so a run that cannot write stops
// with the system's reason instead of failing halfway.
#include <string>

namespace vornexapp {

// False with one line in `error` naming the output and the system's reason.
bool prepareOutputFolder(const std::string& outputPath, std::string& error);

} // namespace vornexapp
