#pragma once
#include <cstdint>

namespace vx {

// Options of one scene read, as a bit set. The command sets them from its flag letters, the
// translator from its option string.
using ParseFlags = std::uint32_t;

enum ParseFlag : ParseFlags {
    kIncludeImages = 1,      // texture image files are loaded into the scene
    kReportInfo = 2,         // Info and Warning reports reach the progress callback
    kReportWarnings = 4,     // Warning reports reach the progress callback
    kWarningsAreFatal = 8,   // every Warning report ends the read
    kRighthandedSystem = 16, // keep the host's right-handed coordinates
    kZaxisPositive = 32,     // accepted and passed on
    kValidateGeometry = 64,  // extra consistency checks on every mesh
    kParseFlag128 = 128,     // named in the table, used by nothing
};

} // namespace vx
