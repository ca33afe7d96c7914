#include "Vornex/VornexException.h"

#include <maya/MString.h>

namespace vx {

VornexException::VornexException(const std::string& message, unsigned line)
    : std::runtime_error(message + " (" + std::to_string(line) + ")") {}

VornexException::VornexException(const std::string& message, unsigned line, const MStatus& status)
    : std::runtime_error(message + " (" + std::to_string(line) +
                         ")\nMaya reports: " + status.errorString().str()) {}

} // namespace vx
