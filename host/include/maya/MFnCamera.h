#pragma once
// Host API stand-in: function set for cameras.
#include <maya/MFnDagNode.h>
#include <maya/MPoint.h>
#include <maya/MTypes.h>
#include <maya/MVector.h>

class MFnCamera : public MFnDagNode {
public:
    enum FilmFit { kFillFilmFit = 0, kHorizontalFilmFit, kVerticalFilmFit, kOverscanFilmFit };

    MFnCamera() = default;
    MFnCamera(const MObject& object, MStatus* status = nullptr);
    MFnCamera(const MDagPath& path, MStatus* status = nullptr);

    MFn::Type type() const override { return MFn::kCamera; }

    double focalLength(MStatus* status = nullptr) const;
    bool isOrtho(MStatus* status = nullptr) const;
    double orthoWidth(MStatus* status = nullptr) const;
    double nearClippingPlane(MStatus* status = nullptr) const;
    double farClippingPlane(MStatus* status = nullptr) const;
    double horizontalFilmAperture(MStatus* status = nullptr) const;
    double verticalFilmAperture(MStatus* status = nullptr) const;
    double centerOfInterest(MStatus* status = nullptr) const;
    FilmFit filmFit(MStatus* status = nullptr) const;
    MPoint eyePoint(MSpace::Space space = MSpace::kObject, MStatus* status = nullptr) const;
    MVector viewDirection(MSpace::Space space = MSpace::kObject, MStatus* status = nullptr) const;
    MVector upDirection(MSpace::Space space = MSpace::kObject, MStatus* status = nullptr) const;

private:
    double number(const char* attribute, MStatus* status) const;
};
