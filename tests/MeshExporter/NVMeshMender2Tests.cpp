#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/NVMeshMender2.h"
#include "MeshExporter/TangentFrame.h"
#include "tests/MeshExporter/LiteralMender.h"
#include "tests/MeshExporter/MenderTestMeshes.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <set>

namespace vx {
namespace {

using test::MenderMesh;
using test::menderVertex;

void expectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-6f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void expectOrthonormal(const MenderVertex& v) {
    const Vector3 n = v.normal.normalized();
    EXPECT_NEAR(v.tangent.length(), 1.0f, 1e-5f);
    EXPECT_NEAR(v.binormal.length(), 1.0f, 1e-5f);
    EXPECT_NEAR(Vector3::dot(v.tangent, n), 0.0f, 1e-5f);
    EXPECT_NEAR(Vector3::dot(v.binormal, n), 0.0f, 1e-5f);
    EXPECT_NEAR(Vector3::dot(v.tangent, v.binormal), 0.0f, 1e-5f);
}

template <typename T>
bool sameBytes(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0;
}

TEST(TangentFrame, EveryFallbackGivesTheExpectedOrthonormalFrame) {
    struct Case {
        Vector3 normal, tangent, binormal, wantTangent, wantBinormal;
    };
    const Vector3 zero;
    const float nan = std::nanf("");
    const Case cases[] = {
        // Binormal parallel to the tangent, or so once its normal part is gone: N x T.
        {{0, 0, 1}, {1, 0, 0}, {2, 0, 0}, {1, 0, 0}, {0, 1, 0}},
        {{0, 0, 1}, {1, 0, 0}, {1, 0, 1}, {1, 0, 0}, {0, 1, 0}},
        // Tangent without direction: B x N; also when it lay along the normal.
        {{0, 0, 1}, zero, {0, 3, 0}, {1, 0, 0}, {0, 1, 0}},
        {{0, 1, 0}, {0, 5, 0}, {0, 0, 1}, {-1, 0, 0}, {0, 0, 1}},
        // Neither: a tangent plane from the axis least aligned with the normal.
        {{0, 0, 1}, zero, zero, {-1, 0, 0}, {0, -1, 0}},
        {{-1, 0, 0}, zero, zero, {0, 0, -1}, {0, -1, 0}},
        // Binormal without direction: N x T.
        {{0, 0, 1}, {0, 2, 0}, zero, {0, 1, 0}, {-1, 0, 0}},
        // The binormal is taken off the unit tangent, and projections use the unit normal.
        {{0, 0, 1}, {0.6f, 0, 0.8f}, {0.6f, 0.8f, 0}, {1, 0, 0}, {0, 1, 0}},
        {{0, 0, 2}, {1, 0, 1}, {0, 1, 1}, {1, 0, 0}, {0, 1, 0}},
        // No usable normal: reported, and (0, 0, 1) instead.
        {zero, {1, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 1, 0}},
        {{nan, 0, 1}, {1, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 1, 0}},
    };
    exportErrorList().clear();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "normal " << c.normal.x << " " << c.normal.y << " " << c.normal.z
                     << ", tangent " << c.tangent.x << " " << c.tangent.y << " " << c.tangent.z);
        MenderVertex v = menderVertex({}, c.normal, 0, 0);
        v.tangent = c.tangent;
        v.binormal = c.binormal;
        orthonormalizeFrame(v.normal, v.tangent, v.binormal);
        expectNear(v.tangent, c.wantTangent);
        expectNear(v.binormal, c.wantBinormal);
        expectOrthonormal(v);
    }
    EXPECT_EQ(exportErrorList().entries(), std::vector<std::string>(2, test::kZeroNormalText));
    exportErrorList().clear();
}

