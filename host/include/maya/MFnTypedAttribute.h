#pragma once
// Host API stand-in: function set for typed (data) attributes.
#include <maya/MFnAttribute.h>
#include <maya/MFnData.h>

class MFnTypedAttribute : public MFnAttribute {
public:
    MFnTypedAttribute() = default;
    MFnTypedAttribute(const MObject& object, MStatus* status = nullptr);

    MFn::Type type() const override { return MFn::kTypedAttribute; }
    MStatus setObject(const MObject& object) override;

    MObject create(const MString& fullName, const MString& briefName, MFnData::Type type,
                   MStatus* status = nullptr);
    MObject create(const MString& fullName, const MString& briefName, MFnData::Type type,
                   const MObject& defaultData, MStatus* status = nullptr);
    MFnData::Type attrType(MStatus* status = nullptr) const;
};
