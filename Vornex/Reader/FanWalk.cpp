#include "Vornex/Reader/FanWalk.h"

#include "Shared/Base/StableSort.h"

#include <algorithm>

namespace vx {

void FanSet::clear() {
    corners.clear();
    junctions.clear();
    fans.clear();
}

void FanWalker::reset() {
    m_corners.clear();
    m_links.clear();
}

std::int32_t FanWalker::addCorner(const FanCorner& corner) {
    m_corners.push_back(corner);
    return static_cast<std::int32_t>(m_corners.size() - 1);
}

void FanWalker::link(std::int32_t edge, std::int32_t corner) {
    m_links.push_back({edge, corner});
}

std::int32_t FanWalker::takeCorner(std::int32_t edge) {
    auto it = std::lower_bound(m_links.begin(), m_links.end(), edge,
                               [](const Link& link, std::int32_t e) { return link.edge < e; });
    for (; it != m_links.end() && it->edge == edge; ++it) {
        const auto corner = static_cast<std::size_t>(it->corner);
        if (!m_used[corner]) {
            m_used[corner] = true;
            return it->corner;
        }
    }
    return -1;
}

void FanWalker::walk(FanSet& out) {
    out.clear();
    // A vertex's fan has a few links, sorted without a heap buffer for every vertex.
    stableSortFew(
        m_links.begin(), m_links.end(),
        [](const Link& a, const Link& b) { return a.edge < b.edge; }, kInsertionSortMost);
    m_used.assign(m_corners.size(), false);
    std::size_t cursor = 0;
    for (;;) {
        while (cursor < m_links.size() && m_used[static_cast<std::size_t>(m_links[cursor].corner)])
            ++cursor;
        if (cursor == m_links.size())
            return;
        const std::int32_t start = m_links[cursor].edge;
        const std::int32_t first = takeCorner(start);
        const auto begin = static_cast<std::uint32_t>(out.corners.size());
        bool closed = false;

        // Forward: across the first corner's other edge until a border or the start edge.
        std::int32_t edge = m_corners[static_cast<std::size_t>(first)].otherEdge(start);
        out.corners.push_back(first);
        for (;;) {
            if (edge == start) {
                closed = true;
                out.junctions.push_back(start);
                break;
            }
            const std::int32_t next = takeCorner(edge);
            if (next < 0) {
                out.junctions.push_back(-1);
                break;
            }
            out.junctions.push_back(edge);
            out.corners.push_back(next);
            edge = m_corners[static_cast<std::size_t>(next)].otherEdge(edge);
        }

        // Backward from the start edge when the forward walk met a border.
        if (!closed) {
            m_backward.clear();
            m_backwardJunctions.clear();
            edge = start;
            for (;;) {
                const std::int32_t next = takeCorner(edge);
                if (next < 0)
                    break;
                m_backward.push_back(next);
                m_backwardJunctions.push_back(edge);
                edge = m_corners[static_cast<std::size_t>(next)].otherEdge(edge);
                if (edge == start)
                    break;
            }
            // Backward corners go in front, farthest first; each crosses its edge to the one
            // after it.
            out.corners.insert(out.corners.begin() + begin, m_backward.rbegin(), m_backward.rend());
            out.junctions.insert(out.junctions.begin() + begin, m_backwardJunctions.rbegin(),
                                 m_backwardJunctions.rend());
        }
        out.fans.push_back({begin, static_cast<std::uint32_t>(out.corners.size()), closed});
    }
}

} // namespace vx
