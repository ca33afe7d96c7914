#pragma once
// Animation curve evaluation: keys with tangent types (weighted or not) and infinity modes.
#include <cstdint>
#include <vector>

namespace vornexhost {

class Node;

// Tangent type numbers as scene files write them.
namespace tangent {
constexpr int kGlobal = 0, kFixed = 1, kLinear = 2, kFlat = 3, kSmooth = 4, kStep = 5, kSlow = 6,
              kFast = 7, kSpline = 9, kClamped = 10, kPlateau = 16, kStepNext = 17, kAuto = 18;
}
// Infinity modes.
namespace infinity {
constexpr int kConstant = 0, kLinear = 1, kCycle = 3, kCycleRelative = 4, kOscillate = 5;
}

struct AnimKey {
    double time = 0.0;  // seconds
    double value = 0.0; // internal units
    int inType = tangent::kGlobal;
    int outType = tangent::kGlobal;
    // Fixed tangents: x in seconds, y in internal value units.
    double inX = 0.0, inY = 0.0, outX = 0.0, outY = 0.0;
};

struct AnimCurveData {
    std::vector<AnimKey> keys; // sorted by time
    bool weighted = false;
    int preInfinity = infinity::kConstant;
    int postInfinity = infinity::kConstant;
    int defaultTangent = tangent::kAuto;
};

// Reads the keys of an animCurve node from its stored attributes.
AnimCurveData readAnimCurve(const Node& node);
// The curve's value at `time` (seconds), in internal units. No keys: 0.
double evaluateAnimCurve(const AnimCurveData& curve, double time);

} // namespace vornexhost
