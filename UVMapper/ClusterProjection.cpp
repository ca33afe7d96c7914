#include "UVMapper/ClusterProjection.h"

#include "Shared/Base/Log.h"
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

} // namespace

void projectTriangle(UVTriangle& triangle) {
    triangle.axis = dominantAxis(triangle.faceNormal);
    const unsigned a = planeCoordinateA(triangle.axis);
    const unsigned b = planeCoordinateB(triangle.axis);
    for (UVCorner& corner : triangle.corners) {
        corner.projected[0] = corner.position[a];
        corner.projected[1] = corner.position[b];
    }
}

void splitPoorlyCoveredClusters(std::vector<UVTriangle>& triangles,
                                std::vector<UVCluster>& clusters,
                                const std::vector<std::uint32_t>& members) {
    const std::size_t count = clusters.size();
    for (std::size_t c = 0; c < count; ++c) {
        if (clusters[c].memberCount < 2)
            continue;
        Vector3 low;
        Vector3 high;
        clusterBounds(clusters[c], triangles, members, low, high);
        const unsigned a = planeCoordinateA(clusters[c].axis);
        const unsigned b = planeCoordinateB(clusters[c].axis);
        const float area = (high[a] - low[a]) * (high[b] - low[b]);
        float triangleArea = 0.0f;
        for (std::uint32_t i = 0; i < clusters[c].memberCount; ++i) {
            const UVCorner* k = triangles[members[clusters[c].memberBegin + i]].corners;
            const float extentA =
                std::max({k[0].projected[0], k[1].projected[0], k[2].projected[0]}) -
                std::min({k[0].projected[0], k[1].projected[0], k[2].projected[0]});
            const float extentB =
                std::max({k[0].projected[1], k[1].projected[1], k[2].projected[1]}) -
                std::min({k[0].projected[1], k[1].projected[1], k[2].projected[1]});
            triangleArea += extentA * extentB;
        }
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

void projectCluster(UVCluster& cluster, std::vector<UVTriangle>& triangles,
                    const std::vector<std::uint32_t>& members) {
    clusterBounds(cluster, triangles, members, cluster.boundsMin, cluster.boundsMax);
    const unsigned a = planeCoordinateA(cluster.axis);
    const unsigned b = planeCoordinateB(cluster.axis);
    const float minA = cluster.boundsMin[a];
    const float minB = cluster.boundsMin[b];
    cluster.du = cluster.boundsMax[a] - minA;
    cluster.dv = cluster.boundsMax[b] - minB;
    cluster.area = cluster.du * cluster.dv;
    if (!(cluster.du > 0.0f) || !(cluster.dv > 0.0f))
        std::cout << "warning delta zero\n";
    for (std::uint32_t i = 0; i < cluster.memberCount; ++i) {
        for (UVCorner& corner : triangles[members[cluster.memberBegin + i]].corners) {
            corner.local[0] = cluster.du > 0.0f ? (corner.position[a] - minA) / cluster.du : 0.0f;
            corner.local[1] = cluster.dv > 0.0f ? (corner.position[b] - minB) / cluster.dv : 0.0f;
        }
    }
}

} // namespace vx
