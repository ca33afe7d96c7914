#pragma once
// `vornex info FILE [options]`: prints what a file of the system holds. The file's kind is
// told by its first bytes where they say it (scene graph files), else by its extension.
#include <iosfwd>
#include <string>
#include <vector>

namespace vx::info {

// The file to print and the options that followed it on the command line.
struct InfoRequest {
    std::string path;
    std::vector<std::string> options;
};

// Prints the file; returns the exit status (0, or 1 with the reason on err).
using InfoPrinter = int (*)(const InfoRequest& request, std::ostream& out, std::ostream& err);

// args: the file, then its options. Unknown kinds and unreadable files give status 1.
int runInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The kinds of file `runInfo` knows, one line each, for the usage text.
const char* infoKindsText();

} // namespace vx::info
