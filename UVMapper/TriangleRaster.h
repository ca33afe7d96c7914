#pragma once
// Scan conversion of a triangle in lightmap coordinates, as the mapper marks its grid: the
// corners ordered by v (ties by u); v steps from the lowest to the highest corner by
// 0.001 / height; each step covers, in the row nearest to height × v, the cells from the
// nearest column of the left edge crossing to that of the right one (halves go up). An edge
// with no height spans its corners.
//
// Step k stands at v0 + k × step, in double precision, so that row and crossing grow
// monotonically with k. That lets forEachSpan give a whole row's steps as one span where
// both crossings move at most one column per step (consecutive steps then touch, and the
// union is the hull of the row's first and last step); steeper edges are stepped one by one.
#include "Shared/Base/math/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace vx {

class TriangleRaster {
public:
    [[gnu::always_inline]] TriangleRaster(const float u[3], const float v[3], std::uint32_t width,
                                          std::uint32_t height);

    // Steps 0 .. lastStep() stand at v <= the highest corner.
    std::uint64_t lastStep() const { return m_lastStep; }
    // The row and the first and last cell of step k (possibly outside the grid).
    void stepSpan(std::uint64_t k, std::int64_t& row, std::int64_t& x0, std::int64_t& x1) const;

    // Calls emit(row, x0, x1) for spans whose cells together are exactly those of all steps.
    template <typename Emit>
    void forEachSpan(Emit&& emit) const;

private:
    struct Edge {
        double ua = 0.0;
        double va = 0.0;
        double ub = 0.0;
        double vb = 0.0;
        double slope = 0.0; // du / dv
        bool flat = true;
    };
    // Field by field in place: an edge built aside and copied in whole is read back in wider
    // pieces than it was written in, which stalls every triangle's setup.
    static void setEdge(Edge& edge, double ua, double va, double ub, double vb);
    double vAt(std::uint64_t k) const { return m_v[0] + static_cast<double>(k) * m_step; }
    std::int64_t rowAt(std::uint64_t k) const { return roundHalfUp(m_height * vAt(k)); }
    // The last step in first .. last still in `row` (the row of step first), and the row of the
    // step after it when there is one; rows never decrease with k.
    // `moderate`: height × v stays within ±kModerate over the triangle.
    std::uint64_t lastStepOfRow(std::int64_t row, std::uint64_t first, std::uint64_t last,
                                bool moderate, std::int64_t& nextRow) const;
    // Below it, the steps' own arithmetic is off an estimate of a row's end by far less than
    // kClear steps (a lightmap keeps its triangles between 0 and 1).
    static constexpr double kModerate = 1.0e5;
    static constexpr double kClear = 1.0e-6;
    // The first and last cell of step k, whose short edge is `shortEdge`. Always inline: called
    // out of line, each call of every span went through the library's symbol table.
    [[gnu::always_inline]] void columns(std::uint64_t k, const Edge& shortEdge, std::int64_t& x0,
                                        std::int64_t& x1) const;
    // First k whose v is above `limit` (lastStep() + 1 when none).
    std::uint64_t firstStepAbove(double limit) const;
    bool movesAtMostOneColumn(const Edge& edge) const;
    [[gnu::always_inline]] void cross(const Edge& edge, double v, double& low, double& high) const;
    // Where a non-flat edge crosses height v.
    static double crossing(const Edge& edge, double v) {
        return edge.ua + (v - edge.va) * edge.slope;
    }
    // Each span is held back until the next: one in the same row that overlaps or touches it
    // joins it, so the row where the halves meet is mostly given once.
    template <typename Emit>
    struct SpanJoiner {
        Emit& emit;
        bool pending = false;
        std::int64_t row = 0;
        std::int64_t x0 = 0;
        std::int64_t x1 = 0;
        [[gnu::always_inline]] void add(std::int64_t nextRow, std::int64_t nextX0,
                                        std::int64_t nextX1) {
            if (pending && nextRow == row && nextX0 <= x1 + 1 && x0 <= nextX1 + 1) {
                x0 = std::min(x0, nextX0);
                x1 = std::max(x1, nextX1);
                return;
            }
            flush();
            pending = true;
            row = nextRow;
            x0 = nextX0;
            x1 = nextX1;
        }
        void flush() {
            if (pending)
                emit(row, x0, x1);
        }
    };

