#include "UVMapper/PositionWeldGrid.h"

#include <algorithm>
#include <bit>

namespace vx {

namespace {

std::size_t hashOf(const std::array<std::uint32_t, 3>& bits) {
    std::uint64_t h =
        (std::uint64_t{bits[0]} | std::uint64_t{bits[1]} << 32) * 0x9E3779B97F4A7C15ULL;
    h ^= (h >> 29) ^ std::uint64_t{bits[2]} * 0xC2B2AE3D27D4EB4FULL;
    h ^= h >> 32;
    return static_cast<std::size_t>(h);
}

} // namespace

PositionWeldGrid::Seen& PositionWeldGrid::seenSlot(const std::array<std::uint32_t, 3>& bits) {
    if ((m_seenCount + 1) * 2 > m_seen.size()) {
        std::vector<Seen> old = std::move(m_seen);
        m_seen.assign(std::max<std::size_t>(1024, old.size() * 2), Seen{});
        const std::size_t mask = m_seen.size() - 1;
        for (const Seen& seen : old) {
            if (seen.number == kNone)
                continue;
            std::size_t i = hashOf(seen.bits) & mask;
            while (m_seen[i].number != kNone)
                i = (i + 1) & mask;
            m_seen[i] = seen;
        }
    }
    const std::size_t mask = m_seen.size() - 1;
    std::size_t i = hashOf(bits) & mask;
    while (m_seen[i].number != kNone && m_seen[i].bits != bits)
        i = (i + 1) & mask;
    return m_seen[i];
}

std::uint32_t PositionWeldGrid::weld(const Vector3& p) {
    const std::array<std::uint32_t, 3> bits = {std::bit_cast<std::uint32_t>(p.x),
                                               std::bit_cast<std::uint32_t>(p.y),
                                               std::bit_cast<std::uint32_t>(p.z)};
    Seen& seen = seenSlot(bits);
    if (seen.number != kNone)
        return seen.number;
    auto best = static_cast<std::uint32_t>(m_positions.size());
    m_grid.forEachNear(p, [&](std::uint32_t i) {
        if (i < best && withinWeldDistance(m_positions[i], p))
            best = i;
        return true;
    });
    seen.bits = bits;
    seen.number = best;
    ++m_seenCount;
    if (best < m_positions.size())
        return best;
    m_positions.push_back(p);
    m_grid.insert(p, best);
    return best;
}

} // namespace vx
