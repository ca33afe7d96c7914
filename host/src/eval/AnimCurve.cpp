#include <vornexhost/AnimCurve.h>
#include <vornexhost/Node.h>
#include <vornexhost/PlugValues.h>

#include <algorithm>
#include <cmath>

namespace vornexhost {

namespace {

const ArrayStore* arrayNamed(const Node& node, const char* name) {
    const Attribute* a = node.findAttribute(name);
    if (!a || !a->array || a->parent)
        return nullptr;
    const PlugStore* s = node.findTopStore(*a);
    return s ? s->array.get() : nullptr;
}

double topNumber(const Node& node, const char* name, double fallback) {
    const Attribute* a = node.findAttribute(name);
    if (!a)
        return fallback;
    PlugAddress p{const_cast<Node*>(&node), a, {}};
    return storedNumber(p);
}

// The value stored for a key's logical index in a per-key array, or `fallback`.
double perKey(const ArrayStore* array, std::uint32_t logical, double fallback) {
    if (!array)
        return fallback;
    const long physical = array->find(logical);
    return physical < 0 ? fallback : array->number(static_cast<std::size_t>(physical), 0);
}

int effectiveType(int type, int fallback) {
    return type == tangent::kGlobal ? fallback : type;
}

double slopeBetween(const AnimKey& a, const AnimKey& b) {
    const double dt = b.time - a.time;
    return dt > 0.0 ? (b.value - a.value) / dt : 0.0;
}

// The slope of the tangent of key i on one side (in: towards i - 1, out: towards i + 1),
// in value units per second.
double slopeOf(const AnimCurveData& c, std::size_t i, bool in) {
    const auto& k = c.keys;
    const AnimKey& key = k[i];
    const int type = effectiveType(in ? key.inType : key.outType, c.defaultTangent);
    const bool hasPrev = i > 0;
    const bool hasNext = i + 1 < k.size();
    const double prevSlope = hasPrev ? slopeBetween(k[i - 1], key) : 0.0;
    const double nextSlope = hasNext ? slopeBetween(key, k[i + 1]) : 0.0;
    double spline = 0.0;
    if (hasPrev && hasNext) {
        const double dt = k[i + 1].time - k[i - 1].time;
        spline = dt > 0.0 ? (k[i + 1].value - k[i - 1].value) / dt : 0.0;
    } else if (hasPrev) {
        spline = prevSlope;
    } else if (hasNext) {
        spline = nextSlope;
    }
    switch (type) {
    case tangent::kFixed: {
        const double x = in ? key.inX : key.outX;
        const double y = in ? key.inY : key.outY;
        return x != 0.0 ? y / x : 0.0;
    }
    case tangent::kLinear:
        if (in)
            return hasPrev ? prevSlope : nextSlope;
        return hasNext ? nextSlope : prevSlope;
    case tangent::kFlat:
    case tangent::kStep:
    case tangent::kStepNext:
        return 0.0;
    case tangent::kClamped: {
        // Flat where the key is a peak or valley or equals a neighbour: no overshoot there.
        if (!hasPrev || !hasNext)
            return spline;
        const double a = k[i - 1].value - key.value;
        const double b = k[i + 1].value - key.value;
        return a * b >= 0.0 ? 0.0 : spline;
    }
    case tangent::kPlateau:
    case tangent::kAuto: {
        // Flat at the ends and at peaks and valleys; elsewhere the spline slope, limited so
        // the curve stays between the neighbouring values.
        if (!hasPrev || !hasNext)
            return 0.0;
        const double a = k[i - 1].value - key.value;
        const double b = k[i + 1].value - key.value;
        if (a * b >= 0.0)
            return 0.0;
        double slope = spline;
        const double dtPrev = key.time - k[i - 1].time;
        const double dtNext = k[i + 1].time - key.time;
        // The Hermite handle reaches a third of the interval: keep it within each neighbour.
        if (dtNext > 0.0) {
            const double limit = 3.0 * std::fabs(b) / dtNext;
            slope = std::clamp(slope, -limit, limit);
        }
        if (dtPrev > 0.0) {
            const double limit = 3.0 * std::fabs(a) / dtPrev;
            slope = std::clamp(slope, -limit, limit);
        }
        return slope;
    }
    default: // spline, smooth, slow, fast
        return spline;
    }
}

double bezier(double p0, double p1, double p2, double p3, double s) {
    const double u = 1.0 - s;
    return u * u * u * p0 + 3.0 * u * u * s * p1 + 3.0 * u * s * s * p2 + s * s * s * p3;
}

double evaluateSegment(const AnimCurveData& c, std::size_t i, double time) {
    const AnimKey& a = c.keys[i];
    const AnimKey& b = c.keys[i + 1];
    const int outType = effectiveType(a.outType, c.defaultTangent);
    if (outType == tangent::kStep)
        return a.value;
    if (outType == tangent::kStepNext)
        return b.value;
    const double dt = b.time - a.time;
    if (dt <= 0.0)
        return b.value;
    const double m0 = slopeOf(c, i, false);
    const double m1 = slopeOf(c, i + 1, true);
    const bool fixedWeights =
        c.weighted && (effectiveType(a.outType, c.defaultTangent) == tangent::kFixed ||
                       effectiveType(b.inType, c.defaultTangent) == tangent::kFixed);
    if (!fixedWeights) {
        // Cubic Hermite with the handles a third of the interval long.
        const double s = (time - a.time) / dt;
        const double s2 = s * s;
        const double s3 = s2 * s;
        return (2 * s3 - 3 * s2 + 1) * a.value + (s3 - 2 * s2 + s) * m0 * dt +
               (-2 * s3 + 3 * s2) * b.value + (s3 - s2) * m1 * dt;
    }
    // Weighted fixed tangents: a Bezier curve in (time, value) whose handles are the tangent
    // vectors divided by three; the time handles are kept inside the interval.
    double x1 = a.time + dt / 3.0, y1 = a.value + m0 * dt / 3.0;
    double x2 = b.time - dt / 3.0, y2 = b.value - m1 * dt / 3.0;
    if (effectiveType(a.outType, c.defaultTangent) == tangent::kFixed) {
        x1 = a.time + a.outX / 3.0;
        y1 = a.value + a.outY / 3.0;
    }
    if (effectiveType(b.inType, c.defaultTangent) == tangent::kFixed) {
        x2 = b.time - b.inX / 3.0;
        y2 = b.value - b.inY / 3.0;
    }
    x1 = std::clamp(x1, a.time, b.time);
    x2 = std::clamp(x2, a.time, b.time);
    // Time along the Bezier is monotonic with the handles clamped: bisection finds s.
    double lo = 0.0, hi = 1.0;
    for (int iter = 0; iter < 60; ++iter) {
        const double mid = 0.5 * (lo + hi);
        if (bezier(a.time, x1, x2, b.time, mid) < time)
            lo = mid;
        else
            hi = mid;
    }
    return bezier(a.value, y1, y2, b.value, 0.5 * (lo + hi));
}

double evaluateInside(const AnimCurveData& c, double time) {
    const auto& k = c.keys;
    if (time <= k.front().time)
        return k.front().value;
    if (time >= k.back().time)
        return k.back().value;
    const auto it = std::upper_bound(k.begin(), k.end(), time,
                                     [](double t, const AnimKey& key) { return t < key.time; });
    const auto i = static_cast<std::size_t>(it - k.begin()) - 1;
    return evaluateSegment(c, i, time);
}

} // namespace

AnimCurveData readAnimCurve(const Node& node) {
    AnimCurveData c;
    c.weighted = topNumber(node, "wgt", 0.0) != 0.0;
    c.preInfinity = numeric::toInt(topNumber(node, "pre", 0.0));
    c.postInfinity = numeric::toInt(topNumber(node, "pst", 0.0));
    c.defaultTangent = numeric::toInt(topNumber(node, "tan", tangent::kAuto));
    const ArrayStore* ktv = arrayNamed(node, "ktv");
    if (!ktv || ktv->packing == ArrayStore::Packing::None)
        return c;
    const ArrayStore* kit = arrayNamed(node, "kit");
    const ArrayStore* kot = arrayNamed(node, "kot");
    const ArrayStore* kix = arrayNamed(node, "kix");
    const ArrayStore* kiy = arrayNamed(node, "kiy");
    const ArrayStore* kox = arrayNamed(node, "kox");
    const ArrayStore* koy = arrayNamed(node, "koy");
    c.keys.reserve(ktv->size());
    for (std::size_t p = 0; p < ktv->size(); ++p) {
        const std::uint32_t logical = ktv->logical[p];
        AnimKey key;
        key.time = ktv->number(p, 0);
        key.value = ktv->number(p, 1);
        key.inType = numeric::toInt(perKey(kit, logical, tangent::kGlobal));
        key.outType = numeric::toInt(perKey(kot, logical, tangent::kGlobal));
        key.inX = perKey(kix, logical, 1.0);
        key.inY = perKey(kiy, logical, 0.0);
        key.outX = perKey(kox, logical, 1.0);
        key.outY = perKey(koy, logical, 0.0);
        c.keys.push_back(key);
    }
    std::stable_sort(c.keys.begin(), c.keys.end(),
                     [](const AnimKey& a, const AnimKey& b) { return a.time < b.time; });
    return c;
}

double evaluateAnimCurve(const AnimCurveData& c, double time) {
    const auto& k = c.keys;
    if (k.empty())
        return 0.0;
    if (k.size() == 1)
        return k[0].value;
    const double first = k.front().time;
    const double last = k.back().time;
    const double period = last - first;
    const bool before = time < first;
    const bool after = time > last;
    if (!before && !after)
        return evaluateInside(c, time);
    const int mode = before ? c.preInfinity : c.postInfinity;
    if (mode == infinity::kLinear) {
        if (before)
            return k.front().value + slopeOf(c, 0, true) * (time - first);
        return k.back().value + slopeOf(c, k.size() - 1, false) * (time - last);
    }
    if (period <= 0.0 || (mode != infinity::kCycle && mode != infinity::kCycleRelative &&
                          mode != infinity::kOscillate))
        return before ? k.front().value : k.back().value;
    const double offset = time - first;
    const double cycles = std::floor(offset / period);
    double local = offset - cycles * period;
    if (mode == infinity::kOscillate && std::fmod(cycles, 2.0) != 0.0)
        local = period - local;
    const double value = evaluateInside(c, first + local);
    if (mode == infinity::kCycleRelative)
        return value + cycles * (k.back().value - k.front().value);
    return value;
}

} // namespace vornexhost
