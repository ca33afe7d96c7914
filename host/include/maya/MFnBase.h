#pragma once
// Host API stand-in: base of the function sets; a function set works on one object.
#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>

class MFnBase {
public:
    MFnBase() = default;
    virtual ~MFnBase() = default;
    MFnBase(const MFnBase&) = default;
    MFnBase& operator=(const MFnBase&) = default;

    virtual MFn::Type type() const { return MFn::kBase; }
    bool hasObj(MFn::Type type) const;
    bool hasObj(const MObject& object) const;
    MObject object(MStatus* status = nullptr) const;
    virtual MStatus setObject(const MObject& object);

protected:
    MObject m_object;
};
