#pragma once
// Rounding of doubles to whole numbers on the hot paths of grids and rasters: inline and without
// a call to floor, which on the baseline instruction set is a library call.
#include <cstdint>

namespace vx {

// The integer nearest to value, halves going up: floor(value + 0.5), clamped to ±4e18, far
// outside any grid, so that the conversion stays defined.
inline std::int64_t roundHalfUp(double value) {
    constexpr double kLimit = 4.0e18;
    // Clamped without branches (the limits are whole, so they round to themselves); the
    // operand order sends NaN to the lower limit.
    double shifted = value + 0.5;
    shifted = shifted > -kLimit ? shifted : -kLimit;
    shifted = shifted < kLimit ? shifted : kLimit;
    // Truncation rounds toward zero; below zero a fraction needs one more step down. Past 2^52
    // every double is whole, so the truncation is exact there.
    const auto truncated = static_cast<std::int64_t>(shifted);
    return static_cast<double>(truncated) > shifted ? truncated - 1 : truncated;
}

} // namespace vx
