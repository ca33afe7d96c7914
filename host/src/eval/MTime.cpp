#include <vornexhost/Scene.h>

#include <maya/MAnimControl.h>
#include <maya/MDGContext.h>
#include <maya/MTime.h>

#include <cmath>

MDGContext MDGContext::fsNormal;

MStatus MDGContext::getTime(MTime& time) const {
    time = m_normal ? MTime(vornexhost::activeScene().currentTime, MTime::kSeconds) : m_time;
    return MStatus::kSuccess;
}

double MTime::secondsPer(Unit unit) {
    switch (unit) {
    case kHours:
        return 3600.0;
    case kMinutes:
        return 60.0;
    case kSeconds:
        return 1.0;
    case kMilliseconds:
        return 0.001;
    case kGames:
        return 1.0 / 15.0;
    case kFilm:
        return 1.0 / 24.0;
    case kPALFrame:
        return 1.0 / 25.0;
    case kNTSCFrame:
        return 1.0 / 30.0;
    case kShowScan:
        return 1.0 / 48.0;
    case kPALField:
        return 1.0 / 50.0;
    case kNTSCField:
        return 1.0 / 60.0;
    default:
        return 0.0;
    }
}

MTime::Unit MTime::uiUnit() {
    const double fps = vornexhost::activeScene().units.framesPerSecond;
    for (int u = kHours; u < kLast; ++u) {
        const double per = secondsPer(static_cast<Unit>(u));
        if (std::fabs(per * fps - 1.0) < 1.0e-9)
            return static_cast<Unit>(u);
    }
    return kFilm;
}

MTime::MTime(double value, Unit unit) : m_value(value), m_unit(unit) {}

double MTime::as(Unit unit) const {
    const double target = secondsPer(unit);
    return target > 0.0 ? m_value * secondsPer(m_unit) / target : 0.0;
}

void MTime::setUnit(Unit unit) {
    m_value = as(unit);
    m_unit = unit;
}

MTime MTime::operator+(const MTime& other) const {
    return MTime(m_value + other.as(m_unit), m_unit);
}

MTime MTime::operator-(const MTime& other) const {
    return MTime(m_value - other.as(m_unit), m_unit);
}

MTime& MTime::operator+=(const MTime& other) {
    m_value += other.as(m_unit);
    return *this;
}

MTime& MTime::operator+=(double units) {
    m_value += units;
    return *this;
}

MTime& MTime::operator-=(double units) {
    m_value -= units;
    return *this;
}

// Times compare in seconds with a tolerance far below any frame rate's step, so a frame
// counter that reaches the maximum by repeated additions still counts as equal to it.
namespace {
constexpr double kTimeTolerance = 1.0e-9;
}

bool MTime::operator==(const MTime& other) const {
    return std::fabs(as(kSeconds) - other.as(kSeconds)) < kTimeTolerance;
}

bool MTime::operator<(const MTime& other) const {
    return as(kSeconds) < other.as(kSeconds) - kTimeTolerance;
}

bool MTime::operator<=(const MTime& other) const {
    return as(kSeconds) <= other.as(kSeconds) + kTimeTolerance;
}

namespace {

MTime inUiUnit(double seconds) {
    MTime t(seconds, MTime::kSeconds);
    t.setUnit(MTime::uiUnit());
    return t;
}

} // namespace

MTime MAnimControl::minTime() {
    return inUiUnit(vornexhost::activeScene().minTime);
}

MTime MAnimControl::maxTime() {
    return inUiUnit(vornexhost::activeScene().maxTime);
}

MTime MAnimControl::animationStartTime() {
    return minTime();
}

MTime MAnimControl::animationEndTime() {
    return maxTime();
}

MTime MAnimControl::currentTime() {
    return inUiUnit(vornexhost::activeScene().currentTime);
}

MStatus MAnimControl::setMinTime(const MTime& time) {
    vornexhost::activeScene().minTime = time.as(MTime::kSeconds);
    return MStatus::kSuccess;
}

MStatus MAnimControl::setMaxTime(const MTime& time) {
    vornexhost::activeScene().maxTime = time.as(MTime::kSeconds);
    return MStatus::kSuccess;
}

MStatus MAnimControl::setMinMaxTime(const MTime& min, const MTime& max) {
    if (max < min)
        return MStatus::kInvalidParameter;
    setMinTime(min);
    return setMaxTime(max);
}

MStatus MAnimControl::setCurrentTime(const MTime& time) {
    if (time.unit() == MTime::kInvalid || time.unit() >= MTime::kLast)
        return MStatus::kInvalidParameter;
    vornexhost::activeScene().currentTime = time.as(MTime::kSeconds);
    return MStatus::kSuccess;
}
