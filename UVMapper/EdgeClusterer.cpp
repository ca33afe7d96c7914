#include "UVMapper/EdgeClusterer.h"

#include "Shared/Base/StableSort.h"
#include "UVMapper/ChartRules.h"

#include <algorithm>
#include <array>

namespace vx {

namespace {

constexpr std::uint32_t kNoEdge = 0xFFFFFFFFu;

// The distinct pairs of a triangle's distinct welded positions, as (low << 32 | high).
unsigned edgeKeys(const UVTriangle& t, std::array<std::uint64_t, 3>& keys) {
    unsigned count = 0;
    for (unsigned i = 0; i < 3; ++i) {
        const std::uint32_t a = t.positionIndex[i];
        const std::uint32_t b = t.positionIndex[(i + 1) % 3];
        if (a == b)
            continue;
        const std::uint64_t key =
            (std::uint64_t{std::min(a, b)} << 32) | std::uint64_t{std::max(a, b)};
        if (std::find(keys.begin(), keys.begin() + count, key) == keys.begin() + count)
            keys[count++] = key;
    }
    return count;
}

// Triangles by edge: each edge's triangles are a range of one array, from which assigned
// triangles are dropped as they are met, so every triangle is passed over a bounded number of
// times once it has joined.
class EdgeTable {
public:
    explicit EdgeTable(const std::vector<UVTriangle>& triangles)
        : m_edgesOf(triangles.size(), {kNoEdge, kNoEdge, kNoEdge}) {
        // The triangles' edges by their lower position, a counting sort that keeps triangle
        // order, then each lower position's edges by the higher one: by edge, then by triangle,
        // in one array of the edges and no copy of it.
        struct Entry {
            std::uint32_t high;
            std::uint32_t triangle;
            std::uint32_t slot;
        };
        std::uint32_t highest = 0;
        for (const UVTriangle& t : triangles)
            for (const std::uint32_t p : t.positionIndex)
                highest = std::max(highest, p);
        std::vector<std::uint32_t> start(std::size_t{highest} + 2, 0);
        const auto forEachEdge = [&](auto&& visit) {
            for (std::size_t t = 0; t < triangles.size(); ++t) {
                std::array<std::uint64_t, 3> keys{};
                const unsigned count = edgeKeys(triangles[t], keys);
                for (unsigned k = 0; k < count; ++k)
                    visit(static_cast<std::uint32_t>(keys[k] >> 32),
                          Entry{static_cast<std::uint32_t>(keys[k]), static_cast<std::uint32_t>(t),
                                k});
            }
        };
        forEachEdge([&](std::uint32_t low, const Entry&) { ++start[std::size_t{low} + 1]; });
        for (std::size_t p = 1; p < start.size(); ++p)
            start[p] += start[p - 1];
        std::vector<Entry> entries(start.back());
        {
            std::vector<std::uint32_t> fill(start.begin(), start.end() - 1);
            forEachEdge([&](std::uint32_t low, const Entry& e) { entries[fill[low]++] = e; });
        }
        const auto byHigh = [](const Entry& x, const Entry& y) { return x.high < y.high; };
        // A few edges per position, the common case.
        for (std::size_t low = 0; low + 1 < start.size(); ++low)
            stableSortFew(entries.begin() + start[low], entries.begin() + start[low + 1], byHigh,
                          16);
        m_triangles.reserve(entries.size());
        std::size_t low = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const bool newLow = i == start[low + 1];
            while (i == start[low + 1])
                ++low;
            if (i == 0 || newLow || entries[i].high != entries[i - 1].high) {
                m_begin.push_back(static_cast<std::uint32_t>(i));
                m_live.push_back(0);
            }
            const auto edge = static_cast<std::uint32_t>(m_begin.size() - 1);
            m_triangles.push_back(entries[i].triangle);
            ++m_live[edge];
            m_edgesOf[entries[i].triangle][entries[i].slot] = edge;
        }
    }

    // Appends the unassigned triangles on t's edges (unsorted, possibly repeated).
    void unassignedNeighbours(std::uint32_t t, const std::vector<UVTriangle>& triangles,
                              std::vector<std::uint32_t>& out) {
        for (const std::uint32_t edge : m_edgesOf[t]) {
            if (edge == kNoEdge)
                continue;
            std::uint32_t* range = m_triangles.data() + m_begin[edge];
            std::uint32_t kept = 0;
            for (std::uint32_t i = 0; i < m_live[edge]; ++i) {
                if (triangles[range[i]].cluster != -1)
                    continue;
                range[kept++] = range[i];
                out.push_back(range[i]);
            }
            m_live[edge] = kept;
        }
    }

private:
    std::vector<std::array<std::uint32_t, 3>> m_edgesOf;
    std::vector<std::uint32_t> m_triangles;
    std::vector<std::uint32_t> m_begin;
    std::vector<std::uint32_t> m_live;
};

} // namespace

void growClustersOverEdges(std::vector<UVTriangle>& triangles, std::vector<UVCluster>& clusters,
                           std::vector<std::uint32_t>& members) {
    EdgeTable edges(triangles);
    std::vector<std::uint32_t> candidates;
    for (std::size_t s = 0; s < triangles.size(); ++s) {
        if (triangles[s].cluster != -1)
            continue;
        const auto number = static_cast<std::int32_t>(clusters.size());
        UVCluster cluster;
        cluster.memberBegin = static_cast<std::uint32_t>(members.size());
        cluster.axis = triangles[s].axis;
        triangles[s].cluster = number;
        members.push_back(static_cast<std::uint32_t>(s));
        // Every triangle before s is assigned, so the unassigned ones are the later ones.
        for (std::size_t i = cluster.memberBegin; i < members.size(); ++i) {
            const std::uint32_t m = members[i];
            candidates.clear();
            edges.unassignedNeighbours(m, triangles, candidates);
            std::sort(candidates.begin(), candidates.end());
            candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
            for (const std::uint32_t t : candidates) {
                if (joinsCluster(triangles[s], triangles[m], triangles[t])) {
                    triangles[t].cluster = number;
                    members.push_back(t);
                }
            }
        }
        cluster.memberCount = static_cast<std::uint32_t>(members.size()) - cluster.memberBegin;
        clusters.push_back(cluster);
    }
}

} // namespace vx
