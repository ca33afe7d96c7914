#pragma once
// Welding of corner positions through a hash grid: a position gets the number of the first
// earlier position within the weld distance, exactly as a scan over every earlier position
// would, but looks only at the grid cells around it.
#include "Shared/Base/math/PointHashGrid.h"
#include "Shared/Base/math/Vector3.h"

#include <cstdint>
#include <vector>

namespace vx {

class PositionWeldGrid {
public:
    // Squared distance below 0.0001 (1 cm): the rule every weld of the mapper follows.
    static bool withinWeldDistance(const Vector3& a, const Vector3& b) {
        return (a - b).lengthSquared() < 0.0001f;
    }

    // The number of the first position so far within the weld distance of p, or a new number
    // for p. Positions must be finite.
    std::uint32_t weld(const Vector3& p);
    const std::vector<Vector3>& positions() const { return m_positions; }

private:
    std::vector<Vector3> m_positions;
    // Reach a little beyond the weld distance for the rounding of the distance test.
    PointHashGrid m_grid{0.04, 0.0101};
};

} // namespace vx
