#pragma once
// Host API stand-in: function set for transforms (and joints, LOD groups).
#include <maya/MEulerRotation.h>
#include <maya/MFnDagNode.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

class MFnTransform : public MFnDagNode {
public:
    MFnTransform() = default;
    MFnTransform(const MObject& object, MStatus* status = nullptr);
    MFnTransform(const MDagPath& path, MStatus* status = nullptr);

    MFn::Type type() const override { return MFn::kTransform; }

    MTransformationMatrix transformation(MStatus* status = nullptr) const;
    // kTransform: the translate attribute; kWorld (needs a path): the world position.
    MVector translation(MSpace::Space space, MStatus* status = nullptr) const;
    MStatus getRotation(MQuaternion& rotation, MSpace::Space space = MSpace::kTransform) const;
    MStatus getRotation(MEulerRotation& rotation) const;
    MTransformationMatrix::RotationOrder rotationOrder(MStatus* status = nullptr) const;
    MStatus getScale(double scale[3]) const;
    MStatus getShear(double shear[3]) const;
    MPoint scalePivot(MSpace::Space space, MStatus* status = nullptr) const;
    MPoint rotatePivot(MSpace::Space space, MStatus* status = nullptr) const;
    MVector scalePivotTranslation(MSpace::Space space, MStatus* status = nullptr) const;
    MVector rotatePivotTranslation(MSpace::Space space, MStatus* status = nullptr) const;
    MQuaternion rotateOrientation(MSpace::Space space, MStatus* status = nullptr) const;

protected:
    // Evaluation time: the scene's current time.
    double now() const;
};
