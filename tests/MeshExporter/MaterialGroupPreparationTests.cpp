// Cleaning a material group: the indexed pass against a plain scan of every kept triangle.
#include "MeshExporter/MaterialGroupPreparation.h"
#include "Shared/Graphics/Scene/OwnedNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"
#include "tests/MeshExporter/MaterialGroupScan.h"
#include "tests/MeshExporter/WholeCorners.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace vx {
namespace {

ExportVertex corner(float x, float y, float z, float u = 0.0f) {
    ExportVertex v;
    v.position = Vector3(x, y, z);
    v.uvs[0] = {u, 0.0f};
    return v;
}

std::vector<Vector3> positions(const ExportVertexList& vertices) {
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
        ExportVertexList triangles;
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
        const ExportVertexList kept = test::prepareWholeTriangles(c.triangles);
        EXPECT_EQ(kept.size(), c.keptTriangles * 3) << c.what;
        // The first of two duplicates is the one kept, with its own texture coordinates.
        if (!kept.empty()) {
            EXPECT_EQ(kept[0].uvs[0].u, c.triangles[0].uvs[0].u) << c.what;
        }
    }
}

TEST(MaterialGroupPreparation, NumberedCornersComeBackAsTheNumbersOfTheKeptTriangles) {
    // Vertices 0-3 from one scene mesh, 4-6 from another at the first three's places.
    const auto meshA = makeNode<UtilTransformNode>();
    const auto meshB = makeNode<UtilTransformNode>();
    ExportVertexList vertices = {corner(0, 0, 0), corner(1, 0, 0), corner(1, 0, 1), corner(0, 0, 1),
                                 corner(0, 0, 0), corner(1, 0, 0), corner(1, 0, 1)};
    for (std::size_t v = 0; v < vertices.size(); ++v)
        vertices[v].sourceNode = v < 4 ? meshA.get() : meshB.get();
    // A quad, its first triangle again with its corners rotated, a degenerate triangle, and the
    // first triangle once more from the other mesh.
    const std::vector<std::uint32_t> corners = {0, 1, 2, 0, 2, 3, 2, 0, 1, 0, 0, 3, 4, 5, 6};
    EXPECT_EQ(prepareMaterialGroup(vertices, corners),
              (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3}));
    EXPECT_EQ(prepareMaterialGroup(vertices, corners, true),
              (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3, 4, 5, 6}));
}

// Corner pairs whose squared distance lands on either side of the tolerance depending on the
// order in which the squares are summed: the indexed pass must decide each as the plain scan
// does, which sums x, then y, then z.
TEST(MaterialGroupPreparation, PairsOnTheToleranceRoundAsThePlainComparisonDoes) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_real_distribution<float> scale(1.0f - 3e-7f, 1.0f + 3e-7f);
    const auto squares = [](float dx, float dy, float dz, int order) {
        return order == 0   ? (dx * dx + dy * dy) + dz * dz
               : order == 1 ? dx * dx + (dy * dy + dz * dz)
                            : (dx * dx + dz * dz) + dy * dy;
    };
    ExportVertexList triangles;
    int borderPairs[2] = {0, 0}; // coinciding as summed x, y, z; not coinciding
    for (int attempt = 0; attempt < 1000000 && borderPairs[0] + borderPairs[1] < 40; ++attempt) {
        // Measured from the origin, the moved corner's coordinates are the differences exactly.
        Vector3 d(unit(random), unit(random), unit(random));
        d = d * (std::sqrt(kCoincidentSquaredDistance) / d.length() * scale(random));
        const bool inPlainOrder = squares(d.x, d.y, d.z, 0) < kCoincidentSquaredDistance;
        if (inPlainOrder == (squares(d.x, d.y, d.z, 1) < kCoincidentSquaredDistance) &&
            inPlainOrder == (squares(d.x, d.y, d.z, 2) < kCoincidentSquaredDistance))
            continue;
        if (borderPairs[inPlainOrder ? 0 : 1] >= 20)
            continue;
        ++borderPairs[inPlainOrder ? 0 : 1];
        // A triangle with a corner at the origin, then one sharing its other two corners and
        // the moved one: a duplicate only when the border pair coincides. The pair's corner
        // takes each place of the three in turn; the cases share no other corner.
        const int n = borderPairs[0] + borderPairs[1];
        const Vector3 a[3] = {Vector3(), Vector3(static_cast<float>(n), 0.5f, 0.0f),
                              Vector3(0.0f, 0.5f, static_cast<float>(n))};
        const int at = n % 3;
        for (int k = 0; k < 3; ++k) {
            const Vector3 p = a[(k + at) % 3];
            triangles.push_back(corner(p.x, p.y, p.z));
        }
        for (int k = 0; k < 3; ++k) {
            const Vector3 p = (k + at) % 3 == 0 ? d : a[(k + at) % 3];
            triangles.push_back(corner(p.x, p.y, p.z));
        }
    }
    ASSERT_EQ(borderPairs[0], 20);
    ASSERT_EQ(borderPairs[1], 20);
    const ExportVertexList fast = test::prepareWholeTriangles(triangles);
    const ExportVertexList scan = test::prepareByScan(triangles);
    EXPECT_EQ(positions(fast), positions(scan));
    EXPECT_LT(scan.size(), triangles.size());
    EXPECT_GT(scan.size(), triangles.size() / 2);
}

