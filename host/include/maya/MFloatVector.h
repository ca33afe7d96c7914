#pragma once
// Host API stand-in: a 3D direction, single precision.

class MFloatVector {
public:
    MFloatVector() = default;
    MFloatVector(float xx, float yy, float zz = 0.0f) : x(xx), y(yy), z(zz) {}

    float operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    bool operator==(const MFloatVector& o) const { return x == o.x && y == o.y && z == o.z; }
    float length() const;

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};
