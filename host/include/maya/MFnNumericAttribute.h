#pragma once
// Host API stand-in: function set for numeric attributes.
#include <maya/MFnAttribute.h>
#include <maya/MFnNumericData.h>

class MFnNumericAttribute : public MFnAttribute {
public:
    MFnNumericAttribute() = default;
    MFnNumericAttribute(const MObject& object, MStatus* status = nullptr);

    MFn::Type type() const override { return MFn::kNumericAttribute; }
    MStatus setObject(const MObject& object) override;

    MObject create(const MString& fullName, const MString& briefName, MFnNumericData::Type unitType,
                   double defaultValue = 0.0, MStatus* status = nullptr);
    // A compound of two or three numeric children made before it.
    MObject create(const MString& fullName, const MString& briefName, const MObject& child1,
                   const MObject& child2, const MObject& child3 = MObject::kNullObj,
                   MStatus* status = nullptr);
    MObject createColor(const MString& fullName, const MString& briefName,
                        MStatus* status = nullptr);
    MFnNumericData::Type unitType(MStatus* status = nullptr) const;
    MStatus getDefault(double& value) const;
    MStatus setDefault(double value);
    // The children's defaults of a compound of three.
    MStatus setDefault(float value1, float value2, float value3);
    MStatus setMin(double value);
    MStatus setMax(double value);
};
