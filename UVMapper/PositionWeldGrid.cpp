#include "UVMapper/PositionWeldGrid.h"

#include <algorithm>
#include <bit>

namespace vx {

PositionWeldGrid::Bits PositionWeldGrid::bitsOf(const Vector3& p) {
    return {std::bit_cast<std::uint32_t>(p.x), std::bit_cast<std::uint32_t>(p.y),
            std::bit_cast<std::uint32_t>(p.z)};
}

std::size_t PositionWeldGrid::hashOf(const Bits& bits) {
    std::uint64_t h =
        (std::uint64_t{bits[0]} | std::uint64_t{bits[1]} << 32) * 0x9E3779B97F4A7C15ULL;
    h ^= (h >> 29) ^ std::uint64_t{bits[2]} * 0xC2B2AE3D27D4EB4FULL;
    h ^= h >> 32;
    return static_cast<std::size_t>(h);
}

PositionWeldGrid::BitsTable::Slot& PositionWeldGrid::BitsTable::slot(const Bits& bits,
                                                                     std::size_t hash) {
    if ((m_count + 1) * 2 > m_slots.size()) {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(std::max<std::size_t>(1024, old.size() * 2), Slot{});
        const std::size_t mask = m_slots.size() - 1;
        for (const Slot& kept : old) {
            if (kept.value == kNone)
                continue;
            std::size_t i = hashOf(kept.bits) & mask;
            while (m_slots[i].value != kNone)
                i = (i + 1) & mask;
            m_slots[i] = kept;
        }
    }
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash & mask;
    while (m_slots[i].value != kNone && m_slots[i].bits != bits)
        i = (i + 1) & mask;
    if (m_slots[i].value == kNone) {
        // The caller fills it: counted now, so that the table grows before it is half full.
        m_slots[i].bits = bits;
        ++m_count;
    }
    return m_slots[i];
}

std::uint32_t PositionWeldGrid::weld(const Vector3& p) {
    const Bits bits = bitsOf(p);
    BitsTable::Slot& seen = m_seen.slot(bits, hashOf(bits));
    if (seen.value == kNone)
        seen.value = weldByGrid(p);
    return seen.value;
}

std::uint32_t PositionWeldGrid::weldByGrid(const Vector3& p) {
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
