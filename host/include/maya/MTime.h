#pragma once
// Host API stand-in: a time value with its unit.

class MTime {
public:
    enum Unit {
        kInvalid = 0,
        kHours,
        kMinutes,
        kSeconds,
        kMilliseconds,
        kGames,
        kFilm,
        kPALFrame,
        kNTSCFrame,
        kShowScan,
        kPALField,
        kNTSCField,
        kLast
    };

    MTime() = default;
    MTime(double value, Unit unit = uiUnit()); // NOLINT: implicit as in the host API

    double value() const { return m_value; }
    Unit unit() const { return m_unit; }
    double as(Unit unit) const;
    void setValue(double value) { m_value = value; }
    void setUnit(Unit unit);

    MTime operator+(const MTime& other) const;
    MTime operator-(const MTime& other) const;
    MTime operator+(double units) const { return MTime(m_value + units, m_unit); }
    MTime& operator+=(const MTime& other);
    MTime& operator+=(double units);
    MTime& operator-=(double units);
    bool operator==(const MTime& other) const;
    bool operator!=(const MTime& other) const { return !(*this == other); }
    bool operator<(const MTime& other) const;
    bool operator<=(const MTime& other) const;
    bool operator>(const MTime& other) const { return other < *this; }
    bool operator>=(const MTime& other) const { return other <= *this; }

    // The unit the scene shows times in (currentUnit -t).
    static Unit uiUnit();
    // Seconds per unit; 0 for kInvalid.
    static double secondsPer(Unit unit);

private:
    double m_value = 0.0;
    Unit m_unit = kFilm;
};
