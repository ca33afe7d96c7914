#pragma once
// A handle that names one dependency node, attribute or data object for the life of the
// process: plug-ins key their tables by hashCode(), which two handles share exactly when they
// refer to the same object.
#include <maya/MObject.h>

class MObjectHandle {
public:
    MObjectHandle() = default;
    explicit MObjectHandle(const MObject& object) : m_object(object) {}

    MObject object() const { return m_object; }
    bool isValid() const { return !m_object.isNull(); }
    // Unique per object and never reused in the process; 0 for a null object.
    unsigned int hashCode() const;

    bool operator==(const MObjectHandle& other) const { return m_object == other.m_object; }
    bool operator!=(const MObjectHandle& other) const { return m_object != other.m_object; }

private:
    MObject m_object;
};
