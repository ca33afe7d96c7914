#include "MeshExporter/MaterialGroupPreparation.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace vx {

namespace {

bool coincide(const Vector3& a, const Vector3& b) {
    return (a - b).lengthSquared() < kCoincidentSquaredDistance;
}

struct KeptTriangle {
    std::array<Vector3, 3> corners;
    const SceneNode* source = nullptr;
    float cx = 0.0f;
    float cz = 0.0f;
};

std::int64_t cellOf(float coordinate) {
    const double cell = std::floor(static_cast<double>(coordinate));
    constexpr double kLimit = 4.0e18;
    return cell < -kLimit  ? std::int64_t{-4000000000000000000}
           : cell > kLimit ? std::int64_t{4000000000000000000}
                           : static_cast<std::int64_t>(cell);
}

struct CellHash {
    std::size_t operator()(const std::pair<std::int64_t, std::int64_t>& cell) const {
        std::uint64_t h = static_cast<std::uint64_t>(cell.first) * 0x9E3779B97F4A7C15ULL;
        h = (h ^ (h >> 31) ^ static_cast<std::uint64_t>(cell.second)) * 0xBF58476D1CE4E5B9ULL;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

bool isDuplicate(const std::array<Vector3, 3>& corners, const KeptTriangle& kept) {
    int pairs = 0;
    for (const Vector3& mine : corners)
        for (const Vector3& theirs : kept.corners)
            pairs += coincide(mine, theirs) ? 1 : 0;
    return pairs >= 3;
}

} // namespace

std::vector<ExportVertex> prepareMaterialGroup(const std::vector<ExportVertex>& triangles,
                                               bool withinSourceOnly) {
    std::vector<ExportVertex> kept;
    kept.reserve(triangles.size());
    std::vector<KeptTriangle> keptTriangles;
    std::unordered_map<std::pair<std::int64_t, std::int64_t>, std::vector<std::uint32_t>, CellHash>
        grid;
    const std::size_t count = triangles.size() / 3;
    grid.reserve(count);
    for (std::size_t t = 0; t < count; ++t) {
        const std::array<Vector3, 3> corners = {triangles[t * 3].position,
                                                triangles[t * 3 + 1].position,
                                                triangles[t * 3 + 2].position};
        if (coincide(corners[0], corners[1]) || coincide(corners[0], corners[2]) ||
            coincide(corners[1], corners[2]))
            continue;
        const Vector3 centroid = (corners[0] + corners[1] + corners[2]) / 3.0f;
        // A centroid that is not finite is never within reach of another, as in a plain
        // comparison of coordinates.
        const bool indexable = std::isfinite(centroid.x) && std::isfinite(centroid.z);
        bool duplicate = false;
        if (indexable) {
            // One cell more on each side than the reach, so rounding never hides a neighbour.
            const std::int64_t x0 = cellOf(centroid.x) - 1;
            const std::int64_t x1 = cellOf(centroid.x) + 1;
            const std::int64_t z0 = cellOf(centroid.z) - 1;
            const std::int64_t z1 = cellOf(centroid.z) + 1;
            for (std::int64_t x = x0; x <= x1 && !duplicate; ++x)
                for (std::int64_t z = z0; z <= z1 && !duplicate; ++z) {
                    const auto cell = grid.find({x, z});
                    if (cell == grid.end())
                        continue;
                    for (std::uint32_t k : cell->second) {
                        const KeptTriangle& other = keptTriangles[k];
                        if (withinSourceOnly && other.source != triangles[t * 3].sourceNode)
                            continue;
                        if (std::fabs(other.cx - centroid.x) <= 0.5f &&
                            std::fabs(other.cz - centroid.z) <= 0.5f &&
                            isDuplicate(corners, other)) {
                            duplicate = true;
                            break;
                        }
                    }
                }
        }
        if (duplicate)
            continue;
        kept.insert(kept.end(), triangles.begin() + static_cast<std::ptrdiff_t>(t * 3),
                    triangles.begin() + static_cast<std::ptrdiff_t>(t * 3 + 3));
        if (indexable) {
            grid[{cellOf(centroid.x), cellOf(centroid.z)}].push_back(
                static_cast<std::uint32_t>(keptTriangles.size()));
            keptTriangles.push_back({corners, triangles[t * 3].sourceNode, centroid.x, centroid.z});
        }
    }
    return kept;
}

} // namespace vx