    double m_u[3] = {};
    double m_v[3] = {};
    double m_width = 0.0;
    double m_height = 0.0;
    double m_step = 0.0;
    // A row is 1000 steps and a unit of v is 1000 × height of them: for estimates only, which
    // the steps' own arithmetic puts right, so no division is spent on them.
    static constexpr double kStepsPerRow = 1000.0;
    double m_stepsPerUnit = 0.0;
    std::uint64_t m_lastStep = 0;
    std::uint64_t m_firstLowerStep = 0; // first step below the middle corner
    Edge m_long;                        // lowest to highest corner
    Edge m_upper;                       // lowest to middle corner
    Edge m_lower;                       // middle to highest corner
};

// Inline: every span of every marked triangle goes through these.
inline void TriangleRaster::setEdge(Edge& edge, double ua, double va, double ub, double vb) {
    edge.ua = ua;
    edge.va = va;
    edge.ub = ub;
    edge.vb = vb;
    edge.flat = va == vb;
    edge.slope = edge.flat ? 0.0 : (ub - ua) / (vb - va);
}

inline std::uint64_t TriangleRaster::lastStepOfRow(std::int64_t row, std::uint64_t first,
                                                   std::uint64_t last, bool moderate,
                                                   std::int64_t& nextRow) const {
    // The row ends where height × v reaches row + 0.5; the estimate is then put right by the
    // steps' own arithmetic, a step or two at most.
    const double end = (static_cast<double>(row) + 0.5 - m_height * m_v[0]) * kStepsPerRow;
    // An estimate clear of a whole number is the answer, and the step after it opens the next
    // row (a step moves a thousandth of a row).
    if (moderate && end > static_cast<double>(first) + 1.0 && end < static_cast<double>(last)) {
        const auto whole = static_cast<std::uint64_t>(end);
        const double fraction = end - static_cast<double>(whole);
        if (fraction > kClear && fraction < 1.0 - kClear) {
            nextRow = row + 1;
            return whole;
        }
    }
    std::uint64_t k = first;
    if (end > static_cast<double>(first))
        k = end >= static_cast<double>(last) ? last : static_cast<std::uint64_t>(end);
    bool inRow = k == first;
    while (k < last) {
        nextRow = rowAt(k + 1);
        if (nextRow != row)
            break;
        ++k;
        inRow = true;
    }
    while (!inRow && k > first) {
        const std::int64_t here = rowAt(k);
        inRow = here == row;
        if (!inRow) {
            nextRow = here;
            --k;
        }
    }
    return k;
}

inline std::uint64_t TriangleRaster::firstStepAbove(double limit) const {
    // Steps rise with k, so the estimate from the step size is put right by the steps' own
    // arithmetic, a step or two at most.
    const double estimate = (limit - m_v[0]) * m_stepsPerUnit;
    std::uint64_t k = 0;
    if (estimate >= 1.0)
        k = static_cast<std::uint64_t>(std::min(estimate, static_cast<double>(m_lastStep + 1)));
    while (k <= m_lastStep && vAt(k) <= limit)
        ++k;
    while (k > 0 && vAt(k - 1) > limit)
        --k;
    return k;
}

inline bool TriangleRaster::movesAtMostOneColumn(const Edge& edge) const {
    // 0.9 leaves room for the rounding of the crossings; beyond it steps go one by one.
    return !edge.flat && m_width * std::fabs(edge.slope) * m_step <= 0.9;
}

inline void TriangleRaster::cross(const Edge& edge, double v, double& low, double& high) const {
    if (edge.flat) {
        low = std::min(edge.ua, edge.ub);
        high = std::max(edge.ua, edge.ub);
        return;
    }
    low = high = crossing(edge, v);
}

inline void TriangleRaster::columns(std::uint64_t k, const Edge& shortEdge, std::int64_t& x0,
                                    std::int64_t& x1) const {
    const double v = vAt(k);
    double longLow = 0.0;
    double longHigh = 0.0;
    double shortLow = 0.0;
    double shortHigh = 0.0;
    cross(m_long, v, longLow, longHigh);
    cross(shortEdge, v, shortLow, shortHigh);
    x0 = roundHalfUp(m_width * std::min(longLow, shortLow));
    x1 = roundHalfUp(m_width * std::max(longHigh, shortHigh));
}

