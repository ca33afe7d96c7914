#pragma once
// The D3DX 9 services of the graphics stand-in.
#include "d3d9types.h"
#include "d3dx9math.h"
