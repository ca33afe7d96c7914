#pragma once
// Host API stand-in: a homogeneous 3D position, double precision.
#include <maya/MVector.h>

class MMatrix;

class MPoint {
public:
    MPoint() = default;
    MPoint(double xx, double yy, double zz = 0.0, double ww = 1.0) : x(xx), y(yy), z(zz), w(ww) {}
    MPoint(const MVector& v) : x(v.x), y(v.y), z(v.z) {} // NOLINT: implicit as in the host API

    double operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : (i == 2 ? z : w)); }
    MPoint operator+(const MVector& v) const { return {x + v.x, y + v.y, z + v.z, w}; }
    MVector operator-(const MPoint& o) const { return {x - o.x, y - o.y, z - o.z}; }
    MPoint operator*(const MMatrix& m) const;
    bool operator==(const MPoint& o) const { return x == o.x && y == o.y && z == o.z && w == o.w; }
    bool isEquivalent(const MPoint& o, double tolerance = 1.0e-10) const;

    static const MPoint origin;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 1.0;
};
