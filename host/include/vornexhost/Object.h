#pragma once
// Everything an MObject can refer to: nodes, attributes and data.
#include <maya/MFn.h>

#include <memory>

namespace vornexhost {

class Object : public std::enable_shared_from_this<Object> {
public:
    Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;

    virtual MFn::Type apiType() const = 0;
    virtual bool hasFn(MFn::Type type) const;

    // A number of its own, given in creation order and never reused in the process: the
    // stable identity that MObjectHandle::hashCode offers plug-ins.
    unsigned serial() const { return m_serial; }

private:
    unsigned m_serial;
};

// The function-set hierarchy: whether an object of type `type` supports function set `fn`.
bool typeHasFn(MFn::Type type, MFn::Type fn);
// The host's name for a type number ("kTransform"); "kInvalid" for numbers it does not know.
const char* typeNameOf(MFn::Type type);

} // namespace vornexhost
