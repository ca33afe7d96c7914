#include "Shared/Base/math/PointHashGrid.h"

#include <algorithm>

namespace vx {

namespace {

std::uint64_t mix(std::uint64_t key) {
    key ^= key >> 33;
    key *= 0xff51afd7ed558ccdULL;
    key ^= key >> 33;
    key *= 0xc4ceb9fe1a85ec53ULL;
    key ^= key >> 33;
    return key;
}

} // namespace

PointHashGrid::PointHashGrid(double cellSize, double reach)
    : m_inverseCell(1.0 / cellSize), m_reach(reach) {}

void PointHashGrid::reserve(std::size_t points) {
    m_ids.reserve(points);
    m_next.reserve(points);
}

std::int64_t PointHashGrid::cellOf(double coordinate) const {
    // Clamped far beyond any float's cell so the conversion is defined; at such magnitudes
    // neighbouring floats are whole cells apart and only equal coordinates share a cell anyway.
    constexpr double kLimit = 4.0e18;
    const double c = std::floor(coordinate * m_inverseCell + 0.5);
    return static_cast<std::int64_t>(std::clamp(c, -kLimit, kLimit));
}

std::uint64_t PointHashGrid::cellKey(std::int64_t cx, std::int64_t cy, std::int64_t cz) {
    std::uint64_t h = mix(static_cast<std::uint64_t>(cx));
    h = mix(h ^ static_cast<std::uint64_t>(cy));
    return mix(h ^ static_cast<std::uint64_t>(cz));
}

std::uint32_t PointHashGrid::firstOf(std::uint64_t key) const {
    if (m_slots.empty())
        return kNone;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = key & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.first == kNone || slot.key == key)
            return slot.first;
    }
}

void PointHashGrid::grow() {
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(std::max<std::size_t>(64, old.size() * 2), Slot{});
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.first == kNone)
            continue;
        std::size_t i = slot.key & mask;
        while (m_slots[i].first != kNone)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

void PointHashGrid::insert(const Vector3& p, std::uint32_t id) {
    const std::uint64_t key = cellKey(cellOf(p.x), cellOf(p.y), cellOf(p.z));
    if ((m_used + 1) * 2 > m_slots.size())
        grow();
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = key & mask;
    while (m_slots[i].first != kNone && m_slots[i].key != key)
        i = (i + 1) & mask;
    Slot& slot = m_slots[i];
    const auto entry = static_cast<std::uint32_t>(m_ids.size());
    m_ids.push_back(id);
    m_next.push_back(kNone);
    if (slot.first == kNone) {
        slot.key = key;
        slot.first = entry;
        ++m_used;
    } else {
        m_next[slot.last] = entry;
    }
    slot.last = entry;
}

} // namespace vx
