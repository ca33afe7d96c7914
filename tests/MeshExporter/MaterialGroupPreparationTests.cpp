// Cleaning a material group: the grid-indexed pass against a plain scan of every kept triangle.
#include "MeshExporter/MaterialGroupPreparation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace vx {
namespace {

// The rule as a plain scan: each triangle is compared with every triangle kept before it.
std::vector<ExportVertex> prepareByScan(const std::vector<ExportVertex>& triangles) {
    auto coincide = [](const Vector3& a, const Vector3& b) {
        return (a - b).lengthSquared() < kCoincidentSquaredDistance;
    };
    std::vector<ExportVertex> kept;
    for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
        const Vector3 p[3] = {triangles[t].position, triangles[t + 1].position,
                              triangles[t + 2].position};
        if (coincide(p[0], p[1]) || coincide(p[0], p[2]) || coincide(p[1], p[2]))
            continue;
        const Vector3 c = (p[0] + p[1] + p[2]) / 3.0f;
        bool duplicate = false;
        for (std::size_t k = 0; k < kept.size() && !duplicate; k += 3) {
            const Vector3 q[3] = {kept[k].position, kept[k + 1].position, kept[k + 2].position};
            const Vector3 d = (q[0] + q[1] + q[2]) / 3.0f;
            if (!(std::fabs(d.x - c.x) <= 0.5f && std::fabs(d.z - c.z) <= 0.5f))
                continue;
            int pairs = 0;
            for (const Vector3& a : p)
                for (const Vector3& b : q)
                    pairs += coincide(a, b) ? 1 : 0;
            duplicate = pairs >= 3;
        }
        if (!duplicate)
            kept.insert(kept.end(), triangles.begin() + static_cast<std::ptrdiff_t>(t),
                        triangles.begin() + static_cast<std::ptrdiff_t>(t + 3));
    }
    return kept;
}

ExportVertex corner(float x, float y, float z, float u = 0.0f) {
    ExportVertex v;
    v.position = Vector3(x, y, z);
    v.uvs[0] = {u, 0.0f};
    return v;
}

std::vector<Vector3> positions(const std::vector<ExportVertex>& vertices) {
    std::vector<Vector3> out;
    for (const ExportVertex& v : vertices)
        out.push_back(v.position);
    return out;
}

TEST(MaterialGroupPreparation, DropsDegenerateAndDuplicateTrianglesByTheTolerances) {
    const float near = 0.9e-4f; // squared 8.1e-9: the same point
    const float far = 1.1e-4f;  // squared 1.21e-8: another point
    struct Case {
        const char* what;
        std::vector<ExportVertex> triangles;
        std::size_t keptTriangles;
    };
    const std::vector<Case> cases = {
        {"two corners within the tolerance",
         {corner(0, 0, 0), corner(near, 0, 0), corner(0, 1, 0)},
         0},
        {"corners just beyond it", {corner(0, 0, 0), corner(far, 0, 0), corner(0, 1, 0)}, 1},
        {"the same triangle twice, corners rotated, other texture coordinates",
         {corner(0, 0, 0), corner(1, 0, 0), corner(0, 0, 1), corner(1, 0, 0, 0.5f),
          corner(0, 0, 1, 0.5f), corner(0, 0, 0, 0.5f)},
         1},
        {"a copy moved by less than the tolerance",
         {corner(0, 0, 0), corner(1, 0, 0), corner(0, 0, 1), corner(near, 0, 0),
          corner(1 + near, 0, 0), corner(near, 0, 1)},
         1},
        {"a copy moved by more than the tolerance",
         {corner(0, 0, 0), corner(1, 0, 0), corner(0, 0, 1), corner(far, 0, 0),
          corner(1 + far, 0, 0), corner(far, 0, 1)},
         2},
        {"two triangles sharing an edge",
         {corner(0, 0, 0), corner(1, 0, 0), corner(0, 0, 1), corner(1, 0, 0), corner(1, 0, 1),
          corner(0, 0, 1)},
         2},
        {"the same triangle mirrored in y: two coinciding corners only",
         {corner(0, 0, 0), corner(1, 0, 0), corner(0, 1, 0), corner(0, 0, 0), corner(1, 0, 0),
          corner(0, -1, 0)},
         2},
    };
    for (const Case& c : cases) {
        const std::vector<ExportVertex> kept = prepareMaterialGroup(c.triangles);
        EXPECT_EQ(kept.size(), c.keptTriangles * 3) << c.what;
        // The first of two duplicates is the one kept, with its own texture coordinates.
        if (!kept.empty()) {
            EXPECT_EQ(kept[0].uvs[0].u, c.triangles[0].uvs[0].u) << c.what;
        }
    }
}

TEST(MaterialGroupPreparation, GridPassKeepsExactlyWhatTheScanKeeps) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-3.0f, 3.0f);
    std::uniform_real_distribution<float> jitter(-1.2e-4f, 1.2e-4f);
    std::uniform_int_distribution<int> choice(0, 9);
    for (int round = 0; round < 20; ++round) {
        std::vector<ExportVertex> triangles;
        for (int t = 0; t < 400; ++t) {
            const int kind = choice(random);
            if (kind < 3 && triangles.size() >= 3) {
                // A near copy of an earlier triangle, its corners rotated and jittered.
                std::uniform_int_distribution<std::size_t> pick(0, triangles.size() / 3 - 1);
                const std::size_t from = pick(random) * 3;
                for (int k = 0; k < 3; ++k) {
                    Vector3 p = triangles[from + static_cast<std::size_t>((k + 1) % 3)].position;
                    p += Vector3(jitter(random), jitter(random), jitter(random));
                    triangles.push_back(corner(p.x, p.y, p.z));
                }
            } else if (kind == 3) {
                // A sliver whose corners nearly meet.
                const Vector3 p(coordinate(random), coordinate(random), coordinate(random));
                triangles.push_back(corner(p.x, p.y, p.z));
                triangles.push_back(corner(p.x + jitter(random), p.y, p.z));
                triangles.push_back(corner(p.x, p.y + 1.0f, p.z));
            } else {
                Vector3 p[3];
                for (Vector3& q : p)
                    q = Vector3(coordinate(random), coordinate(random) * 0.1f, coordinate(random));
                if (kind > 6) {
                    // Centroid on a cell border of the grid, so near copies fall on either side.
                    const Vector3 c = (p[0] + p[1] + p[2]) / 3.0f;
                    const Vector3 shift(std::round(c.x) - c.x + jitter(random), 0.0f,
                                        std::round(c.z) - c.z + jitter(random));
                    for (Vector3& q : p)
                        q += shift;
                }
                for (const Vector3& q : p)
                    triangles.push_back(corner(q.x, q.y, q.z));
            }
        }
        const std::vector<ExportVertex> fast = prepareMaterialGroup(triangles);
        const std::vector<ExportVertex> scan = prepareByScan(triangles);
        ASSERT_EQ(fast.size(), scan.size()) << "round " << round;
        EXPECT_EQ(positions(fast), positions(scan)) << "round " << round;
        EXPECT_LT(fast.size(), triangles.size()) << "the rounds must exercise dropping";
    }
}

} // namespace
} // namespace vx
