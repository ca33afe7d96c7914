#pragma once
// Host API stand-in: function set for NURBS curves, over the curve data of the shape.
#include <maya/MDoubleArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MTypes.h>

class MFnNurbsCurve : public MFnDagNode {
public:
    enum Form { kInvalid = 0, kOpen, kClosed, kPeriodic, kLast };

    MFnNurbsCurve() = default;
    MFnNurbsCurve(const MObject& object, MStatus* status = nullptr);
    MFnNurbsCurve(const MDagPath& path, MStatus* status = nullptr);

    MFn::Type type() const override { return MFn::kNurbsCurve; }

    int numCVs(MStatus* status = nullptr) const;
    int numKnots(MStatus* status = nullptr) const;
    int numSpans(MStatus* status = nullptr) const;
    int degree(MStatus* status = nullptr) const;
    Form form(MStatus* status = nullptr) const;
    // Control point `index` (with the shape's control point tweaks) in object or world space.
    MStatus getCV(int index, MPoint& point, MSpace::Space space = MSpace::kObject) const;
    MStatus getCVs(MPointArray& points, MSpace::Space space = MSpace::kObject) const;
    double knot(unsigned int index, MStatus* status = nullptr) const;
    MStatus getKnots(MDoubleArray& knots) const;
};
