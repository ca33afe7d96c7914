#pragma once
// Welding of corner positions through a hash grid: a position gets the number of the first
// earlier position within the weld distance, exactly as a scan over every earlier position
// would, but looks only at the 27 grid cells around it.
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
    struct Slot {
        std::uint64_t key = 0;
        std::uint32_t first = kNone; // first position of the cell, kNone when the slot is free
        std::uint32_t last = kNone;
    };
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    static std::uint64_t cellKey(std::int64_t cx, std::int64_t cy, std::int64_t cz);
    Slot* find(std::uint64_t key);
    Slot& insert(std::uint64_t key);
    void grow();

    std::vector<Vector3> m_positions;
    std::vector<std::uint32_t> m_next; // next position of the same cell, in increasing order
    std::vector<Slot> m_slots;         // open addressing, power-of-two size
    std::size_t m_used = 0;
};

} // namespace vx
