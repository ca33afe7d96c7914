#include "MeshExporter/MaterialGroupPreparation.h"

#include "Shared/Base/math/PointHashGrid.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace vx {

namespace {

bool coincide(const Vector3& a, const Vector3& b) {
    return (a - b).lengthSquared() < kCoincidentSquaredDistance;
}

bool isFinite(const Vector3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// A kept triangle's corners coordinate by coordinate, a fourth lane that coincides with nothing
// beside them, so that a triangle is compared with all three corners at once; one cache line.
struct alignas(64) KeptTriangle {
    float x[4];
    float y[4];
    float z[4];
    const SceneNode* source = nullptr;
    float cx = 0.0f;
    float cz = 0.0f;
};

KeptTriangle keptTriangle(const std::array<Vector3, 3>& corners, const SceneNode* source,
                          const Vector3& centroid) {
    constexpr float kNothing = std::numeric_limits<float>::quiet_NaN();
    return {{corners[0].x, corners[1].x, corners[2].x, kNothing},
            {corners[0].y, corners[1].y, corners[2].y, kNothing},
            {corners[0].z, corners[1].z, corners[2].z, kNothing},
            source,
            centroid.x,
            centroid.z};
}

// At least three of the nine corner pairs coincide: each pair's squared distance summed x, y
// then z as a plain comparison does, so the lanes round as it would.
bool isDuplicate(const std::array<Vector3, 3>& corners, const KeptTriangle& kept) {
#if defined(__SSE2__)
    const __m128 kx = _mm_load_ps(kept.x);
    const __m128 ky = _mm_load_ps(kept.y);
    const __m128 kz = _mm_load_ps(kept.z);
    const __m128 limit = _mm_set1_ps(kCoincidentSquaredDistance);
    int pairs = 0;
    for (const Vector3& mine : corners) {
        const __m128 dx = _mm_sub_ps(_mm_set1_ps(mine.x), kx);
        const __m128 dy = _mm_sub_ps(_mm_set1_ps(mine.y), ky);
        const __m128 dz = _mm_sub_ps(_mm_set1_ps(mine.z), kz);
        const __m128 squared =
            _mm_add_ps(_mm_add_ps(_mm_mul_ps(dx, dx), _mm_mul_ps(dy, dy)), _mm_mul_ps(dz, dz));
        // Set bits of a 4-bit mask, looked up: the baseline instruction set counts them by a call.
        constexpr int kBitsSet[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
        pairs += kBitsSet[_mm_movemask_ps(_mm_cmplt_ps(squared, limit))];
    }
    return pairs >= 3;
#else
    int pairs = 0;
    for (const Vector3& mine : corners)
        for (unsigned k = 0; k < 3; ++k)
            pairs += coincide(mine, Vector3(kept.x[k], kept.y[k], kept.z[k])) ? 1 : 0;
    return pairs >= 3;
#endif
}

// Cells of about ten times the coincidence distance; the reach covers that distance with room
// for the rounding of the squared-distance test.
constexpr double kCornerCell = 1.0 / 1024.0;
constexpr double kCornerReach = 1.1e-4;

// Whether one point could coincide with all three corners: then no two corners are further
// apart than twice the coincidence distance (with room for rounding).
bool isSpeck(const std::array<Vector3, 3>& corners) {
    constexpr float kMostSquared = static_cast<float>(4.0 * kCornerReach * kCornerReach);
    return (corners[0] - corners[1]).lengthSquared() < kMostSquared &&
           (corners[0] - corners[2]).lengthSquared() < kMostSquared &&
           (corners[1] - corners[2]).lengthSquared() < kMostSquared;
}

} // namespace

std::vector<std::uint32_t> prepareMaterialGroup(const ExportVertexList& vertices,
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
    std::size_t keptSpecks = 0;
    // A duplicate's three coinciding corner pairs involve its first or second corner, which then
    // lies near a corner of the kept triangle it copies, unless all three pairs are its third
    // corner's: the kept triangle is then a speck around that corner. So the first two corners
    // look among every kept triangle's finite corners, the third among the specks' only;
    // non-finite corners coincide with nothing.
    PointHashGrid grid(kCornerCell, kCornerReach);
    grid.reserve(corners.size());
    PointHashGrid specks(kCornerCell, kCornerReach);
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
        const auto compare = [&](std::uint32_t k) {
            if (seenBy[k] == t)
                return true;
            seenBy[k] = t;
            const KeptTriangle& other = keptTriangles[k];
            duplicate = (!withinSourceOnly || other.source == source) &&
                        std::fabs(other.cx - centroid.x) <= 0.5f &&
                        std::fabs(other.cz - centroid.z) <= 0.5f && isDuplicate(mine, other);
            return !duplicate;
        };
        for (unsigned c = 0; c < 2 && indexable && !duplicate; ++c)
            if (isFinite(mine[c]))
                grid.forEachNear(mine[c], compare);
        if (indexable && !duplicate && keptSpecks > 0 && isFinite(mine[2]))
            specks.forEachNear(mine[2], compare);
        if (duplicate)
            continue;
        kept.insert(kept.end(), corners.begin() + static_cast<std::ptrdiff_t>(t * 3),
                    corners.begin() + static_cast<std::ptrdiff_t>(t * 3 + 3));
        if (indexable) {
            const auto k = static_cast<std::uint32_t>(keptTriangles.size());
            keptTriangles.push_back(keptTriangle(mine, source, centroid));
            seenBy.push_back(t);
            for (const Vector3& p : mine)
                if (isFinite(p))
                    grid.insert(p, k);
            if (isSpeck(mine)) {
                ++keptSpecks;
                for (const Vector3& p : mine)
                    specks.insert(p, k);
            }
        }
    }
    return kept;
}

} // namespace vx
