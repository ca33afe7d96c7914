#pragma once
// The D3DX 9 services of the graphics stand-in.
#include "d3d9.h"
#include "d3d9types.h"
#include "d3dx9effect.h"
#include "d3dx9math.h"
#include "d3dx9mesh.h"
#include "d3dx9tex.h"
