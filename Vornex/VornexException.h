#pragma once
// The scene reader's one exception: a fatal problem of the read, with the reporting site and,
// where the host refused a call, the host's own error text.
#include <maya/MStatus.h>

#include <stdexcept>
#include <string>

namespace vx {

class VornexException : public std::runtime_error {
public:
    // "message (line)"
    VornexException(const std::string& message, unsigned line);
    // "message (line)\nMaya reports: <status text>"
    VornexException(const std::string& message, unsigned line, const MStatus& status);
};

} // namespace vx
