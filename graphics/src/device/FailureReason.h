#pragma once
// The reason behind the most recent failure on this thread that had one, for
// DXGetErrorString9A: Direct3D calls return only a code, and the log needs the file and cause.
#include "d3d9types.h"

#include <string>

namespace vornexgfx {

// Records `reason` for `hr` and returns hr, so failures read `return failWith(code, why);`.
HRESULT failWith(HRESULT hr, std::string reason);
// The reason recorded with hr when hr is the most recent recorded code; empty otherwise.
const std::string& failureReason(HRESULT hr);

} // namespace vornexgfx
