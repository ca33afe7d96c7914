#pragma once
// A hash grid of points for "which earlier points lie within a small distance of this one":
// each query looks only at the cells its reach overlaps (one to eight for a reach well below the
// cell size), so finding near points is linear in the number of points whatever their layout.
#include "Shared/Base/math/Rounding.h"
#include "Shared/Base/math/Vector3.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace vx {

class PointHashGrid {
public:
    // Every point within `reach` of a query point in each axis is visited; the caller's exact
    // distance test must never accept a point further away than that. The cell size should be
    // a few times the reach. Cells are offset by half a cell so that points on a lattice of the
    // cell size (or of its decimal fractions) lie mid-cell.
    PointHashGrid(double cellSize, double reach);

    void reserve(std::size_t points);

    // Adds a finite point carrying `id`.
    void insert(const Vector3& p, std::uint32_t id);

    // Calls visit(id) for every inserted point in a cell within reach of the finite point p, in
    // order of insertion per cell (so also points a little beyond the reach); stops when visit
    // returns false, and then returns false.
    template <class Visit>
    bool forEachNear(const Vector3& p, Visit&& visit) const {
        const double at[3] = {static_cast<double>(p.x), static_cast<double>(p.y),
                              static_cast<double>(p.z)};
        std::int64_t lo[3];
        std::int64_t hi[3];
        for (unsigned a = 0; a < 3; ++a) {
            lo[a] = cellOf(at[a] - m_reach);
            hi[a] = cellOf(at[a] + m_reach);
        }
        for (std::int64_t x = lo[0]; x <= hi[0]; ++x)
            for (std::int64_t y = lo[1]; y <= hi[1]; ++y)
                for (std::int64_t z = lo[2]; z <= hi[2]; ++z) {
                    for (std::uint32_t e = firstOf(cellKey(x, y, z)); e != kNone; e = m_next[e])
                        if (!visit(m_ids[e]))
                            return false;
                }
        return true;
    }

private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    struct Slot {
        std::uint64_t key = 0;
        std::uint32_t first = kNone; // kNone: the slot is free
        std::uint32_t last = kNone;
    };

    std::int64_t cellOf(double coordinate) const {
        // Clamped far beyond any float's cell so the conversion is defined; at such magnitudes
        // neighbouring floats are whole cells apart and only equal coordinates share a cell.
        return roundHalfUp(coordinate * m_inverseCell);
    }
    static std::uint64_t mix(std::uint64_t key) {
        key ^= key >> 33;
        key *= 0xff51afd7ed558ccdULL;
        key ^= key >> 33;
        key *= 0xc4ceb9fe1a85ec53ULL;
        key ^= key >> 33;
        return key;
    }
    static std::uint64_t cellKey(std::int64_t cx, std::int64_t cy, std::int64_t cz) {
        // One mix of the coordinates spread by odd factors: every query looks up a few cells.
        return mix(static_cast<std::uint64_t>(cx) * 0x9E3779B97F4A7C15ULL ^
                   static_cast<std::uint64_t>(cy) * 0xC2B2AE3D27D4EB4FULL ^
                   static_cast<std::uint64_t>(cz) * 0x165667B19E3779F9ULL);
    }
    std::uint32_t firstOf(std::uint64_t key) const;
    void grow();

    double m_inverseCell;
    double m_reach;
    // Entries in insertion order, chained per slot. A slot's key is a 64-bit hash of the cell
    // coordinates; cells sharing a hash share a slot, which only adds points to visit.
    std::vector<std::uint32_t> m_ids;
    std::vector<std::uint32_t> m_next;
    std::vector<Slot> m_slots; // open addressing, power-of-two size, at most half full
    std::size_t m_used = 0;
};

} // namespace vx
