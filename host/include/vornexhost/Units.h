#pragma once
// The scene's current units and conversions between them and the internal units
// (centimetres, radians, seconds).
#include <vornexhost/Attribute.h>

#include <string_view>

namespace vornexhost {

struct Units {
    double linearPerCm = 1.0;      // file units per centimetre (inch: 1/2.54)
    double anglePerRadian = 0.0;   // file units per radian; set by the constructor to degrees
    double framesPerSecond = 24.0; // time unit: frames per second (film)
    std::string_view linearName = "centimeter";
    std::string_view angleName = "degree";
    std::string_view timeName = "film";

    Units();
    // Sets a unit from its name as currentUnit takes it; false when the name is unknown.
    bool setLinear(std::string_view name);
    bool setAngle(std::string_view name);
    bool setTime(std::string_view name);

    // From the file's units to internal units and back.
    double toInternal(AttrUnit unit, double value) const;
    double toUi(AttrUnit unit, double value) const;
};

} // namespace vornexhost
