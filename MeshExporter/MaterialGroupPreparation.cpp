#include "MeshExporter/MaterialGroupPreparation.h"

#include "Shared/Base/math/PointHashGrid.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace vx {

namespace {

bool coincide(const Vector3& a, const Vector3& b) {
    return (a - b).lengthSquared() < kCoincidentSquaredDistance;
}

bool isFinite(const Vector3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

struct KeptTriangle {
    std::array<Vector3, 3> corners;
    const SceneNode* source = nullptr;
    float cx = 0.0f;
    float cz = 0.0f;
};

bool isDuplicate(const std::array<Vector3, 3>& corners, const KeptTriangle& kept) {
    int pairs = 0;
    for (const Vector3& mine : corners)
        for (const Vector3& theirs : kept.corners)
            pairs += coincide(mine, theirs) ? 1 : 0;
    return pairs >= 3;
}

// Cells of about ten times the coincidence distance; the reach covers that distance with room
// for the rounding of the squared-distance test.
constexpr double kCornerCell = 1.0 / 1024.0;
constexpr double kCornerReach = 1.1e-4;

} // namespace

std::vector<std::uint32_t> prepareMaterialGroup(const std::vector<ExportVertex>& vertices,
                                                const std::vector<std::uint32_t>& corners,
                                                bool withinSourceOnly) {
    std::vector<std::uint32_t> kept;
    kept.reserve(corners.size());
    const std::size_t count = corners.size() / 3;
    std::vector<KeptTriangle> keptTriangles;
    keptTriangles.reserve(count);
    // The triangle that last looked at each kept triangle, so that one sharing several corners
    // with it is compared once.
    std::vector<std::size_t> seenBy;
    seenBy.reserve(count);
    // A duplicate has at least one corner coinciding with a corner of the kept triangle it
    // copies, so the kept triangles' finite corners are the index; non-finite corners coincide
    // with nothing.
    PointHashGrid grid(kCornerCell, kCornerReach);
    grid.reserve(corners.size());
    for (std::size_t t = 0; t < count; ++t) {
        const ExportVertex& first = vertices[corners[t * 3]];
        const std::array<Vector3, 3> mine = {first.position, vertices[corners[t * 3 + 1]].position,
                                             vertices[corners[t * 3 + 2]].position};
        if (coincide(mine[0], mine[1]) || coincide(mine[0], mine[2]) || coincide(mine[1], mine[2]))
            continue;
        const Vector3 centroid = (mine[0] + mine[1] + mine[2]) / 3.0f;
        // A centroid that is not finite is never within reach of another, as in a plain
        // comparison of coordinates.
        const bool indexable = std::isfinite(centroid.x) && std::isfinite(centroid.z);
        const SceneNode* source = first.sourceNode;
        bool duplicate = false;
        for (unsigned c = 0; c < 3 && indexable && !duplicate; ++c) {
            if (!isFinite(mine[c]))
                continue;
            grid.forEachNear(mine[c], [&](std::uint32_t k) {
                if (seenBy[k] == t)
                    return true;
                seenBy[k] = t;
                const KeptTriangle& other = keptTriangles[k];
                duplicate = (!withinSourceOnly || other.source == source) &&
                            std::fabs(other.cx - centroid.x) <= 0.5f &&
                            std::fabs(other.cz - centroid.z) <= 0.5f && isDuplicate(mine, other);
                return !duplicate;
            });
        }
        if (duplicate)
            continue;
        kept.insert(kept.end(), corners.begin() + static_cast<std::ptrdiff_t>(t * 3),
                    corners.begin() + static_cast<std::ptrdiff_t>(t * 3 + 3));
        if (indexable) {
            const auto k = static_cast<std::uint32_t>(keptTriangles.size());
            keptTriangles.push_back({mine, source, centroid.x, centroid.z});
            seenBy.push_back(t);
            for (const Vector3& p : mine)
                if (isFinite(p))
                    grid.insert(p, k);
        }
    }
    return kept;
}

} // namespace vx
