#pragma once
// Welding of corner positions through a hash grid: a position gets the number of the first
// earlier position within the weld distance, exactly as a scan over every earlier position
// would, but looks only at the grid cells around it. A position met before bit for bit gets
// the number it got then, without a look at the grid: positions are only ever appended, so the
// first one within the distance stays the first.
#include "Shared/Base/WorkSharing.h"
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
    // weld() of points pointAt(0) .. pointAt(count - 1) in turn, with their numbers in order.
    // Which points repeat an earlier one bit for bit is found side by side first, so that only
    // the others are welded one after the other. pointAt is called from several threads.
    template <typename PointAt>
    std::vector<std::uint32_t> weldAll(std::size_t count, PointAt pointAt);
    const std::vector<Vector3>& positions() const { return m_positions; }

private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    using Bits = std::array<std::uint32_t, 3>;
    // Values by the bits of a position: open addressing, power-of-two size, at most half full.
    class BitsTable {
    public:
        struct Slot {
            Bits bits{};
            std::uint32_t value = kNone; // kNone: the slot is free
        };
        // The slot of these bits: theirs, or the free one where they go, which the caller
        // fills with a value other than kNone.
        Slot& slot(const Bits& bits, std::size_t hash);

    private:
        std::vector<Slot> m_slots;
        std::size_t m_count = 0;
    };
    // weld() without the table of positions met: a position met before bit for bit gets the
    // number it got then from the grid as well, since only later numbers were added since.
    std::uint32_t weldByGrid(const Vector3& p);
    static Bits bitsOf(const Vector3& p);
    static std::size_t hashOf(const Bits& bits);

    std::vector<Vector3> m_positions;
    // Reach a little beyond the weld distance for the rounding of the distance test.
    PointHashGrid m_grid{0.04, 0.0101};
    BitsTable m_seen; // the number each position met so far got
};

template <typename PointAt>
std::vector<std::uint32_t> PositionWeldGrid::weldAll(std::size_t count, PointAt pointAt) {
    // Each point's first bit-identical point: the positions are shared out by their hash, each
    // share with a table of its own, walked in point order.
    const std::size_t shares = std::size_t{workHelpers()} + 1;
    std::vector<std::uint32_t> first(count);
    shareWork(shares, [&](std::size_t share) {
        BitsTable table;
        for (std::size_t i = 0; i < count; ++i) {
            const Bits bits = bitsOf(pointAt(i));
            const std::size_t hash = hashOf(bits);
            if ((hash >> 48) % shares != share)
                continue;
            BitsTable::Slot& slot = table.slot(bits, hash);
            if (slot.value == kNone)
                slot.value = static_cast<std::uint32_t>(i);
            first[i] = slot.value;
        }
    });
    // The numbers take the place of the first points, which nothing reads once passed.
    std::vector<std::uint32_t>& numbers = first;
    for (std::size_t i = 0; i < count; ++i)
        numbers[i] = first[i] == i ? weldByGrid(pointAt(i)) : numbers[first[i]];
    return std::move(numbers);
}

} // namespace vx
