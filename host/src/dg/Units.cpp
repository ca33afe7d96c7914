#include <vornexhost/Units.h>

#include <numbers>

namespace vornexhost {

namespace {

struct Named {
    std::string_view name;
    std::string_view alias;
    double value;
};

constexpr Named kLinear[] = {{"millimeter", "mm", 10.0},  {"centimeter", "cm", 1.0},
                             {"meter", "m", 0.01},        {"kilometer", "km", 1.0e-5},
                             {"inch", "in", 1.0 / 2.54},  {"foot", "ft", 1.0 / 30.48},
                             {"yard", "yd", 1.0 / 91.44}, {"mile", "mi", 1.0 / 160934.4}};
constexpr Named kAngle[] = {{"degree", "deg", 180.0 / std::numbers::pi},
                            {"radian", "rad", 1.0},
                            {"angMinute", "min", 10800.0 / std::numbers::pi},
                            {"angSecond", "sec", 648000.0 / std::numbers::pi}};
constexpr Named kTime[] = {{"film", "24fps", 24.0},
                           {"game", "15fps", 15.0},
                           {"pal", "25fps", 25.0},
                           {"ntsc", "30fps", 30.0},
                           {"show", "48fps", 48.0},
                           {"palf", "50fps", 50.0},
                           {"ntscf", "60fps", 60.0},
                           {"hour", "hour", 1.0 / 3600.0},
                           {"min", "min", 1.0 / 60.0},
                           {"sec", "sec", 1.0},
                           {"millisec", "ms", 1000.0},
                           {"2fps", "2fps", 2.0},
                           {"3fps", "3fps", 3.0},
                           {"4fps", "4fps", 4.0},
                           {"5fps", "5fps", 5.0},
                           {"6fps", "6fps", 6.0},
                           {"8fps", "8fps", 8.0},
                           {"10fps", "10fps", 10.0},
                           {"12fps", "12fps", 12.0},
                           {"16fps", "16fps", 16.0},
                           {"20fps", "20fps", 20.0},
                           {"40fps", "40fps", 40.0},
                           {"75fps", "75fps", 75.0},
                           {"80fps", "80fps", 80.0},
                           {"100fps", "100fps", 100.0},
                           {"120fps", "120fps", 120.0},
                           {"125fps", "125fps", 125.0},
                           {"150fps", "150fps", 150.0},
                           {"200fps", "200fps", 200.0},
                           {"240fps", "240fps", 240.0},
                           {"250fps", "250fps", 250.0},
                           {"300fps", "300fps", 300.0},
                           {"375fps", "375fps", 375.0},
                           {"400fps", "400fps", 400.0},
                           {"500fps", "500fps", 500.0},
                           {"600fps", "600fps", 600.0},
                           {"750fps", "750fps", 750.0},
                           {"1200fps", "1200fps", 1200.0},
                           {"1500fps", "1500fps", 1500.0},
                           {"2000fps", "2000fps", 2000.0},
                           {"3000fps", "3000fps", 3000.0},
                           {"6000fps", "6000fps", 6000.0},
                           {"23.976fps", "23.976fps", 24000.0 / 1001.0},
                           {"29.97fps", "29.97fps", 30000.0 / 1001.0},
                           {"47.952fps", "47.952fps", 48000.0 / 1001.0},
                           {"59.94fps", "59.94fps", 60000.0 / 1001.0}};

template <std::size_t N>
const Named* lookup(const Named (&table)[N], std::string_view name) {
    for (const Named& n : table)
        if (n.name == name || n.alias == name)
            return &n;
    return nullptr;
}

} // namespace

Units::Units() : anglePerRadian(180.0 / std::numbers::pi) {}

bool Units::setLinear(std::string_view name) {
    const Named* n = lookup(kLinear, name);
    if (!n)
        return false;
    linearPerCm = n->value;
    linearName = n->name;
    return true;
}

bool Units::setAngle(std::string_view name) {
    const Named* n = lookup(kAngle, name);
    if (!n)
        return false;
    anglePerRadian = n->value;
    angleName = n->name;
    return true;
}

bool Units::setTime(std::string_view name) {
    const Named* n = lookup(kTime, name);
    if (!n)
        return false;
    framesPerSecond = n->value;
    timeName = n->name;
    return true;
}

double Units::toInternal(AttrUnit unit, double value) const {
    switch (unit) {
    case AttrUnit::Distance:
        return value / linearPerCm;
    case AttrUnit::Angle:
        return value / anglePerRadian;
    case AttrUnit::Time:
        return value / framesPerSecond;
    case AttrUnit::None:
        break;
    }
    return value;
}

double Units::toUi(AttrUnit unit, double value) const {
    switch (unit) {
    case AttrUnit::Distance:
        return value * linearPerCm;
    case AttrUnit::Angle:
        return value * anglePerRadian;
    case AttrUnit::Time:
        return value * framesPerSecond;
    case AttrUnit::None:
        break;
    }
    return value;
}

} // namespace vornexhost
