#include "MeshExporter/FixedText.h"

#include <cstdio>

namespace vx {

std::string fixedText(double value) {
    // The largest float prints as 39 digits, 6 decimals and a sign.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%f", value);
    return buffer;
}

} // namespace vx
