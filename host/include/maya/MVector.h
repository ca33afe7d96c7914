#pragma once
// Host API stand-in: a 3D direction, double precision. Row vector: v * matrix.

class MMatrix;

class MVector {
public:
    MVector() = default;
    MVector(double xx, double yy, double zz = 0.0) : x(xx), y(yy), z(zz) {}

    double operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    MVector operator+(const MVector& o) const { return {x + o.x, y + o.y, z + o.z}; }
    MVector operator-(const MVector& o) const { return {x - o.x, y - o.y, z - o.z}; }
    MVector operator-() const { return {-x, -y, -z}; }
    MVector operator*(double s) const { return {x * s, y * s, z * s}; }
    double operator*(const MVector& o) const { return x * o.x + y * o.y + z * o.z; }
    MVector operator^(const MVector& o) const {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    MVector operator*(const MMatrix& m) const;
    MVector& operator+=(const MVector& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    bool operator==(const MVector& o) const { return x == o.x && y == o.y && z == o.z; }
    double length() const;
    MVector normal() const;
    bool isEquivalent(const MVector& o, double tolerance = 1.0e-10) const;

    static const MVector zero;
    static const MVector xAxis;
    static const MVector yAxis;
    static const MVector zAxis;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
