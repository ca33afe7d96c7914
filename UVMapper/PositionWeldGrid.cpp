#include "UVMapper/PositionWeldGrid.h"

namespace vx {

std::uint32_t PositionWeldGrid::weld(const Vector3& p) {
    auto best = static_cast<std::uint32_t>(m_positions.size());
    m_grid.forEachNear(p, [&](std::uint32_t i) {
        if (i < best && withinWeldDistance(m_positions[i], p))
            best = i;
        return true;
    });
    if (best < m_positions.size())
        return best;
    m_positions.push_back(p);
    m_grid.insert(p, best);
    return best;
}

} // namespace vx
