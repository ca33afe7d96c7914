#include "tests/UVMapper/LiteralUVMapper.h"

#include "UVMapper/ChartRules.h"
#include "UVMapper/LumelSampler.h"
#include "UVMapper/PositionWeldGrid.h"
#include "UVMapper/TriangleRaster.h"

namespace vx::test {

void LiteralUVMapper::weldCorners() {
    m_weldedPositions.clear();
    for (UVTriangle& triangle : m_triangles) {
        for (unsigned c = 0; c < 3; ++c) {
            const Vector3& p = triangle.corners[c].position;
            std::size_t found = 0;
            while (found < m_weldedPositions.size() &&
                   !PositionWeldGrid::withinWeldDistance(m_weldedPositions[found], p))
                ++found;
            if (found == m_weldedPositions.size())
                m_weldedPositions.push_back(p);
            triangle.positionIndex[c] = static_cast<std::uint32_t>(found);
        }
    }
}

void LiteralUVMapper::groupTriangles() {
    for (std::size_t s = 0; s < m_triangles.size(); ++s) {
        if (m_triangles[s].cluster != -1)
            continue;
        const auto number = static_cast<std::int32_t>(m_clusters.size());
        UVCluster cluster;
        cluster.memberBegin = static_cast<std::uint32_t>(m_members.size());
        cluster.axis = m_triangles[s].axis;
        m_triangles[s].cluster = number;
        m_members.push_back(static_cast<std::uint32_t>(s));
        for (std::size_t i = cluster.memberBegin; i < m_members.size(); ++i) {
            const std::uint32_t m = m_members[i];
            for (std::size_t t = s + 1; t < m_triangles.size(); ++t) {
                if (m_triangles[t].cluster == -1 &&
                    joinsCluster(m_triangles[s], m_triangles[m], m_triangles[t])) {
                    m_triangles[t].cluster = number;
                    m_members.push_back(static_cast<std::uint32_t>(t));
                }
            }
        }
        cluster.memberCount = static_cast<std::uint32_t>(m_members.size()) - cluster.memberBegin;
        m_clusters.push_back(cluster);
    }
}

bool LiteralUVMapper::findFreeBlock(AttemptGrid& grid, std::uint32_t blockWidth,
                                    std::uint32_t blockHeight, std::uint32_t& x, std::uint32_t& y) {
    const auto width = static_cast<std::int64_t>(m_width);
    const auto height = static_cast<std::int64_t>(m_height);
    for (std::int64_t top = 0; top <= height - blockHeight - 1; ++top) {
        for (std::int64_t left = 0; left <= width - blockWidth - 1; ++left) {
            if (occupied(grid, static_cast<std::uint32_t>(left), static_cast<std::uint32_t>(top)))
                continue;
            bool free = true;
            for (std::int64_t r = top; free && r < top + blockHeight; ++r)
                for (std::int64_t c = left; free && c < left + blockWidth; ++c)
                    free = !occupied(grid, static_cast<std::uint32_t>(c),
                                     static_cast<std::uint32_t>(r));
            if (free) {
                x = static_cast<std::uint32_t>(left);
                y = static_cast<std::uint32_t>(top);
                return true;
            }
        }
    }
    return false;
}

void LiteralUVMapper::markTriangle(AttemptGrid& grid, const float u[3], const float v[3],
                                   std::int32_t cluster) {
    const TriangleRaster raster(u, v, m_width, m_height);
    for (std::uint64_t k = 0; k <= raster.lastStep(); ++k) {
        std::int64_t row = 0;
        std::int64_t x0 = 0;
        std::int64_t x1 = 0;
        raster.stepSpan(k, row, x0, x1);
        markSpan(grid, row, x0, x1, cluster);
    }
}

void LiteralUVMapper::sampleCluster(std::size_t index, LumelSampler& /*sampler*/,
                                    std::uint64_t& real) {
    const UVCluster& cluster = m_clusters[index];
    const std::uint32_t* members = m_members.data() + cluster.memberBegin;
    LumelSample* samples = clusterSamples(index);
    if (index == 0)
        m_lightmapSamples.assign(std::size_t{m_width} * m_height, LumelSample{});
    for (std::int32_t j = 0; j < cluster.h; ++j) {
        for (std::int32_t i = 0; i < cluster.w; ++i) {
            LumelSample& own = samples[std::size_t(j) * std::size_t(cluster.w) + std::size_t(i)];
            bool isReal = false;
            if (!sampleLumel(cluster, i, j, m_triangles, members, cluster.memberCount, own, isReal))
                continue;
            if (isReal)
                ++real;
            m_lightmapSamples[std::size_t(cluster.y + j) * m_width + std::size_t(cluster.x + i)] =
                own;
        }
    }
}

} // namespace vx::test
