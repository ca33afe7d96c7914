#pragma once
// Filling the optional status out-parameter of host API calls.
#include <maya/MStatus.h>

namespace vornexhost {

inline MStatus report(MStatus* status, MStatus value) {
    if (status)
        *status = value;
    return value;
}

} // namespace vornexhost
