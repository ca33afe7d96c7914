#include "UVMapper/PositionWeldGrid.h"

#include <algorithm>
#include <cmath>

namespace vx {

namespace {

// Cells twice the weld distance wide: two positions within the weld distance always lie in
// neighbouring cells, whatever the rounding of the distance test.
constexpr double kCellSize = 0.02;
// Cell coordinates are clamped to 21 bits; clamping keeps neighbours neighbours, so far-away
// positions share edge cells (slower, never wrong).
constexpr std::int64_t kCellLimit = (std::int64_t{1} << 20) - 2;

std::int64_t cellOf(float coordinate) {
    const double c = std::floor(static_cast<double>(coordinate) / kCellSize);
    return static_cast<std::int64_t>(
        std::clamp(c, static_cast<double>(-kCellLimit), static_cast<double>(kCellLimit)));
}

std::uint64_t mix(std::uint64_t key) {
    key ^= key >> 33;
    key *= 0xff51afd7ed558ccdULL;
    key ^= key >> 33;
    return key;
}

} // namespace

std::uint64_t PositionWeldGrid::cellKey(std::int64_t cx, std::int64_t cy, std::int64_t cz) {
    const std::int64_t bias = std::int64_t{1} << 20;
    return (static_cast<std::uint64_t>(cx + bias) << 42) |
           (static_cast<std::uint64_t>(cy + bias) << 21) | static_cast<std::uint64_t>(cz + bias);
}

PositionWeldGrid::Slot* PositionWeldGrid::find(std::uint64_t key) {
    if (m_slots.empty())
        return nullptr;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = mix(key) & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.first == kNone)
            return nullptr;
        if (slot.key == key)
            return &slot;
    }
}

PositionWeldGrid::Slot& PositionWeldGrid::insert(std::uint64_t key) {
    if ((m_used + 1) * 2 > m_slots.size())
        grow();
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = mix(key) & mask;
    while (m_slots[i].first != kNone && m_slots[i].key != key)
        i = (i + 1) & mask;
    if (m_slots[i].first == kNone) {
        m_slots[i].key = key;
        ++m_used;
    }
    return m_slots[i];
}

void PositionWeldGrid::grow() {
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(std::max<std::size_t>(64, old.size() * 2), Slot{});
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.first == kNone)
            continue;
        std::size_t i = mix(slot.key) & mask;
        while (m_slots[i].first != kNone)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

std::uint32_t PositionWeldGrid::weld(const Vector3& p) {
    const std::int64_t cx = cellOf(p.x);
    const std::int64_t cy = cellOf(p.y);
    const std::int64_t cz = cellOf(p.z);
    std::uint32_t best = kNone;
    for (std::int64_t dx = -1; dx <= 1; ++dx) {
        for (std::int64_t dy = -1; dy <= 1; ++dy) {
            for (std::int64_t dz = -1; dz <= 1; ++dz) {
                const Slot* slot = find(cellKey(cx + dx, cy + dy, cz + dz));
                // A cell's positions are in increasing order: its first match is its best.
                for (std::uint32_t i = slot ? slot->first : kNone; i != kNone && i < best;
                     i = m_next[i]) {
                    if (withinWeldDistance(m_positions[i], p)) {
                        best = i;
                        break;
                    }
                }
            }
        }
    }
    if (best != kNone)
        return best;
    const auto index = static_cast<std::uint32_t>(m_positions.size());
    m_positions.push_back(p);
    m_next.push_back(kNone);
    Slot& slot = insert(cellKey(cx, cy, cz));
    if (slot.first == kNone)
        slot.first = index;
    else
        m_next[slot.last] = index;
    slot.last = index;
    return index;
}

} // namespace vx