TEST(NVMeshMender2, DegenerateTextureCoordinatesGroupTogetherApartFromTexturedOnes) {
    // A square of two triangles whose corners share one texture point (zero tangents), and a
    // textured triangle (s = x - 1, t = y) on its own vertices along the square's right edge.
    const Vector3 up(0, 0, 1);
    MenderMesh mesh{
        {menderVertex({0, 0, 0}, up, 0.5f, 0.5f), menderVertex({1, 0, 0}, up, 0.5f, 0.5f),
         menderVertex({1, 1, 0}, up, 0.5f, 0.5f), menderVertex({0, 1, 0}, up, 0.5f, 0.5f),
         menderVertex({2, 0.5f, 0}, up, 1.0f, 0.5f), menderVertex({1, 0, 0}, up, 0.0f, 0.0f),
         menderVertex({1, 1, 0}, up, 0.0f, 1.0f)},
        {0, 1, 2, 0, 2, 3, 5, 4, 6}};
    const std::vector<std::uint32_t> before = mesh.indices;
    std::vector<std::uint32_t> mapping;
    ASSERT_TRUE(mend(mesh.vertices, mesh.indices, mapping));
    EXPECT_EQ(mesh.vertices.size(), 7u);
    EXPECT_EQ(mesh.indices, before);
    for (std::size_t v = 0; v < 7; ++v) {
        SCOPED_TRACE(v);
        // Without texture directions the frame comes from the normal alone: (0, 0, 1) x (0, 1, 0).
        const bool textured = v >= 4;
        expectNear(mesh.vertices[v].tangent, textured ? Vector3(1, 0, 0) : Vector3(-1, 0, 0));
        expectNear(mesh.vertices[v].binormal, textured ? Vector3(0, 1, 0) : Vector3(0, -1, 0));
    }
}

using Exact = std::array<double, 3>;

Exact exact(const Vector3& v) {
    return {double(v.x), double(v.y), double(v.z)};
}

// Tangent and binormal of a triangle in double precision, for expected values.
std::array<Exact, 2> exactBasis(const MenderVertex& a, const MenderVertex& b,
                                const MenderVertex& c) {
    const Exact pa = exact(a.position), pb = exact(b.position), pc = exact(c.position);
    const double ds1 = double(b.s) - double(a.s), dt1 = double(b.t) - double(a.t);
    const double ds2 = double(c.s) - double(a.s), dt2 = double(c.t) - double(a.t);
    const double r = 1.0 / (ds1 * dt2 - ds2 * dt1);
    std::array<Exact, 2> out{};
    for (std::size_t i = 0; i < 3; ++i) {
        const double e1 = pb[i] - pa[i], e2 = pc[i] - pa[i];
        out[0][i] = (e1 * dt2 - e2 * dt1) * r;
        out[1][i] = (e2 * ds1 - e1 * ds2) * r;
    }
    return out;
}

