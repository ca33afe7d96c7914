#pragma once
// Host API stand-in: a transformation held as its components. asMatrix composes them as
// the host documents: Sp^-1 * S * Sh * Sp * St * Rp^-1 * Ra * R * Rp * Rt * T.
#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

class MTransformationMatrix {
public:
    enum RotationOrder { kInvalid = 0, kXYZ, kYZX, kZXY, kXZY, kYXZ, kZYX, kLast };

    MTransformationMatrix() = default;
    // Decomposes a matrix into translation, rotation (xyz), scale and shear; pivots stay zero.
    MTransformationMatrix(const MMatrix& matrix); // NOLINT: implicit as in the host API

    MMatrix asMatrix() const;
    MMatrix asMatrixInverse() const { return asMatrix().inverse(); }
    // Scale, shear and rotation without the pivots and translation.
    MMatrix asRotateMatrix() const;
    MMatrix asScaleMatrix() const;

    MVector translation(MSpace::Space space, MStatus* status = nullptr) const;
    MStatus setTranslation(const MVector& vector, MSpace::Space space);
    MQuaternion rotation() const;
    MEulerRotation eulerRotation() const { return m_rotation; }
    MStatus setRotationQuaternion(double x, double y, double z, double w);
    MStatus getRotation(double rotation[3], RotationOrder& order) const;
    MStatus setRotation(const MEulerRotation& rotation);
    MQuaternion rotationOrientation() const { return m_rotateAxis; }
    MStatus setRotationOrientation(const MQuaternion& q);
    RotationOrder rotationOrder(MStatus* status = nullptr) const;
    MStatus getScale(double scale[3], MSpace::Space space) const;
    MStatus setScale(const double scale[3], MSpace::Space space);
    MStatus getShear(double shear[3], MSpace::Space space) const;
    MStatus setShear(const double shear[3], MSpace::Space space);
    MPoint scalePivot(MSpace::Space space, MStatus* status = nullptr) const;
    MStatus setScalePivot(const MPoint& point, MSpace::Space space, bool balance);
    MPoint rotatePivot(MSpace::Space space, MStatus* status = nullptr) const;
    MStatus setRotatePivot(const MPoint& point, MSpace::Space space, bool balance);
    MVector scalePivotTranslation(MSpace::Space space, MStatus* status = nullptr) const;
    MStatus setScalePivotTranslation(const MVector& vector, MSpace::Space space);
    MVector rotatePivotTranslation(MSpace::Space space, MStatus* status = nullptr) const;
    MStatus setRotatePivotTranslation(const MVector& vector, MSpace::Space space);

    static const MTransformationMatrix identity;

private:
    MVector m_translate;
    MEulerRotation m_rotation;
    MQuaternion m_rotateAxis;
    double m_scale[3] = {1.0, 1.0, 1.0};
    double m_shear[3] = {0.0, 0.0, 0.0};
    MPoint m_scalePivot;
    MPoint m_rotatePivot;
    MVector m_scalePivotTranslate;
    MVector m_rotatePivotTranslate;
};
