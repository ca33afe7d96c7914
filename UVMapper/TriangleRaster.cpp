#include "UVMapper/TriangleRaster.h"

#include <algorithm>
#include <utility>

namespace vx {

TriangleRaster::TriangleRaster(const float u[3], const float v[3], std::uint32_t width,
                               std::uint32_t height)
    : m_width(width), m_height(height), m_step(0.001 / static_cast<double>(height)),
      m_stepsPerUnit(1000.0 * static_cast<double>(height)) {
    // Three compare-and-swaps sort three corners; corners that tie are equal in u and v, so
    // their order cannot show.
    const auto before = [&](unsigned a, unsigned b) {
        return v[a] != v[b] ? v[a] < v[b] : u[a] < u[b];
    };
    unsigned order[3] = {0, 1, 2};
    if (before(order[1], order[0]))
        std::swap(order[0], order[1]);
    if (before(order[2], order[1]))
        std::swap(order[1], order[2]);
    if (before(order[1], order[0]))
        std::swap(order[0], order[1]);
    for (unsigned i = 0; i < 3; ++i) {
        m_u[i] = static_cast<double>(u[order[i]]);
        m_v[i] = static_cast<double>(v[order[i]]);
    }
    setEdge(m_long, m_u[0], m_v[0], m_u[2], m_v[2]);
    setEdge(m_upper, m_u[0], m_v[0], m_u[1], m_v[1]);
    setEdge(m_lower, m_u[1], m_v[1], m_u[2], m_v[2]);
    // The last step at or below the highest corner; the estimate (the conversion truncates,
    // which is the floor above 1) is corrected by the steps' own arithmetic.
    m_lastStep = 0;
    const double estimate = (m_v[2] - m_v[0]) * m_stepsPerUnit;
    if (estimate >= 1.0)
        m_lastStep = static_cast<std::uint64_t>(std::min(estimate, 1.0e15));
    while (vAt(m_lastStep + 1) <= m_v[2])
        ++m_lastStep;
    while (m_lastStep > 0 && vAt(m_lastStep) > m_v[2])
        --m_lastStep;
    m_firstLowerStep = firstStepAbove(m_v[1]);
}

} // namespace vx
