#include "UVMapper/TriangleRaster.h"

#include <algorithm>
#include <cmath>

namespace vx {

TriangleRaster::Edge TriangleRaster::makeEdge(double ua, double va, double ub, double vb) {
    Edge edge{ua, va, ub, vb, 0.0, va == vb};
    if (!edge.flat)
        edge.slope = (ub - ua) / (vb - va);
    return edge;
}

TriangleRaster::TriangleRaster(const float u[3], const float v[3], std::uint32_t width,
                               std::uint32_t height)
    : m_width(width), m_height(height), m_step(0.001 / static_cast<double>(height)),
      m_stepsPerRow(1.0 / (static_cast<double>(height) * m_step)) {
    unsigned order[3] = {0, 1, 2};
    std::sort(order, order + 3,
              [&](unsigned a, unsigned b) { return v[a] != v[b] ? v[a] < v[b] : u[a] < u[b]; });
    for (unsigned i = 0; i < 3; ++i) {
        m_u[i] = static_cast<double>(u[order[i]]);
        m_v[i] = static_cast<double>(v[order[i]]);
    }
    m_long = makeEdge(m_u[0], m_v[0], m_u[2], m_v[2]);
    m_upper = makeEdge(m_u[0], m_v[0], m_u[1], m_v[1]);
    m_lower = makeEdge(m_u[1], m_v[1], m_u[2], m_v[2]);
    // The last step at or below the highest corner; the estimate is corrected by the steps'
    // own arithmetic.
    m_lastStep = 0;
    const double estimate = std::floor((m_v[2] - m_v[0]) / m_step);
    if (estimate > 0.0)
        m_lastStep = static_cast<std::uint64_t>(std::min(estimate, 1.0e15));
    while (vAt(m_lastStep + 1) <= m_v[2])
        ++m_lastStep;
    while (m_lastStep > 0 && vAt(m_lastStep) > m_v[2])
        --m_lastStep;
    m_firstLowerStep = firstStepAbove(m_v[1]);
}

std::uint64_t TriangleRaster::firstStepAbove(double limit) const {
    // Steps rise with k, so the estimate from the step size is put right by the steps' own
    // arithmetic, a step or two at most.
    const double estimate = std::floor((limit - m_v[0]) / m_step);
    std::uint64_t k = 0;
    if (estimate > 0.0)
        k = static_cast<std::uint64_t>(std::min(estimate, static_cast<double>(m_lastStep + 1)));
    while (k <= m_lastStep && vAt(k) <= limit)
        ++k;
    while (k > 0 && vAt(k - 1) > limit)
        --k;
    return k;
}

std::uint64_t TriangleRaster::lastStepOfRow(std::int64_t row, std::uint64_t first,
                                            std::uint64_t last, std::int64_t& nextRow) const {
    // The row ends where height × v reaches row + 0.5; the estimate is then put right by the
    // steps' own arithmetic, a step or two at most.
    const double end = (static_cast<double>(row) + 0.5 - m_height * m_v[0]) * m_stepsPerRow;
    std::uint64_t k = first;
    if (end > static_cast<double>(first))
        k = end >= static_cast<double>(last) ? last : static_cast<std::uint64_t>(end);
    bool inRow = k == first;
    while (k < last) {
        nextRow = rowAt(k + 1);
        if (nextRow != row)
            break;
        ++k;
        inRow = true;
    }
    while (!inRow && k > first) {
        const std::int64_t here = rowAt(k);
        inRow = here == row;
        if (!inRow) {
            nextRow = here;
            --k;
        }
    }
    return k;
}

bool TriangleRaster::movesAtMostOneColumn(const Edge& edge) const {
    // 0.9 leaves room for the rounding of the crossings; beyond it steps go one by one.
    return !edge.flat && m_width * std::fabs(edge.slope) * m_step <= 0.9;
}

void TriangleRaster::cross(const Edge& edge, double v, double& low, double& high) const {
    if (edge.flat) {
        low = std::min(edge.ua, edge.ub);
        high = std::max(edge.ua, edge.ub);
        return;
    }
    low = high = edge.ua + (v - edge.va) * edge.slope;
}

void TriangleRaster::columns(std::uint64_t k, const Edge& shortEdge, std::int64_t& x0,
                             std::int64_t& x1) const {
    const double v = vAt(k);
    double longLow = 0.0;
    double longHigh = 0.0;
    double shortLow = 0.0;
    double shortHigh = 0.0;
    cross(m_long, v, longLow, longHigh);
    cross(shortEdge, v, shortLow, shortHigh);
    x0 = nearest(m_width * std::min(longLow, shortLow));
    x1 = nearest(m_width * std::max(longHigh, shortHigh));
}

void TriangleRaster::stepSpan(std::uint64_t k, std::int64_t& row, std::int64_t& x0,
                              std::int64_t& x1) const {
    row = rowAt(k);
    columns(k, k < m_firstLowerStep ? m_upper : m_lower, x0, x1);
}

} // namespace vx