TEST(NVMeshMender2, SphereWithContinuousCoordinatesKeepsItsVerticesAndAveragesTheirTriangles) {
    // A band of a unit sphere (latitudes -60 to 60 degrees, longitudes 0 to 180): s follows the
    // longitude, t the latitude, with no seam and no pole.
    const int columns = 13;
    const int rows = 9;
    const double pi = std::acos(-1.0);
    MenderMesh mesh;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const double lon = pi * c / (columns - 1);
            const double lat = -pi / 3 + (2 * pi / 3) * r / (rows - 1);
            const Vector3 p(float(std::cos(lat) * std::cos(lon)),
                            float(std::cos(lat) * std::sin(lon)), float(std::sin(lat)));
            mesh.vertices.push_back(
                menderVertex(p, p, float(c) / (columns - 1), float(r) / (rows - 1)));
        }
    }
    for (std::uint32_t r = 0; r + 1 < rows; ++r) {
        for (std::uint32_t c = 0; c + 1 < columns; ++c) {
            const std::uint32_t v = r * columns + c;
            mesh.indices.insert(mesh.indices.end(),
                                {v, v + 1, v + columns + 1, v, v + columns + 1, v + columns});
        }
    }
    // Expected: per vertex, the normalised sums of its triangles' vectors, then the tangent
    // without its normal part, and the binormal without its normal and tangent parts.
    std::vector<std::array<double, 6>> sums(mesh.vertices.size(), std::array<double, 6>{});
    for (std::size_t i = 0; i < mesh.indices.size(); i += 3) {
        const auto basis =
            exactBasis(mesh.vertices[mesh.indices[i]], mesh.vertices[mesh.indices[i + 1]],
                       mesh.vertices[mesh.indices[i + 2]]);
        for (std::size_t k = 0; k < 3; ++k)
            for (std::size_t j = 0; j < 3; ++j) {
                sums[mesh.indices[i + k]][j] += basis[0][j];
                sums[mesh.indices[i + k]][3 + j] += basis[1][j];
            }
    }
    const MenderMesh input = mesh;
    std::vector<std::uint32_t> mapping;
    ASSERT_TRUE(mend(mesh.vertices, mesh.indices, mapping));
    ASSERT_EQ(mesh.vertices.size(), input.vertices.size());
    EXPECT_EQ(mesh.indices, input.indices);
    for (std::size_t v = 0; v < mesh.vertices.size(); ++v) {
        SCOPED_TRACE(v);
        auto unit = [](Exact a) {
            const double l = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
            return std::array<double, 3>{a[0] / l, a[1] / l, a[2] / l};
        };
        auto dot = [](Exact a, Exact b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; };
        const auto n = unit(exact(input.vertices[v].normal));
        auto t = unit({sums[v][0], sums[v][1], sums[v][2]});
        auto b = unit({sums[v][3], sums[v][4], sums[v][5]});
        const double nt = dot(n, t);
        t = unit({t[0] - n[0] * nt, t[1] - n[1] * nt, t[2] - n[2] * nt});
        const double nb = dot(n, b), tb = dot(t, b);
        b = unit({b[0] - n[0] * nb - t[0] * tb, b[1] - n[1] * nb - t[1] * tb,
                  b[2] - n[2] * nb - t[2] * tb});
        expectNear(mesh.vertices[v].tangent, Vector3(float(t[0]), float(t[1]), float(t[2])), 1e-5f);
        expectNear(mesh.vertices[v].binormal, Vector3(float(b[0]), float(b[1]), float(b[2])),
                   1e-5f);
        expectOrthonormal(mesh.vertices[v]);
    }
}

