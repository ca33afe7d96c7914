#include "UVMapper/LumelRules.h"

namespace vx {

LumelArea lumelArea(const UVCluster& cluster, std::int32_t i, std::int32_t j) {
    const unsigned a = planeCoordinateA(cluster.axis);
    const unsigned b = planeCoordinateB(cluster.axis);
    const float minA = cluster.boundsMin[a];
    const float minB = cluster.boundsMin[b];
    const float spanA = cluster.boundsMax[a] - minA;
    const float spanB = cluster.boundsMax[b] - minB;
    const auto w = static_cast<float>(cluster.w);
    const auto h = static_cast<float>(cluster.h);
    LumelArea area;
    area.pa = minA + spanA * (static_cast<float>(i) + 0.5f) / w;
    area.pb = minB + spanB * (static_cast<float>(j) + 0.5f) / h;
    area.su = spanA / w;
    area.sv = spanB / h;
    return area;
}

bool sampleInside(const UVTriangle& triangle, const LumelArea& lumel, LumelSample& sample) {
    const UVCorner* k = triangle.corners;
    const std::int32_t axis = triangle.axis;
    const float a0 = planeA(k[0].position, axis), a1 = planeB(k[0].position, axis);
    const float b0 = planeA(k[1].position, axis), b1 = planeB(k[1].position, axis);
    const float c0 = planeA(k[2].position, axis), c1 = planeB(k[2].position, axis);
    const float p0 = lumel.pa - c0;
    const float p1 = lumel.pb - c1;
    const float d = (b1 - c1) * (a0 - c0) + (c0 - b0) * (a1 - c1);
    const float l0 = ((b1 - c1) * p0 + (c0 - b0) * p1) / d;
    const float l1 = ((c1 - a1) * p0 + (a0 - c0) * p1) / d;
    const float l2 = 1.0f - l0 - l1;
    const auto inRange = [](float l) { return l >= 0.0f && l < 1.0f; };
    if (!inRange(l0) || !inRange(l1) || !inRange(l2))
        return false;
    sample.position = k[0].position * l0 + k[1].position * l1 + k[2].position * l2;
    sample.normal = (k[0].normal * l0 + k[1].normal * l1 + k[2].normal * l2).normalized();
    return true;
}

bool sampleCorner(const UVTriangle& triangle, const LumelArea& lumel, LumelSample& sample) {
    const float highA = lumel.pa + lumel.su;
    const float highB = lumel.pb + lumel.sv;
    for (const UVCorner& corner : triangle.corners) {
        const float a = planeA(corner.position, triangle.axis);
        const float b = planeB(corner.position, triangle.axis);
        if (a >= lumel.pa && a <= highA && b >= lumel.pb && b <= highB) {
            sample.position = corner.position;
            sample.normal = corner.normal;
            return true;
        }
    }
    return false;
}

namespace {

// Where the segment from (a0, b0) to (a1, b1) crosses the line coordinate[axis] == at within
// [low, high] along the other coordinate: its parameter t in [0, 1].
bool crossesSide(const float from[2], const float to[2], unsigned axis, float at, float low,
                 float high, float& t) {
    const unsigned other = 1 - axis;
    if (from[axis] == to[axis])
        return false;
    t = (at - from[axis]) / (to[axis] - from[axis]);
    if (!(t >= 0.0f && t <= 1.0f))
        return false;
    const float along = from[other] + (to[other] - from[other]) * t;
    return along >= low && along <= high;
}

} // namespace

bool sampleEdgeCrossing(const UVTriangle& triangle, const LumelArea& lumel, LumelSample& sample) {
    const float highA = lumel.pa + lumel.su;
    const float highB = lumel.pb + lumel.sv;
    float plane[3][2];
    for (unsigned c = 0; c < 3; ++c) {
        plane[c][0] = planeA(triangle.corners[c].position, triangle.axis);
        plane[c][1] = planeB(triangle.corners[c].position, triangle.axis);
    }
    for (unsigned e = 0; e < 3; ++e) {
        const UVCorner& from = triangle.corners[e];
        const UVCorner& to = triangle.corners[(e + 1) % 3];
        const float* a = plane[e];
        const float* b = plane[(e + 1) % 3];
        float t = 0.0f;
        const bool crosses = crossesSide(a, b, 1, lumel.pb, lumel.pa, highA, t) ||
                             crossesSide(a, b, 0, highA, lumel.pb, highB, t) ||
                             crossesSide(a, b, 1, highB, lumel.pa, highA, t) ||
                             crossesSide(a, b, 0, lumel.pa, lumel.pb, highB, t);
        if (crosses) {
            sample.position = from.position + (to.position - from.position) * t;
            sample.normal = (from.normal + (to.normal - from.normal) * t).normalized();
            return true;
        }
    }
    return false;
}

} // namespace vx
