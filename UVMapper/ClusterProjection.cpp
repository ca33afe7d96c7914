#include "UVMapper/ClusterProjection.h"

#include "Shared/Base/Log.h"
#include "Shared/Base/WorkSharing.h"
#include "UVMapper/ChartRules.h"

#include <algorithm>
#include <iostream>
#include <limits>

namespace vx {

namespace {

void clusterBounds(const UVCluster& cluster, const std::vector<UVTriangle>& triangles,
                   const std::vector<std::uint32_t>& members, Vector3& low, Vector3& high) {
    const float big = std::numeric_limits<float>::max();
    low = {big, big, big};
    high = {-big, -big, -big};
    for (std::uint32_t i = 0; i < cluster.memberCount; ++i) {
        for (const UVCorner& corner : triangles[members[cluster.memberBegin + i]].corners) {
            const Vector3& p = corner.position;
            low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
            high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
        }
    }
}

// Each cluster's own arithmetic in the order of its members, so clusters can be worked on side
// by side in slices without changing a bit.
constexpr std::size_t kClustersPerPiece = 1024;

template <typename Work>
void forEachClusterShared(std::size_t count, Work work) {
    shareSlices(count, kClustersPerPiece, [&](std::size_t begin, std::size_t end) {
        for (std::size_t c = begin; c < end; ++c)
            work(c);
    });
}

} // namespace

void projectTriangle(UVTriangle& triangle) {
    triangle.axis = dominantAxis(triangle.faceNormal);
}

void splitPoorlyCoveredClusters(std::vector<UVTriangle>& triangles,
                                std::vector<UVCluster>& clusters,
                                const std::vector<std::uint32_t>& members) {
    // A split only touches its own cluster and appends single ones, which are not looked at:
    // every cluster's coverage can be measured first, side by side.
    struct Coverage {
        float area = 0.0f;
        float triangleArea = 0.0f;
    };
    const std::size_t count = clusters.size();
    std::vector<Coverage> coverage(count);
    forEachClusterShared(count, [&](std::size_t c) {
        if (clusters[c].memberCount < 2)
            return;
        Vector3 low;
        Vector3 high;
        clusterBounds(clusters[c], triangles, members, low, high);
        const unsigned a = planeCoordinateA(clusters[c].axis);
        const unsigned b = planeCoordinateB(clusters[c].axis);
        coverage[c].area = (high[a] - low[a]) * (high[b] - low[b]);
        float triangleArea = 0.0f;
        for (std::uint32_t i = 0; i < clusters[c].memberCount; ++i) {
            const UVTriangle& t = triangles[members[clusters[c].memberBegin + i]];
            const float a0 = planeA(t.corners[0].position, t.axis);
            const float a1 = planeA(t.corners[1].position, t.axis);
            const float a2 = planeA(t.corners[2].position, t.axis);
            const float b0 = planeB(t.corners[0].position, t.axis);
            const float b1 = planeB(t.corners[1].position, t.axis);
            const float b2 = planeB(t.corners[2].position, t.axis);
            const float extentA = std::max({a0, a1, a2}) - std::min({a0, a1, a2});
            const float extentB = std::max({b0, b1, b2}) - std::min({b0, b1, b2});
            triangleArea += extentA * extentB;
        }
        coverage[c].triangleArea = triangleArea;
    });
    for (std::size_t c = 0; c < count; ++c) {
        if (clusters[c].memberCount < 2)
            continue;
        const float area = coverage[c].area;
        const float triangleArea = coverage[c].triangleArea;
        const float ratio = triangleArea / area;
        if (!(ratio < 0.5f))
            continue;
        std::cout << "clusterArea:" << area << " triArea:" << triangleArea
                  << " areaPercent:" << ratio << '\n';
        VX_INFO << "clusterArea:" << area << " triArea:" << triangleArea
                << " areaPercent:" << ratio;
        // The members stay where they are in the member list; each one past the first becomes
        // a one-triangle slice of it.
        for (std::uint32_t i = 1; i < clusters[c].memberCount; ++i) {
            const std::uint32_t t = members[clusters[c].memberBegin + i];
            UVCluster single;
            single.memberBegin = clusters[c].memberBegin + i;
            single.memberCount = 1;
            single.axis = triangles[t].axis;
            triangles[t].cluster = static_cast<std::int32_t>(clusters.size());
            clusters.push_back(single);
        }
        clusters[c].memberCount = 1;
    }
}

void projectClusters(std::vector<UVCluster>& clusters, const std::vector<UVTriangle>& triangles,
                     const std::vector<std::uint32_t>& members) {
    std::vector<char> flat(clusters.size(), 0);
    forEachClusterShared(clusters.size(), [&](std::size_t c) {
        UVCluster& cluster = clusters[c];
        clusterBounds(cluster, triangles, members, cluster.boundsMin, cluster.boundsMax);
        const unsigned a = planeCoordinateA(cluster.axis);
        const unsigned b = planeCoordinateB(cluster.axis);
        const float minA = cluster.boundsMin[a];
        const float minB = cluster.boundsMin[b];
        cluster.du = cluster.boundsMax[a] - minA;
        cluster.dv = cluster.boundsMax[b] - minB;
        cluster.area = cluster.du * cluster.dv;
        flat[c] = !(cluster.du > 0.0f) || !(cluster.dv > 0.0f);
    });
    // Printed in cluster order, as the clusters were measured.
    for (const char f : flat)
        if (f)
            std::cout << "warning delta zero\n";
}

void clusterLocal(const UVCluster& cluster, const Vector3& position, float& u, float& v) {
    u = cluster.du > 0.0f
            ? (planeA(position, cluster.axis) - planeA(cluster.boundsMin, cluster.axis)) /
                  cluster.du
            : 0.0f;
    v = cluster.dv > 0.0f
            ? (planeB(position, cluster.axis) - planeB(cluster.boundsMin, cluster.axis)) /
                  cluster.dv
            : 0.0f;
}

} // namespace vx