TEST(NVMeshMender2, CubeWithOneVertexPerCornerSplitsEveryCornerIntoItsThreeFaces) {
    // Vertex 4x + 2y + z sits at (x, y, z). The texture coordinates were chosen so that at every
    // corner the three faces disagree in tangent or binormal while each face's own two
    // triangles agree: every face gets a vertex of its own at each of its corners.
    const float uv[8][2] = {{1.5f, 1.5f},  {1.5f, -1.5f},  {2.0f, 2.0f},  {2.0f, 1.0f},
                            {-2.0f, 1.0f}, {-1.0f, -1.5f}, {-1.5f, 2.0f}, {-1.0f, 1.5f}};
    MenderMesh mesh;
    for (int v = 0; v < 8; ++v) {
        const Vector3 p(float(v >> 2), float((v >> 1) & 1), float(v & 1));
        mesh.vertices.push_back(
            menderVertex(p, (p * 2.0f - Vector3(1, 1, 1)).normalized(), uv[v][0], uv[v][1]));
    }
    std::vector<int> faceOfTriangle;
    for (int axis = 0; axis < 3; ++axis) {
        for (int side = 0; side < 2; ++side) {
            std::uint32_t c[4];
            const int corner2d[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
            for (int k = 0; k < 4; ++k) {
                int bits[3];
                bits[axis] = side;
                bits[(axis + 1) % 3] = corner2d[k][0];
                bits[(axis + 2) % 3] = corner2d[k][1];
                c[k] = std::uint32_t(4 * bits[0] + 2 * bits[1] + bits[2]);
            }
            mesh.indices.insert(mesh.indices.end(), {c[0], c[1], c[2], c[0], c[2], c[3]});
            faceOfTriangle.insert(faceOfTriangle.end(), 2, 2 * axis + side);
        }
    }
    MenderMesh reference = mesh;
    std::vector<std::uint32_t> mapping;
    std::vector<std::uint32_t> referenceMapping;
    ASSERT_TRUE(mend(mesh.vertices, mesh.indices, mapping));
    test::literalMend(reference.vertices, reference.indices, referenceMapping);

    ASSERT_EQ(mesh.vertices.size(), 24u);
    std::map<std::uint32_t, int> copies;
    for (std::uint32_t source : mapping)
        ++copies[source];
    for (std::uint32_t v = 0; v < 8; ++v)
        EXPECT_EQ(copies[v], 3) << "corner " << v;
    // Each (face, corner) uses one vertex, and no vertex serves two faces.
    std::map<std::pair<int, std::uint32_t>, std::set<std::uint32_t>> used;
    std::map<std::uint32_t, std::set<int>> facesOf;
    for (std::size_t i = 0; i < mesh.indices.size(); ++i) {
        const int face = faceOfTriangle[i / 3];
        used[{face, mapping[mesh.indices[i]]}].insert(mesh.indices[i]);
        facesOf[mesh.indices[i]].insert(face);
    }
    for (const auto& [key, vertices] : used)
        EXPECT_EQ(vertices.size(), 1u) << "face " << key.first << " corner " << key.second;
    for (const auto& [vertex, faces] : facesOf)
        EXPECT_EQ(faces.size(), 1u) << "vertex " << vertex;
    for (const MenderVertex& v : mesh.vertices)
        expectOrthonormal(v);
    EXPECT_TRUE(sameBytes(mesh.vertices, reference.vertices));
    EXPECT_EQ(mesh.indices, reference.indices);
    EXPECT_EQ(mapping, referenceMapping);
}

// Grids and fans with random texture charts, mirrored seams, jittered coordinates, collapsed
// and repeated triangles, and -0 beside +0.
MenderMesh randomMesh(std::mt19937& random) {
    auto uniform = [&](float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(random);
    };
    auto chance = [&](double p) { return std::bernoulli_distribution(p)(random); };
    MenderMesh mesh;
    const float jitter = std::array<float, 3>{0.0f, 0.3f, 3.0f}[random() % 3];
    const int period = 1 + int(random() % 4);
    auto addVertex = [&](float x, float y, float z, int chart) {
        const float wave = float(std::abs((int(std::lround(x)) % (2 * period)) - period));
        const float s = chart % 2 ? -x : wave;
        const float t = y * (chart % 3 ? 1.0f : -0.5f) + uniform(-jitter, jitter);
        const Vector3 n(uniform(-0.3f, 0.3f), uniform(-0.3f, 0.3f), 1.0f);
        mesh.vertices.push_back(menderVertex({x, y, z}, n, s + uniform(-jitter, jitter), t));
        return std::uint32_t(mesh.vertices.size() - 1);
    };
    std::vector<std::uint32_t> triangles;
    if (chance(0.25)) {
        // A fan around one point: its position list holds every triangle.
        const int spokes = 3 + int(random() % 200);
        const std::uint32_t centre = addVertex(0, 0, 1, 0);
        std::vector<std::uint32_t> rim;
        for (int i = 0; i < spokes; ++i) {
            const float a = 6.2831853f * float(i) / float(spokes);
            rim.push_back(addVertex(std::cos(a) * 10, std::sin(a) * 10, 0, int(random() % 4)));
        }
        for (int i = 0; i < spokes; ++i)
            triangles.insert(triangles.end(),
                             {centre, rim[std::size_t(i)], rim[std::size_t((i + 1) % spokes)]});
    } else {
        const int columns = 2 + int(random() % 10);
        const int rows = 2 + int(random() % 10);
        const bool welded = chance(0.5);
        std::vector<int> chartOf(std::size_t(columns * rows));
        for (int& chart : chartOf)
            chart = welded ? 0 : int(random() % 4);
        std::map<std::pair<int, int>, std::uint32_t> vertexAt; // (point, chart)
        auto vertex = [&](int x, int y, int chart) {
            const auto key = std::pair(y * (columns + 1) + x, chart);
            if (auto it = vertexAt.find(key); it != vertexAt.end())
                return it->second;
            // Odd charts spell the zero coordinate -0.
            const float fx = x == 0 && chart % 2 ? -0.0f : float(x);
            return vertexAt[key] = addVertex(fx, float(y), uniform(0, 0.5f), chart);
        };
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < columns; ++x) {
                const int chart = chartOf[std::size_t(y * columns + x)];
                const std::uint32_t a = vertex(x, y, chart), b = vertex(x + 1, y, chart),
                                    c = vertex(x + 1, y + 1, chart), d = vertex(x, y + 1, chart);
                triangles.insert(triangles.end(), {a, b, c, a, c, d});
            }
        }
    }
    for (std::size_t i = 0; i < triangles.size(); i += 3) {
        mesh.indices.insert(mesh.indices.end(), triangles.begin() + std::ptrdiff_t(i),
                            triangles.begin() + std::ptrdiff_t(i + 3));
        if (chance(0.03)) // collapsed: two corners on one vertex
            mesh.indices.insert(mesh.indices.end(), {triangles[i], triangles[i], triangles[i + 1]});
        if (chance(0.03)) // the same triangle twice
            mesh.indices.insert(mesh.indices.end(), triangles.begin() + std::ptrdiff_t(i),
                                triangles.begin() + std::ptrdiff_t(i + 3));
    }
    return mesh;
}

