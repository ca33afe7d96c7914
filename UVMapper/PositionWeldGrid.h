#pragma once
// Welding of corner positions through a hash grid: a position gets the number of the first
// earlier position within the weld distance, exactly as a scan over every earlier position
// would, but looks only at the grid cells around it. A position met before bit for bit gets
// the number it got then, without a look at the grid: positions are only ever appended, so the
// first one within the distance stays the first.
#include "Shared/Base/math/PointHashGrid.h"
#include "Shared/Base/math/Vector3.h"

#include <array>
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
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    struct Seen {
        std::array<std::uint32_t, 3> bits{};
        std::uint32_t number = kNone; // kNone: the slot is free
    };
    // The slot of these bits in m_seen: theirs, or the free one where they go.
    Seen& seenSlot(const std::array<std::uint32_t, 3>& bits);

    std::vector<Vector3> m_positions;
    // Reach a little beyond the weld distance for the rounding of the distance test.
    PointHashGrid m_grid{0.04, 0.0101};
    std::vector<Seen> m_seen; // open addressing, power-of-two size, at most half full
    std::size_t m_seenCount = 0;
};

} // namespace vx
