#pragma once
// Host API stand-in: the context a plug is evaluated in: the current time, or a given time.
#include <maya/MStatus.h>
#include <maya/MTime.h>

class MDGContext {
public:
    MDGContext() = default;
    explicit MDGContext(const MTime& time) : m_normal(false), m_time(time) {}

    bool isNormal() const { return m_normal; }
    MStatus getTime(MTime& time) const;

    static MDGContext fsNormal;

private:
    bool m_normal = true;
    MTime m_time;
};