// Soups made to stress the index: near copies of earlier triangles (corners rotated, moved by
// less than, about, or more than the coincidence distance), slivers, corners on the index's cell
// borders, and sheets lying flat or standing as walls.
ExportVertexList soup(std::mt19937& random, int layout) {
    std::uniform_real_distribution<float> coordinate(-3.0f, 3.0f);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_real_distribution<float> jitter(-1.2e-4f, 1.2e-4f);
    std::uniform_real_distribution<float> border(0.99998f, 1.00002f);
    std::uniform_int_distribution<int> choice(0, 9);
    std::uniform_int_distribution<int> cell(-3000, 3000);
    ExportVertexList triangles;
    auto add = [&](const Vector3& p) { triangles.push_back(corner(p.x, p.y, p.z)); };
    if (layout >= 2) {
        // A 30 x 30 sheet of quads, flat in x-z or standing in x-y, partly laid twice.
        const float step = layout == 2 ? 0.25f : 0.037f;
        for (int pass = 0; pass < 2; ++pass)
            for (int i = 0; i < 30; ++i)
                for (int j = 0; j < 30; ++j) {
                    if (pass == 1 && choice(random) < 7)
                        continue;
                    auto at = [&](int a, int b) {
                        const float u = static_cast<float>(i + a) * step;
                        const float v = static_cast<float>(j + b) * step;
                        return layout == 4 ? Vector3(u, v, 0.5f) : Vector3(u, 0.5f, v);
                    };
                    add(at(0, 0)), add(at(1, 0)), add(at(1, 1));
                    add(at(0, 0)), add(at(1, 1)), add(at(0, 1));
                }
        return triangles;
    }
    for (int t = 0; t < 400; ++t) {
        const int kind = choice(random);
        if (kind < 3 && triangles.size() >= 3) {
            std::uniform_int_distribution<std::size_t> pick(0, triangles.size() / 3 - 1);
            const std::size_t from = pick(random) * 3;
            for (int k = 0; k < 3; ++k) {
                Vector3 p = triangles[from + static_cast<std::size_t>((k + 1) % 3)].position;
                if (kind == 0) {
                    // Moved by the coincidence distance to within a few parts in a hundred
                    // thousand, so rounding decides.
                    const Vector3 d = Vector3(unit(random), unit(random), unit(random));
                    p += d * (std::sqrt(kCoincidentSquaredDistance) / d.length() * border(random));
                } else {
                    p += Vector3(jitter(random), jitter(random), jitter(random));
                }
                add(p);
            }
        } else if (kind == 3) {
            const Vector3 p(coordinate(random), coordinate(random), coordinate(random));
            add(p), add(Vector3(p.x + jitter(random), p.y, p.z)), add(p + Vector3(0, 1, 0));
        } else if (kind == 4) {
            // A speck whose three corners all coincide with one point, then a triangle with a
            // corner, first, second or third, at that point: three coinciding pairs, a duplicate
            // only when the speck's centroid is within the 1 x 1 x-z window around the
            // triangle's.
            // Some specks are as wide as a speck can be: two corners almost twice the distance
            // apart.
            const Vector3 q(coordinate(random), coordinate(random), coordinate(random));
            if (choice(random) < 5) {
                add(q + Vector3(0.8e-4f, 0, 0)), add(q + Vector3(-0.4e-4f, 0, 0.7e-4f));
                add(q + Vector3(-0.4e-4f, 0, -0.7e-4f));
            } else {
                add(q + Vector3(0.99e-4f, 0, 0)), add(q + Vector3(-0.99e-4f, 0, 0));
                add(q + Vector3(0, 0.99e-4f, 0));
            }
            const float reach = std::fabs(unit(random)) * 3.0f;
            const Vector3 triangle[3] = {q, q + Vector3(reach, 0, 0), q + Vector3(0, 0, reach)};
            const int turn = choice(random) % 3;
            for (int k = 0; k < 3; ++k)
                add(triangle[(k + turn) % 3]);
        } else {
            Vector3 p[3];
            for (Vector3& q : p)
                q = Vector3(coordinate(random), coordinate(random) * (layout == 0 ? 0.1f : 1.0f),
                            coordinate(random));
            if (kind > 6) {
                // Corners on borders between index cells (odd multiples of 1/2048) or the
                // centroid on a whole number, so near copies fall on either side.
                if (layout == 1) {
                    auto onBorder = [&] {
                        return static_cast<float>(2 * cell(random) + 1) / 2048.0f;
                    };
                    for (Vector3& q : p)
                        q = Vector3(onBorder(), onBorder(), onBorder());
                } else {
                    const Vector3 c = (p[0] + p[1] + p[2]) / 3.0f;
                    const Vector3 shift(std::round(c.x) - c.x + jitter(random), 0.0f,
                                        std::round(c.z) - c.z + jitter(random));
                    for (Vector3& q : p)
                        q += shift;
                }
            }
            for (const Vector3& q : p)
                add(q);
        }
    }
    return triangles;
}

TEST(MaterialGroupPreparation, IndexedPassKeepsExactlyWhatTheScanKeeps) {
    const char* const layouts[] = {"flattish soup", "soup with corners on cell borders",
                                   "flat sheet", "flat sheet, odd step", "wall"};
    std::mt19937 random(7);
    for (int layout = 0; layout < 5; ++layout)
        for (int round = 0; round < 8; ++round) {
            const ExportVertexList triangles = soup(random, layout);
            const ExportVertexList fast = test::prepareWholeTriangles(triangles);
            const ExportVertexList scan = test::prepareByScan(triangles);
            ASSERT_EQ(fast.size(), scan.size()) << layouts[layout] << " round " << round;
            EXPECT_EQ(positions(fast), positions(scan)) << layouts[layout] << " round " << round;
            EXPECT_LT(fast.size(), triangles.size()) << "the rounds must exercise dropping";
        }
}

} // namespace
} // namespace vx
