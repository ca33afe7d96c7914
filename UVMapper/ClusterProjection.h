#pragma once
// The clusters' geometry: the projection of triangles onto their dominant axis plane, the
// split of clusters that cover their box poorly, and each cluster's box and local coordinates.
#include "UVMapper/UVMapperRecords.h"

#include <cstdint>
#include <vector>

namespace vx {

// Sets the triangle's axis from its face normal.
void projectTriangle(UVTriangle& triangle);

// Makes every member but the first of each cluster of two or more triangles a cluster of its
// own (appended) when the members' projected rectangles sum to less than half the cluster's
// box on its plane.
void splitPoorlyCoveredClusters(std::vector<UVTriangle>& triangles,
                                std::vector<UVCluster>& clusters,
                                const std::vector<std::uint32_t>& members);

// Sets every cluster's box, extents and area.
void projectClusters(std::vector<UVCluster>& clusters, const std::vector<UVTriangle>& triangles,
                     const std::vector<std::uint32_t>& members);
// A member corner's place in its cluster's box on the cluster plane, 0..1 along each extent (0
// along an extent of 0).
void clusterLocal(const UVCluster& cluster, const Vector3& position, float& u, float& v);

} // namespace vx
