#pragma once
// D3DX vector helpers of the graphics stand-in.
#include "d3d9types.h"

struct D3DXVECTOR3 {
    FLOAT x = 0.0f;
    FLOAT y = 0.0f;
    FLOAT z = 0.0f;

    constexpr D3DXVECTOR3() = default;
    constexpr D3DXVECTOR3(FLOAT x_, FLOAT y_, FLOAT z_) : x(x_), y(y_), z(z_) {}
    constexpr bool operator==(const D3DXVECTOR3&) const = default;
};

struct D3DXVECTOR4 {
    FLOAT x = 0.0f;
    FLOAT y = 0.0f;
    FLOAT z = 0.0f;
    FLOAT w = 0.0f;

    constexpr D3DXVECTOR4() = default;
    constexpr D3DXVECTOR4(FLOAT x_, FLOAT y_, FLOAT z_, FLOAT w_) : x(x_), y(y_), z(z_), w(w_) {}
    constexpr bool operator==(const D3DXVECTOR4&) const = default;
};

// Writes the unit vector in the direction of *v to *out and returns out (out may equal v).
// A zero vector, or one whose length is not a finite positive number, gives (0, 0, 0).
D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* out, const D3DXVECTOR3* v);
