#pragma once
// Host API stand-in: function set for joints.
#include <maya/MFnTransform.h>

class MFnIkJoint : public MFnTransform {
public:
    MFnIkJoint() = default;
    MFnIkJoint(const MObject& object, MStatus* status = nullptr);
    MFnIkJoint(const MDagPath& path, MStatus* status = nullptr);

    MFn::Type type() const override { return MFn::kJoint; }

    MStatus getOrientation(MQuaternion& orientation) const;
    MStatus getOrientation(MEulerRotation& orientation) const;
    // The joint's scale orientation (its rotate axis).
    MStatus getScaleOrientation(MQuaternion& orientation) const;
    MStatus getSegmentScale(double scale[3]) const;
};
