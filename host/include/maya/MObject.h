#pragma once
// Host API stand-in: a handle to a node, an attribute or a piece of data.
#include <maya/MFn.h>

#include <memory>

namespace vornexhost {
class Object;
}

class MObject {
public:
    MObject() = default;
    explicit MObject(std::shared_ptr<vornexhost::Object> object) : m_object(std::move(object)) {}

    MFn::Type apiType() const;
    const char* apiTypeStr() const;
    bool hasFn(MFn::Type type) const;
    bool isNull() const { return m_object == nullptr; }

    bool operator==(const MObject& other) const { return m_object == other.m_object; }
    bool operator!=(const MObject& other) const { return m_object != other.m_object; }

    static MObject kNullObj;

    const std::shared_ptr<vornexhost::Object>& impl() const { return m_object; }

private:
    std::shared_ptr<vornexhost::Object> m_object;
};
