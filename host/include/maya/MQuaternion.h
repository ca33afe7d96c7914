#pragma once
// Host API stand-in: rotation quaternion (x, y, z imaginary, w real). The product a * b
// rotates by a first and then by b, so (a * b).asMatrix() == a.asMatrix() * b.asMatrix().

class MMatrix;
class MVector;
class MEulerRotation;

class MQuaternion {
public:
    MQuaternion() = default;
    MQuaternion(double xx, double yy, double zz, double ww) : x(xx), y(yy), z(zz), w(ww) {}
    MQuaternion(double angle, const MVector& axis);

    MQuaternion& operator=(const MMatrix& matrix);
    MQuaternion operator*(const MQuaternion& right) const;
    MQuaternion& operator*=(const MQuaternion& right);
    MQuaternion operator-() const { return {-x, -y, -z, -w}; }
    double operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : (i == 2 ? z : w)); }
    double& operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : (i == 2 ? z : w)); }

    MMatrix asMatrix() const;
    MEulerRotation asEulerRotation() const;
    MQuaternion conjugate() const { return {-x, -y, -z, w}; }
    MQuaternion inverse() const;
    MQuaternion normal() const;
    bool isEquivalent(const MQuaternion& other, double tolerance = 1.0e-10) const;

    static const MQuaternion identity;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 1.0;
};