inline void TriangleRaster::stepSpan(std::uint64_t k, std::int64_t& row, std::int64_t& x0,
                                     std::int64_t& x1) const {
    row = rowAt(k);
    columns(k, k < m_firstLowerStep ? m_upper : m_lower, x0, x1);
}

// Inline, with the spans it is built for: each attempt builds one per triangle it marks.
inline TriangleRaster::TriangleRaster(const float u[3], const float v[3], std::uint32_t width,
                                      std::uint32_t height)
    : m_width(width), m_height(height), m_step(0.001 / static_cast<double>(height)),
      m_stepsPerUnit(1000.0 * static_cast<double>(height)) {
    // Three compare-and-swaps sort three corners; corners that tie are equal in u and v, so
    // their order cannot show.
    const auto before = [&](unsigned a, unsigned b) {
        return v[a] != v[b] ? v[a] < v[b] : u[a] < u[b];
    };
    unsigned order[3] = {0, 1, 2};
    if (before(order[1], order[0]))
        std::swap(order[0], order[1]);
    if (before(order[2], order[1]))
        std::swap(order[1], order[2]);
    if (before(order[1], order[0]))
        std::swap(order[0], order[1]);
    for (unsigned i = 0; i < 3; ++i) {
        m_u[i] = static_cast<double>(u[order[i]]);
        m_v[i] = static_cast<double>(v[order[i]]);
    }
    setEdge(m_long, m_u[0], m_v[0], m_u[2], m_v[2]);
    setEdge(m_upper, m_u[0], m_v[0], m_u[1], m_v[1]);
    setEdge(m_lower, m_u[1], m_v[1], m_u[2], m_v[2]);
    // The last step at or below the highest corner; the estimate (the conversion truncates,
    // which is the floor above 1) is corrected by the steps' own arithmetic.
    m_lastStep = 0;
    const double estimate = (m_v[2] - m_v[0]) * m_stepsPerUnit;
    if (estimate >= 1.0)
        m_lastStep = static_cast<std::uint64_t>(std::min(estimate, 1.0e15));
    while (vAt(m_lastStep + 1) <= m_v[2])
        ++m_lastStep;
    while (m_lastStep > 0 && vAt(m_lastStep) > m_v[2])
        --m_lastStep;
    m_firstLowerStep = firstStepAbove(m_v[1]);
}

template <typename Emit>
void TriangleRaster::forEachSpan(Emit&& emit) const {
    struct Half {
        std::uint64_t first;
        std::uint64_t last;
        const Edge* shortEdge;
    };
    const Half halves[2] = {{0, m_firstLowerStep - 1, &m_upper},
                            {m_firstLowerStep, m_lastStep, &m_lower}};
    SpanJoiner<Emit> spans{emit};
    const bool moderate =
        std::fabs(m_height * m_v[0]) < kModerate && std::fabs(m_height * m_v[2]) < kModerate;
    for (const Half& half : halves) {
        if (half.first > half.last || half.last > m_lastStep)
            continue;
        if (!movesAtMostOneColumn(m_long) || !movesAtMostOneColumn(*half.shortEdge)) {
            for (std::uint64_t k = half.first; k <= half.last; ++k) {
                std::int64_t row = 0;
                std::int64_t x0 = 0;
                std::int64_t x1 = 0;
                stepSpan(k, row, x0, x1);
                spans.add(row, x0, x1);
            }
            continue;
        }
        std::int64_t current = rowAt(half.first);
        for (std::uint64_t k = half.first; k <= half.last;) {
            std::int64_t next = 0;
            const std::uint64_t low = lastStepOfRow(current, k, half.last, moderate, next);
            // The hull of the row's first and last step. Neither edge is flat here, so each
            // crosses a step at one point; scaling by the width and rounding keep order, so the
            // extreme crossings give the extreme cells: two roundings, not four.
            const double v = vAt(k);
            const double endV = vAt(low);
            const double crossings[4] = {crossing(m_long, v), crossing(*half.shortEdge, v),
                                         crossing(m_long, endV), crossing(*half.shortEdge, endV)};
            const double left = std::min(std::min(crossings[0], crossings[1]),
                                         std::min(crossings[2], crossings[3]));
            const double right = std::max(std::max(crossings[0], crossings[1]),
                                          std::max(crossings[2], crossings[3]));
            spans.add(current, roundHalfUp(m_width * left), roundHalfUp(m_width * right));
            k = low + 1;
            current = next;
        }
    }
    spans.flush();
}

} // namespace vx
