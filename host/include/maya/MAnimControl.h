#pragma once
// Host API stand-in: the playback range and the current time.
#include <maya/MStatus.h>
#include <maya/MTime.h>

class MAnimControl {
public:
    static MTime minTime();
    static MTime maxTime();
    static MTime currentTime();
    static MTime animationStartTime();
    static MTime animationEndTime();
    static MStatus setMinTime(const MTime& time);
    static MStatus setMaxTime(const MTime& time);
    static MStatus setMinMaxTime(const MTime& min, const MTime& max);
    static MStatus setCurrentTime(const MTime& time);
};