TEST(NVMeshMender2, RandomMeshesMatchTheLiteralScanAndMapBackToTheirInput) {
    for (std::uint32_t seed = 1; seed <= 120; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        const MenderMesh input = randomMesh(random);
        MenderMesh mesh = input;
        MenderMesh again = input;
        MenderMesh reference = input;
        std::vector<std::uint32_t> mapping, againMapping, referenceMapping;
        ASSERT_TRUE(mend(mesh.vertices, mesh.indices, mapping));
        ASSERT_TRUE(mend(again.vertices, again.indices, againMapping));
        test::literalMend(reference.vertices, reference.indices, referenceMapping);
        ASSERT_TRUE(sameBytes(mesh.vertices, reference.vertices));
        ASSERT_EQ(mesh.indices, reference.indices);
        ASSERT_EQ(mapping, referenceMapping);
        ASSERT_TRUE(sameBytes(mesh.vertices, again.vertices));

        ASSERT_EQ(mapping.size(), mesh.vertices.size());
        for (std::size_t v = 0; v < mesh.vertices.size(); ++v) {
            ASSERT_LT(mapping[v], input.vertices.size());
            const MenderVertex& in = input.vertices[mapping[v]];
            const MenderVertex& out = mesh.vertices[v];
            ASSERT_EQ(std::memcmp(&in, &out, offsetof(MenderVertex, tangent)), 0) << "vertex " << v;
            expectOrthonormal(out);
        }
        ASSERT_EQ(mesh.indices.size(), input.indices.size());
        for (std::size_t i = 0; i < mesh.indices.size(); ++i)
            ASSERT_EQ(std::memcmp(&mesh.vertices[mesh.indices[i]].position,
                                  &input.vertices[input.indices[i]].position, sizeof(Vector3)),
                      0)
                << "corner " << i;
    }
}

} // namespace
} // namespace vx
