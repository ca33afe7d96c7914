#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/NVMeshMender2.h"
#include "MeshExporter/TangentFrame.h"
#include "tests/MeshExporter/LiteralMender.h"
#include "tests/MeshExporter/MenderTestMeshes.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <random>
#include <set>

namespace vx {
namespace {

using test::MenderMesh;
using test::menderVertex;

// With a unit normal both vectors lie across it; tangent and binormal need not be quite
// perpendicular, as the binormal is taken off the tangent before that is normalised.
void expectUnitAcrossTheNormal(const MenderVertex& v) {
    EXPECT_NEAR(v.tangent.length(), 1.0f, 1e-5f);
    EXPECT_NEAR(v.binormal.length(), 1.0f, 1e-5f);
    EXPECT_NEAR(Vector3::dot(v.tangent, v.normal), 0.0f, 1e-5f);
    EXPECT_NEAR(Vector3::dot(v.binormal, v.normal), 0.0f, 1e-5f);
}

template <typename T>
bool sameBytes(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0;
}

// Frames worked out by hand from the steps: project, normalise, then the fallbacks, whose
// results (made from the normal as given) are not normalised. A mend's rows also give the literal
// result, which the reference gives with that mend switched off (NaN: any non-finite value).
TEST(TangentFrame, TheStepsAndEachMendGiveTheFramesWorkedOutByHand) {
    struct Case {
        Vector3 normal, tangent, binormal, wantTangent, wantBinormal;
        test::Mends off = {};
        Vector3 literalTangent = {}, literalBinormal = {};
    };
    const Vector3 o;
    const float nan = std::nanf("");
    const float inf = std::numeric_limits<float>::infinity();
    const Vector3 nans(nan, nan, nan);
    const test::Mends all;
    const test::Mends noAxis{true, false, true};
    const test::Mends noFinite{true, true, false};
    const Vector3 x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    std::vector<Case> cases = {
        // Binormal parallel to the tangent: none left, N x T.
        {z, x, {2, 0, 0}, x, y},
        // B' = (1, 0.001, 0) - T' (T'.B) with T' = (0.5, 0, 0) is (0.75, 0.001, 0): T.B > 0.999.
        {z, {0.5f, 0, 0}, {1, 0.001f, 0}, x, y},
        // T' = (0.6, 0, 0); B' = B - T' (T'.B) = (0.6 - 0.216, 0.8, 0), then normalised.
        {z, {0.6f, 0, 0.8f}, {0.6f, 0.8f, 0}, x, {0.43273107f, 0.90152306f, 0}},
        {z, o, {0, 3, 0}, x, y},  // no tangent: B x N
        {z, {0, 2, 0}, o, y, -x}, // no binormal: N x T
        // Neither: N.y <= N.x takes N x (0, 1, 0), with the normal's length.
        {{0, 0, 2}, o, o, {-2, 0, 0}, {0, -4, 0}},
        // The axis test is signed: 0.5 <= -1 fails, so N x (1, 0, 0).
        {{-1, 0.5f, 0}, o, o, {0, 0, -0.5f}, {-0.25f, -0.5f, 0}},
        {o, x, y, x, y}, // zero normal: reported, (0, 0, 1) instead
    };
    for (Case& c : cases) {
        c.off = all;
        c.literalTangent = c.wantTangent;
        c.literalBinormal = c.wantBinormal;
    }
    // The mends: the other axis where the chosen one lies along the normal; a normal that is
    // not finite is a zero normal.
    cases.push_back({-x, o, o, -z, -y, noAxis, o, o});
    cases.push_back({-y, o, o, z, -x, noAxis, o, o});
    cases.push_back({{nan, 0, 1}, x, y, x, y, noFinite, nans, nans});
    cases.push_back({{0, inf, 0}, x, y, x, y, noFinite, nans, nans});

    auto same = [](const Vector3& got, const Vector3& want) {
        if (std::isnan(want.x))
            return !std::isfinite(got.x + got.y + got.z);
        auto near = [](float a, float b) { return std::fabs(a - b) <= 1e-6f; };
        return near(got.x, want.x) && near(got.y, want.y) && near(got.z, want.z);
    };
    exportErrorList().clear();
    std::size_t reports = 0;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(testing::Message() << "row " << i);
        MenderVertex v = menderVertex({}, c.normal, 0, 0);
        v.tangent = c.tangent;
        v.binormal = c.binormal;
        MenderVertex mended = v;
        MenderVertex literal = v;
        orthonormalizeFrame(v.normal, v.tangent, v.binormal);
        test::literalFrame(mended, all);
        test::literalFrame(literal, c.off);
        EXPECT_TRUE(same(v.tangent, c.wantTangent) && same(v.binormal, c.wantBinormal))
            << v.tangent.x << " " << v.tangent.y << " " << v.tangent.z << " / " << v.binormal.x
            << " " << v.binormal.y << " " << v.binormal.z;
        EXPECT_EQ(std::memcmp(&v, &mended, sizeof v), 0);
        EXPECT_TRUE(same(literal.tangent, c.literalTangent) &&
                    same(literal.binormal, c.literalBinormal));
        if (!(c.normal.length() >= 0.001f) || !std::isfinite(c.normal.length())) {
            EXPECT_EQ(v.normal, z);
            // The literal NaN and infinite normals pass the length test unreported.
            reports += std::isfinite(c.normal.length()) ? 3u : 2u;
        }
    }
    EXPECT_EQ(exportErrorList().entries(),
              std::vector<std::string>(reports, test::kZeroNormalText));
    exportErrorList().clear();
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
        expectUnitAcrossTheNormal(v);
    EXPECT_TRUE(sameBytes(mesh.vertices, reference.vertices));
    EXPECT_EQ(mesh.indices, reference.indices);
    EXPECT_EQ(mapping, referenceMapping);
}

// Grids and fans with random texture charts, mirrored seams, jittered and dense coordinates,
// collapsed and repeated triangles, odd normals, and -0 beside +0.
MenderMesh randomMesh(std::mt19937& random) {
    auto uniform = [&](float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(random);
    };
    auto chance = [&](double p) { return std::bernoulli_distribution(p)(random); };
    MenderMesh mesh;
    const float jitter = std::array<float, 3>{0.0f, 0.3f, 3.0f}[random() % 3];
    const int period = 1 + int(random() % 4);
    // Dense: texture areas far below 0.0001, so mirrored charts rely on the area's sign.
    const float density = chance(0.3) ? 0.003f : 1.0f;
    const float nan = std::nanf("");
    // Normals without a direction, or along an axis the fallback must not pick.
    const std::array<Vector3, 5> oddNormals{Vector3(), Vector3(-1, 0, 0), Vector3(0, -1, 0),
                                            Vector3(nan, 0, 1), Vector3(0, 0, 2)};
    auto addVertex = [&](float x, float y, float z, int chart) {
        const float wave = float(std::abs((int(std::lround(x)) % (2 * period)) - period));
        const float s = chart % 2 ? -x : wave;
        const float t = y * (chart % 3 ? 1.0f : -0.5f) + uniform(-jitter, jitter);
        Vector3 n(uniform(-0.3f, 0.3f), uniform(-0.3f, 0.3f), 1.0f);
        if (chance(0.04))
            n = oddNormals[random() % oddNormals.size()];
        mesh.vertices.push_back(
            menderVertex({x, y, z}, n, (s + uniform(-jitter, jitter)) * density, t * density));
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
                if (chance(0.03)) // two corners at one position, on vertices of two charts
                    triangles.insert(triangles.end(), {a, vertex(x, y, (chart + 1) % 4), c});
            }
        }
    }
    for (std::size_t i = 0; i < triangles.size(); i += 3) {
        mesh.indices.insert(mesh.indices.end(), triangles.begin() + std::ptrdiff_t(i),
                            triangles.begin() + std::ptrdiff_t(i + 3));
        if (chance(0.03)) // collapsed: two corners on one vertex
            mesh.indices.insert(mesh.indices.end(), {triangles[i], triangles[i], triangles[i + 1]});
        if (chance(0.01)) // all three corners on one vertex
            mesh.indices.insert(mesh.indices.end(), {triangles[i], triangles[i], triangles[i]});
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
            ASSERT_EQ(std::memcmp(&in.position, &out.position, sizeof in.position), 0);
            ASSERT_TRUE(in.s == out.s && in.t == out.t) << "vertex " << v;
            const bool usable = in.normal.length() >= 0.001f && std::isfinite(in.normal.length());
            ASSERT_EQ(out.normal, usable ? in.normal : Vector3(0, 0, 1)) << "vertex " << v;
        }
        ASSERT_EQ(mesh.indices.size(), input.indices.size());
        for (std::size_t i = 0; i < mesh.indices.size(); ++i)
            ASSERT_EQ(std::memcmp(&mesh.vertices[mesh.indices[i]].position,
                                  &input.vertices[input.indices[i]].position, sizeof(Vector3)),
                      0)
                << "corner " << i;
    }
    exportErrorList().clear(); // the odd normals' reports
}

} // namespace
} // namespace vx
