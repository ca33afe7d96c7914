#pragma once
// Error texts of the graphics stand-in for log messages.
#include "d3d9types.h"

// The name of a result code ("D3DERR_INVALIDCALL", "D3DXERR_INVALIDDATA", ...), or
// "Unknown error" for codes this stand-in never returns. When hr is the code of the most recent
// failure on this thread that came with a reason (a file that could not be read, an effect that
// did not compile), the reason follows the name after ": ". The text stays valid until the
// next call on the same thread.
const char* DXGetErrorString9A(HRESULT hr);
