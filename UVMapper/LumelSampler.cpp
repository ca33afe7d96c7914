#include "UVMapper/LumelSampler.h"

#include "UVMapper/LumelRules.h"

#include <algorithm>
#include <cmath>

namespace vx {

bool sampleLumel(const UVCluster& cluster, std::int32_t i, std::int32_t j,
                 const std::vector<UVTriangle>& triangles, const std::uint32_t* candidates,
                 std::size_t count, LumelSample& sample, bool& real) {
    return sampleLumel(lumelArea(cluster, i, j), triangles, candidates, count, sample, real);
}

bool sampleLumel(const LumelArea& area, const std::vector<UVTriangle>& triangles,
                 const std::uint32_t* candidates, std::size_t count, LumelSample& sample,
                 bool& real) {
    LumelSample found;
    for (std::size_t c = 0; c < count; ++c) {
        if (sampleInside(triangles[candidates[c]], area, found)) {
            found.triangle = static_cast<std::int32_t>(candidates[c]);
            sample = found;
            real = true;
            return true;
        }
    }
    for (std::size_t c = 0; c < count; ++c) {
        if (sampleCorner(triangles[candidates[c]], area, found)) {
            found.triangle = static_cast<std::int32_t>(candidates[c]);
            sample = found;
            real = true;
            return true;
        }
    }
    for (std::size_t c = 0; c < count; ++c) {
        if (sampleEdgeCrossing(triangles[candidates[c]], area, found)) {
            found.triangle = static_cast<std::int32_t>(candidates[c]);
            sample = found;
            real = false;
            return true;
        }
    }
    return false;
}

namespace {

// The lumel index range [first, last] (clamped to 0 .. count - 1) whose lumel rectangles,
// widened by `margin`, can meet [low, high]. Lumel n's rectangle starts at the centre of its
// share: origin + size × (n + 0.5).
void lumelRange(double low, double high, double origin, double size, double margin,
                std::int32_t count, std::int32_t& first, std::int32_t& last) {
    first = 0;
    last = count - 1;
    if (!(size > 0.0) || !std::isfinite(size))
        return;
    const double from = std::floor((low - origin - margin) / size - 1.5);
    const double to = std::ceil((high - origin + margin) / size - 0.5);
    const auto top = static_cast<double>(count - 1);
    first = static_cast<std::int32_t>(std::clamp(from, 0.0, top));
    last = static_cast<std::int32_t>(std::clamp(to, 0.0, top));
    if (to < 0.0 || from > top)
        last = first - 1; // out of reach
}

} // namespace

void LumelSampler::sampleCluster(const UVCluster& cluster, const std::vector<UVTriangle>& triangles,
                                 const std::vector<std::uint32_t>& members, LumelSample* samples,
                                 std::uint64_t& real) {
    const std::int32_t w = cluster.w;
    const std::int32_t h = cluster.h;
    const unsigned axisA = planeCoordinateA(cluster.axis);
    const unsigned axisB = planeCoordinateB(cluster.axis);
    const auto minA = static_cast<double>(cluster.boundsMin[axisA]);
    const auto minB = static_cast<double>(cluster.boundsMin[axisB]);
    const double sizeA = (static_cast<double>(cluster.boundsMax[axisA]) - minA) / w;
    const double sizeB = (static_cast<double>(cluster.boundsMax[axisB]) - minB) / h;
    const double magnitude = std::max({std::fabs(minA), std::fabs(minB),
                                       std::fabs(static_cast<double>(cluster.boundsMax[axisA])),
                                       std::fabs(static_cast<double>(cluster.boundsMax[axisB]))});
    const double lumelMargin = 2.0 * std::max(sizeA, sizeB) + magnitude / 65536.0;

    const std::uint32_t count = cluster.memberCount;
    const std::uint32_t* member = members.data() + cluster.memberBegin;
    m_range.assign(std::size_t{count} * 4, -1);
    m_everywhere.clear();
    m_cellStart.assign(std::size_t(w) * std::size_t(h) + 1, 0);
    for (std::uint32_t m = 0; m < count; ++m) {
        const UVTriangle& triangle = triangles[member[m]];
        double pa[3];
        double pb[3];
        for (unsigned c = 0; c < 3; ++c) {
            pa[c] = static_cast<double>(planeA(triangle.corners[c].position, triangle.axis));
            pb[c] = static_cast<double>(planeB(triangle.corners[c].position, triangle.axis));
        }
        double lowA = pa[0];
        double highA = lowA;
        double lowB = pb[0];
        double highB = lowB;
        double longest = 0.0;
        for (unsigned c = 0; c < 3; ++c) {
            lowA = std::min(lowA, pa[c]);
            highA = std::max(highA, pa[c]);
            lowB = std::min(lowB, pb[c]);
            highB = std::max(highB, pb[c]);
            const double da = pa[(c + 1) % 3] - pa[c];
            const double db = pb[(c + 1) % 3] - pb[c];
            longest = std::max(longest, da * da + db * db);
        }
        const double twiceArea =
            std::fabs((pa[1] - pa[0]) * (pb[2] - pb[0]) - (pa[2] - pa[0]) * (pb[1] - pb[0]));
        // Every angle above about 0.9 degrees: the float barycentric test errs by far less
        // than the margin. Anything thinner may pass anywhere and is tried everywhere.
        if (!(twiceArea * 64.0 >= longest) || !(longest > 0.0) || !std::isfinite(twiceArea)) {
            m_everywhere.push_back(m);
            continue;
        }
        const double margin = std::max(highA - lowA, highB - lowB) / 256.0 + lumelMargin;
        std::int32_t* range = m_range.data() + std::size_t{m} * 4;
        lumelRange(lowA, highA, minA, sizeA, margin, w, range[0], range[1]);
        lumelRange(lowB, highB, minB, sizeB, margin, h, range[2], range[3]);
        for (std::int32_t j = range[2]; j <= range[3]; ++j)
            for (std::int32_t i = range[0]; i <= range[1]; ++i)
                ++m_cellStart[std::size_t(j) * std::size_t(w) + std::size_t(i) + 1];
    }
    for (std::size_t c = 1; c < m_cellStart.size(); ++c)
        m_cellStart[c] += m_cellStart[c - 1];
    m_cellMembers.resize(m_cellStart.back());
    m_fill.assign(m_cellStart.begin(), m_cellStart.end() - 1);
    for (std::uint32_t m = 0; m < count; ++m) {
        const std::int32_t* range = m_range.data() + std::size_t{m} * 4;
        if (range[0] < 0)
            continue;
        for (std::int32_t j = range[2]; j <= range[3]; ++j)
            for (std::int32_t i = range[0]; i <= range[1]; ++i)
                m_cellMembers[m_fill[std::size_t(j) * std::size_t(w) + std::size_t(i)]++] = m;
    }

    // Without slivers to merge in, the lists can hold the triangle numbers themselves.
    if (m_everywhere.empty())
        for (std::uint32_t& listed : m_cellMembers)
            listed = member[listed];

    // A lumel's point: its column's a and its row's b, as lumelArea() works them out.
    m_columnA.resize(std::size_t(w));
    for (std::int32_t i = 0; i < w; ++i)
        m_columnA[std::size_t(i)] = lumelArea(cluster, i, 0).pa;
    for (std::int32_t j = 0; j < h; ++j) {
        LumelArea area = lumelArea(cluster, 0, j);
        for (std::int32_t i = 0; i < w; ++i) {
            area.pa = m_columnA[std::size_t(i)];
            const std::size_t cell = std::size_t(j) * std::size_t(w) + std::size_t(i);
            const std::uint32_t* candidates = m_cellMembers.data() + m_cellStart[cell];
            std::size_t candidateCount = m_cellStart[cell + 1] - m_cellStart[cell];
            if (!m_everywhere.empty()) {
                // Both lists are in member order; merged, they keep it.
                m_merged.clear();
                std::size_t a = 0;
                std::size_t b = 0;
                while (a < candidateCount || b < m_everywhere.size()) {
                    const bool takeListed = b == m_everywhere.size() ||
                                            (a < candidateCount && candidates[a] < m_everywhere[b]);
                    m_merged.push_back(member[takeListed ? candidates[a++] : m_everywhere[b++]]);
                }
                candidates = m_merged.data();
                candidateCount = m_merged.size();
            }
            bool isReal = false;
            if (sampleLumel(area, triangles, candidates, candidateCount, samples[cell], isReal) &&
                isReal)
                ++real;
        }
    }
}

} // namespace vx
