#include "Shared/Base/math/PointHashGrid.h"

#include <algorithm>

namespace vx {

PointHashGrid::PointHashGrid(double cellSize, double reach)
    : m_inverseCell(1.0 / cellSize), m_reach(reach) {}

void PointHashGrid::reserve(std::size_t points) {
    m_ids.reserve(points);
    m_next.reserve(points);
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
    const std::uint64_t key =
        cellKey(cellOf(static_cast<double>(p.x)), cellOf(static_cast<double>(p.y)),
                cellOf(static_cast<double>(p.z)));
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
