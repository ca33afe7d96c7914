#pragma once
// Host API stand-in: function set for attributes.
#include <maya/MFnBase.h>
#include <maya/MString.h>

namespace vornexhost {
class Attribute;
}

class MFnAttribute : public MFnBase {
public:
    MFnAttribute() = default;
    MFnAttribute(const MObject& object, MStatus* status = nullptr);

    MFn::Type type() const override { return MFn::kAttribute; }
    MStatus setObject(const MObject& object) override;

    MString name(MStatus* status = nullptr) const;
    MString shortName(MStatus* status = nullptr) const;
    bool isArray(MStatus* status = nullptr) const;
    bool isKeyable(MStatus* status = nullptr) const;
    bool isHidden(MStatus* status = nullptr) const;
    bool isDynamic(MStatus* status = nullptr) const;
    bool isUsedAsColor(MStatus* status = nullptr) const;
    MObject parent(MStatus* status = nullptr) const;
    MStatus setKeyable(bool state);
    MStatus setStorable(bool state);
    MStatus setReadable(bool state);
    MStatus setWritable(bool state);
    MStatus setHidden(bool state);
    MStatus setArray(bool state);
    MStatus setUsedAsColor(bool state);

protected:
    vornexhost::Attribute* attr() const;
    MStatus attachIf(const MObject& object, MFn::Type fn);
};
