// The mapper on small meshes whose answers were worked out by hand.
#include "UVMapper/UVMapper.h"

#include "UVMapper/LumelSampler.h"
#include "UVMapper/TgaImage.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/UVMapper/TestMeshes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>

namespace vx::test {
namespace {

// Maps the mesh with its pictures in a temporary folder.
class Mapped {
public:
    Mapped(const TestMesh& mesh, std::uint32_t size) {
        mapper.setSize(size, size);
        mapper.setDebugImageFolder(folder.path());
        mesh.feed(mapper);
        mapped = mapper.map();
    }
    TempDir folder;
    UVMapper mapper;
    bool mapped = false;
};

std::uint32_t readU32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

float readFloat(const std::string& bytes, std::size_t at) {
    float value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

void expectNear(const Vector3& a, const Vector3& b) {
    EXPECT_NEAR(a.x, b.x, 1e-6f);
    EXPECT_NEAR(a.y, b.y, 1e-6f);
    EXPECT_NEAR(a.z, b.z, 1e-6f);
}

TestMesh unitSquare(bool secondFacesAway) {
    TestMesh mesh;
    const Vector3 p0{0, 0, 0}, p1{1, 0, 0}, p2{1, 1, 0}, p3{0, 1, 0};
    mesh.add(p0, p1, p2); // (p - q) × (p - r) = +z
    if (secondFacesAway)
        mesh.add(p0, p3, p2); // -z
    else
        mesh.add(p0, p2, p3); // +z
    return mesh;
}

TEST(UVMapperClusters, CoplanarTrianglesAcrossAnEdgeShareOneClusterOppositeOnesDoNot) {
    Mapped together(unitSquare(false), 64);
    ASSERT_TRUE(together.mapped);
    ASSERT_EQ(together.mapper.clusters().size(), 1u);
    EXPECT_EQ(std::make_tuple(together.mapper.weldedPositions().size(),
                              together.mapper.clusters()[0].memberCount,
                              together.mapper.triangles()[1].cluster),
              std::make_tuple(4u, 2u, 0));

    Mapped apart(unitSquare(true), 64);
    ASSERT_TRUE(apart.mapped);
    EXPECT_EQ(std::make_tuple(apart.mapper.weldedPositions().size(), apart.mapper.clusters().size(),
                              apart.mapper.triangles()[0].cluster,
                              apart.mapper.triangles()[1].cluster),
              std::make_tuple(4u, 2u, 0, 1));
}

TEST(UVMapperClusters, AnLStripThatCoversLittleOfItsBoxFallsApartInTheOrderItGrew) {
    // 4 quads of 1 × 0.1 along x, the 0.1 corner square, 4 quads up y: 18 triangles in one
    // chart whose rectangles sum to 1.62 of a 4.1 × 4.1 box.
    TestMesh mesh;
    addLStrip(mesh, 4, 4.0f, 0.1f);
    LogCapture log;
    Mapped strip(mesh, 256);
    ASSERT_TRUE(strip.mapped);
    EXPECT_TRUE(log.contains("clusterArea:16.81 triArea:1.62"));
    // The growth order worked out by hand: each member takes the later triangles across its
    // edges in index order.
    const std::vector<std::uint32_t> grown = {0,  1, 3,  8, 2,  9,  5,  10, 4,
                                              11, 7, 12, 6, 13, 14, 15, 16, 17};
    EXPECT_EQ(strip.mapper.members(), grown);
    ASSERT_EQ(strip.mapper.clusters().size(), 18u);
    for (std::size_t c = 0; c < 18; ++c) {
        const UVCluster& cluster = strip.mapper.clusters()[c];
        ASSERT_EQ(cluster.memberCount, 1u);
        EXPECT_EQ(strip.mapper.members()[cluster.memberBegin], grown[c]) << c;
        EXPECT_EQ(strip.mapper.triangles()[grown[c]].cluster, static_cast<std::int32_t>(c));
    }
}

TEST(UVMapperPlacement, AMillimetreClusterGetsTwoByTwoLumelsBesideALargeOne) {
    TestMesh mesh;
    mesh.addQuad({0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0});
    mesh.add({20, 20, 0}, {20.001f, 20, 0}, {20, 20.001f, 0});
    Mapped mapped(mesh, 256);
    ASSERT_TRUE(mapped.mapped);
    const auto& clusters = mapped.mapper.clusters();
    ASSERT_EQ(clusters.size(), 2u);
    // 256 / sqrt(100) = 25.6 lumels per meter makes the quad 257 wide (too wide); at
    // 25.6 × 0.95 = 24.32 it is 244, in a block of 248 at the grid's corner.
    EXPECT_EQ(mapped.mapper.getAttemptCount(), 2u);
    EXPECT_FLOAT_EQ(mapped.mapper.getLumelsPerMeter(), 24.32f);
    EXPECT_EQ(std::make_tuple(clusters[0].x, clusters[0].y, clusters[0].w, clusters[0].h),
              std::make_tuple(2, 2, 244, 244));
    // The tiny one: 2 × 2; the first free 6 × 6 block in row order starts right of the quad's
    // marks (columns 2 to 245) in row 0.
    EXPECT_EQ(std::make_tuple(clusters[1].x, clusters[1].y, clusters[1].w, clusters[1].h),
              std::make_tuple(248, 2, 2, 2));
    const auto uv = mapped.mapper.getLightmapUV(2, 1);
    EXPECT_FLOAT_EQ(uv[0], 249.0f / 256.0f);
    EXPECT_FLOAT_EQ(uv[1], 2.0f / 256.0f);
    EXPECT_EQ(std::make_tuple(mapped.mapper.getFirstVertexIndex(2), mapped.mapper.getGroupId(2)),
              std::make_tuple(6u, 2u));
}

TestMesh unitRightTriangle() {
    TestMesh mesh;
    mesh.add({{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 0, 1}, {0, 0.6f, 0.8f}, {0.6f, 0, 0.8f}}});
    return mesh;
}

TEST(UVMapperSizeLoop, AFourByFourLightmapDoublesAndTheDensityFallsByFivePercentEachTime) {
    LogCapture log;
    Mapped mapped(unitRightTriangle(), 4);
    ASSERT_TRUE(mapped.mapped);
    // At 4 × 4 no block of 6 fits: the density 4 falls by 0.95 for 28 attempts until it is
    // below 1; at 8 × 8 it falls from 8 until the triangle is 3 lumels (8 × 0.95^20 = 2.87),
    // the 21st attempt.
    EXPECT_EQ(std::make_tuple(mapped.mapper.getWidth(), mapped.mapper.getHeight(),
                              mapped.mapper.getDoublingCount(), mapped.mapper.getAttemptCount()),
              std::make_tuple(8u, 8u, 1u, 28u + 21u));
    EXPECT_NEAR(mapped.mapper.getLumelsPerMeter(), 8.0 * std::pow(0.95, 20), 1e-4);
    EXPECT_TRUE(log.contains("Failed to map using 4 lumels per meter, trying 3.8"));
    EXPECT_TRUE(log.contains("Failed to map using 8 lumels per meter, trying 7.6"));
    const UVCluster& cluster = mapped.mapper.clusters()[0];
    EXPECT_EQ(std::make_tuple(cluster.x, cluster.y, cluster.w, cluster.h),
              std::make_tuple(2, 2, 3, 3));
}

TEST(UVMapperSizeLoop, EndsOnEveryInput) {
    {
        // A size of 0 (1 at LOD 1) starts at 1 and doubles: 1, 2, 4, 8.
        UVMapper mapper;
        mapper.setSize(0, 0);
        TempDir folder;
        mapper.setDebugImageFolder(folder.path());
        unitRightTriangle().feed(mapper);
        ASSERT_TRUE(mapper.map());
        EXPECT_EQ(mapper.getWidth(), 8u);
        EXPECT_EQ(mapper.getDoublingCount(), 3u);
    }
    {
        // No area at all: every cluster takes its 2 × 2 lumels at once.
        TestMesh mesh;
        for (int i = 0; i < 3; ++i) {
            const Vector3 p{static_cast<float>(i), 0, 0};
            mesh.add({{p, p, p}, {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}}});
        }
        Mapped mapped(mesh, 16);
        ASSERT_TRUE(mapped.mapped);
        EXPECT_EQ(mapped.mapper.getAttemptCount(), 1u);
        EXPECT_EQ(mapped.mapper.clusters().size(), 3u);
        EXPECT_EQ(mapped.mapper.getRealSampleCount(),
                  12u); // each lumel's rectangle holds its corner
    }
    {
        // A kilometre-long sliver fits no lightmap the mapper makes.
        TestMesh mesh;
        mesh.add({0, 0, 0}, {1000000, 0, 0}, {0, 0.5f, 0});
        LogCapture log;
        Mapped mapped(mesh, 64);
        EXPECT_FALSE(mapped.mapped);
        EXPECT_TRUE(log.contains("do not fit a lightmap of 8192x8192 lumels"));
        EXPECT_FALSE(mapped.mapper.writeSamples(mapped.folder.file("x.samples")));
        EXPECT_FALSE(std::ifstream(mapped.folder.file("x.samples")).good());
    }
    {
        TestMesh mesh;
        mesh.add({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
        mesh.add({0, 0, 0}, {std::nanf(""), 0, 0}, {0, 1, 0});
        LogCapture log;
        Mapped mapped(mesh, 64);
        EXPECT_FALSE(mapped.mapped);
        EXPECT_TRUE(log.contains("triangle 1 corner 1 has a position that is not a finite number"));
    }
}

TEST(UVMapperFaceNormal, ADegenerateTriangleTakesItsFirstCornerNormal) {
    UVMapper mapper;
    mapper.addTriangle({1, 1, 1}, {1, 1, 1}, {2, 2, 2}, {0, 1, 0}, {0, 0, 1}, {0, 0, 1}, 0, 0);
    mapper.addTriangle({0, 0, 0}, {0, 0, 2}, {0, 2, 0}, {0, 0, 1}, {0, 0, 1}, {0, 0, 1}, 0, 3);
    EXPECT_EQ(mapper.triangles()[0].faceNormal, (Vector3{0, 1, 0}));
    // (p - q) × (p - r) = (0, 0, -2) × (0, -2, 0) = (-4, 0, 0), normalised.
    EXPECT_EQ(mapper.triangles()[1].faceNormal, (Vector3{-1, 0, 0}));
}

// One cluster on the z plane over the unit square, 4 × 4 lumels of 0.25: lumel (i, j) stands
// for (0.25 i + 0.125, 0.25 j + 0.125) with the rectangle from there 0.25 up in both.
UVCluster unitSquareCluster() {
    UVCluster cluster;
    cluster.axis = 2;
    cluster.boundsMin = {0, 0, 0};
    cluster.boundsMax = {1, 1, 0};
    cluster.w = cluster.h = 4;
    return cluster;
}

UVTriangle projectedTriangle(const Vector3 (&p)[3], const Vector3 (&n)[3]) {
    UVTriangle triangle;
    triangle.axis = 2;
    for (unsigned c = 0; c < 3; ++c) {
        triangle.corners[c].position = p[c];
        triangle.corners[c].normal = n[c];
    }
    return triangle;
}

TEST(UVMapperSamples, EachLumelTakesTheFirstRuleThatApplies) {
    // The upper right half of the unit square (x + y >= 1), lifted along z at corner 1.
    const Vector3 n[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const std::vector<UVTriangle> triangles = {
        projectedTriangle({{1, 0, 0}, {1, 1, 1}, {0, 1, 0}}, n),
        // A small one whose corner 0 lies in lumel (1, 1)'s rectangle [0.375, 0.625]².
        projectedTriangle({{0.5f, 0.5f, 2}, {0.55f, 0.5f, 2}, {0.5f, 0.55f, 2}}, n),
    };
    const UVCluster cluster = unitSquareCluster();
    const std::uint32_t both[] = {0, 1};
    LumelSample sample;
    bool real = false;

    // (0.875, 0.875) inside: barycentric 0.125, 0.75, 0.125.
    ASSERT_TRUE(sampleLumel(cluster, 3, 3, triangles, both, 2, sample, real));
    EXPECT_TRUE(real);
    EXPECT_EQ(sample.triangle, 0);
    expectNear(sample.position, {0.875f, 0.875f, 0.75f});
    const float length = std::sqrt(0.125f * 0.125f * 2 + 0.75f * 0.75f);
    expectNear(sample.normal, Vector3{0.125f, 0.75f, 0.125f} * (1 / length));

    // (0.375, 0.375) lies outside both; the small triangle's corner 0 is in the rectangle.
    ASSERT_TRUE(sampleLumel(cluster, 1, 1, triangles, both, 2, sample, real));
    EXPECT_TRUE(real);
    EXPECT_EQ(sample.triangle, 1);
    EXPECT_EQ(sample.position, (Vector3{0.5f, 0.5f, 2}));
    EXPECT_EQ(sample.normal, (Vector3{1, 0, 0}));

    // Without the small one, the long edge from corner 2 to corner 0 crosses the bottom side
    // y = 0.375 at x = 0.625, 0.625 of the way along: the point and normal there.
    const std::uint32_t first[] = {0};
    ASSERT_TRUE(sampleLumel(cluster, 1, 1, triangles, first, 1, sample, real));
    EXPECT_FALSE(real);
    EXPECT_EQ(sample.triangle, 0);
    expectNear(sample.position, {0.625f, 0.375f, 0});
    const float edgeLength = std::sqrt(0.625f * 0.625f + 0.375f * 0.375f);
    expectNear(sample.normal, Vector3{0.625f, 0, 0.375f} * (1 / edgeLength));

    // (0.125, 0.125) with the rectangle up to 0.375: touches nothing.
    sample = LumelSample{};
    EXPECT_FALSE(sampleLumel(cluster, 0, 0, triangles, both, 2, sample, real));
    EXPECT_EQ(sample.triangle, -1);
}

TEST(UVMapperFiles, SampleFileFieldByFieldAndBothPictures) {
    Mapped mapped(unitRightTriangle(), 4); // ends at 8 × 8, the triangle in 3 × 3 at (2, 2)
    ASSERT_TRUE(mapped.mapped);
    const std::string path = mapped.folder.file("rock.samples");
    ASSERT_TRUE(mapped.mapper.writeSamples(path));
    const std::string file = readWholeFile(path);
    ASSERT_EQ(file.size(), 12u + 64 * 28 + 4 + 72);
    EXPECT_EQ(std::make_tuple(file.substr(0, 4), readU32(file, 4), readU32(file, 8)),
              std::make_tuple("SMP2", 8u, 8u));
    // Lumel (0, 0) of the grid is off the cluster: six zero floats, then no triangle.
    EXPECT_EQ(file.substr(12, 28), std::string(24, '\0') + std::string(4, '\xFF'));
    // Grid lumel (2, 2) is the cluster's (0, 0): the point (1/6, 1/6) with barycentric 2/3,
    // 1/6, 1/6, so the normal is (0.1, 0.1, 0.9333) normalised.
    const std::size_t at = 12 + (2 * 8 + 2) * 28;
    EXPECT_NEAR(readFloat(file, at), 1.0f / 6, 1e-6f);
    EXPECT_NEAR(readFloat(file, at + 4), 1.0f / 6, 1e-6f);
    EXPECT_EQ(readFloat(file, at + 8), 0.0f);
    const double length = std::sqrt(0.01 + 0.01 + (2.0 / 3 + 0.8 / 3) * (2.0 / 3 + 0.8 / 3));
    EXPECT_NEAR(readFloat(file, at + 12), 0.1 / length, 1e-5);
    EXPECT_NEAR(readFloat(file, at + 20), (2.0 / 3 + 0.8 / 3) / length, 1e-5);
    EXPECT_EQ(readU32(file, at + 24), 0u);
    // The triangles as added: positions and normals per corner.
    const std::size_t triangles = 12 + 64 * 28;
    EXPECT_EQ(readU32(file, triangles), 1u);
    const float expected[18] = {0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0.6f, 0.8f, 0, 1, 0, 0.6f, 0, 0.8f};
    for (std::size_t f = 0; f < 18; ++f)
        EXPECT_EQ(readFloat(file, triangles + 4 + 4 * f), expected[f]) << f;

    const unsigned char header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 8, 0, 32, 0x28};
    const std::string uvs = readWholeFile(mapped.folder.file("uvs.tga"));
    const std::string samples = readWholeFile(mapped.folder.file("samples.tga"));
    ASSERT_EQ(std::make_tuple(uvs.size(), samples.size()), std::make_tuple(18u + 256, 18u + 256));
    EXPECT_EQ(uvs.substr(0, 18), std::string(reinterpret_cast<const char*>(header), 18));
    EXPECT_EQ(samples.substr(0, 18), uvs.substr(0, 18));
    // The edges run between the corners (2, 2), (4, 2) and (2, 4): the corners, drawn by two
    // edges each, are white, the cells between them red, the rest black.
    for (std::uint32_t y = 0; y < 8; ++y) {
        for (std::uint32_t x = 0; x < 8; ++x) {
            std::uint32_t colour = 0;
            if ((x == 2 && y == 2) || (x == 4 && y == 2) || (x == 2 && y == 4))
                colour = 0xFFFFFF;
            else if ((x == 3 && y == 2) || (x == 3 && y == 3) || (x == 2 && y == 3))
                colour = 0xFF0000;
            EXPECT_EQ(readU32(uvs, 18 + 4 * (y * 8 + x)), colour) << x << ", " << y;
        }
    }
    // Triangle -1 has all three low bits: 39 in each channel; triangle 0 has none: 40 in each.
    EXPECT_EQ(readU32(samples, 18), 0x272727u);
    EXPECT_EQ(readU32(samples, 18 + 4 * (2 * 8 + 2)), 0x282828u);
}

TEST(UVMapperFiles, SamplesPictureColoursByTheTriangleNumbersLowBits) {
    // Triangles 1 to 7 on their own, far apart: samples.tga shows (t + 40) in the channels of
    // the set bits of t, red for bit 0.
    TestMesh mesh;
    for (int t = 0; t < 8; ++t) {
        const float x = static_cast<float>(t) * 3.0f;
        mesh.add({x, 0, 0}, {x + 1, 0, 0}, {x, 1, 0});
    }
    Mapped mapped(mesh, 64);
    ASSERT_TRUE(mapped.mapped);
    const auto& samples = mapped.mapper.samples();
    const std::string image = readWholeFile(mapped.folder.file("samples.tga"));
    ASSERT_EQ(image.size(), 18 + 4 * samples.size());
    std::uint32_t seen = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const std::int32_t t = samples[i].triangle;
        if (t < 1)
            continue;
        const std::uint32_t level = static_cast<std::uint32_t>(t) + 40;
        const std::uint32_t expected =
            ((t & 1) ? level << 16 : 0) | ((t & 2) ? level << 8 : 0) | ((t & 4) ? level : 0);
        ASSERT_EQ(readU32(image, 18 + 4 * i), expected) << "triangle " << t;
        seen |= 1u << t;
    }
    EXPECT_EQ(seen, 0xFEu); // every triangle 1 to 7 has lumels
    EXPECT_FALSE(UVMapper().writeSamples(mapped.folder.file("unmapped.samples")));
}

} // namespace
} // namespace vx::test
