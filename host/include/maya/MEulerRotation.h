#pragma once
// Host API stand-in: rotation as three angles in radians with an order of application.

class MMatrix;
class MQuaternion;

class MEulerRotation {
public:
    enum RotationOrder { kXYZ = 0, kYZX, kZXY, kXZY, kYXZ, kZYX };

    MEulerRotation() = default;
    MEulerRotation(double xx, double yy, double zz, RotationOrder ord = kXYZ)
        : x(xx), y(yy), z(zz), order(ord) {}

    // The rotation about the first axis of the order is applied first.
    MMatrix asMatrix() const;
    MQuaternion asQuaternion() const;
    // The xyz-order angles of a rotation matrix (scale already removed).
    static MEulerRotation decompose(const MMatrix& matrix);

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    RotationOrder order = kXYZ;
};
