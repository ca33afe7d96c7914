#include "UVMapper/EdgeClusterer.h"

#include "Shared/Base/RadixSort.h"
#include "Shared/Base/WorkSharing.h"
#include "UVMapper/ChartRules.h"

#include <algorithm>
#include <array>
#include <bit>

namespace vx {

namespace {

constexpr std::uint32_t kNoEdge = 0xFFFFFFFFu;

// What growing clusters reads of a triangle, half a cache line each: neighbours lie all over
// the list, and a whole UVTriangle spans two lines.
struct ChartTriangle {
    std::uint32_t positionIndex[3];
    std::int32_t axis;
    Vector3 faceNormal;
    std::int32_t cluster;
};

// The distinct pairs of a triangle's distinct welded positions, as (low << 32 | high).
unsigned edgeKeys(const ChartTriangle& t, std::array<std::uint64_t, 3>& keys) {
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
    explicit EdgeTable(const std::vector<ChartTriangle>& triangles)
        : m_edgesOf(triangles.size(), {kNoEdge, kNoEdge, kNoEdge}) {
        struct Entry {
            std::uint64_t key;
            std::uint32_t triangle;
            std::uint32_t slot;
        };
        std::vector<Entry> entries;
        entries.reserve(triangles.size() * 3);
        std::uint32_t highest = 0;
        for (std::size_t t = 0; t < triangles.size(); ++t) {
            std::array<std::uint64_t, 3> keys{};
            const unsigned count = edgeKeys(triangles[t], keys);
            for (unsigned k = 0; k < count; ++k) {
                entries.push_back({keys[k], static_cast<std::uint32_t>(t), k});
                highest = std::max(highest, static_cast<std::uint32_t>(keys[k]));
            }
        }
        // By edge, then by triangle: the entries come in triangle order, and a stable sort by
        // the edge's two position numbers, packed as tightly as the largest allows, keeps it.
        const auto width = static_cast<unsigned>(std::bit_width(highest));
        radixSortByKey(entries, 2 * width, [width](const Entry& e) {
            return (e.key >> 32) << width | (e.key & 0xFFFFFFFFu);
        });
        m_triangles.reserve(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (i == 0 || entries[i].key != entries[i - 1].key) {
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
    void unassignedNeighbours(std::uint32_t t, const std::vector<ChartTriangle>& triangles,
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

void growClusters(std::vector<ChartTriangle>& triangles, std::vector<UVCluster>& clusters,
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

} // namespace

void growClustersOverEdges(std::vector<UVTriangle>& all, std::vector<UVCluster>& clusters,
                           std::vector<std::uint32_t>& members) {
    constexpr std::size_t kSlice = 8192;
    std::vector<ChartTriangle> triangles(all.size());
    shareSlices(all.size(), kSlice, [&](std::size_t begin, std::size_t end) {
        for (std::size_t t = begin; t < end; ++t)
            triangles[t] = {
                {all[t].positionIndex[0], all[t].positionIndex[1], all[t].positionIndex[2]},
                all[t].axis,
                all[t].faceNormal,
                all[t].cluster};
    });
    growClusters(triangles, clusters, members);
    shareSlices(all.size(), kSlice, [&](std::size_t begin, std::size_t end) {
        for (std::size_t t = begin; t < end; ++t)
            all[t].cluster = triangles[t].cluster;
    });
}

} // namespace vx
