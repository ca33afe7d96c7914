// The fast searches against the plain scans they replace, on generated meshes: every weld,
// cluster, placement, grid mark, texture coordinate and sample the same, and the written files
// the same byte for byte.
#include "UVMapper/PositionWeldGrid.h"
#include "UVMapper/TriangleRaster.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/UVMapper/LiteralUVMapper.h"
#include "tests/UVMapper/TestMeshes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <set>
#include <sstream>

namespace vx::test {
namespace {

struct MapOutcome {
    std::string samples;
    std::string uvsTga;
    std::string samplesTga;
    std::string printed;
};

MapOutcome mapInto(UVMapper& mapper, const TestMesh& mesh, std::uint32_t size) {
    TempDir folder;
    mapper.setSize(size, size);
    mapper.setDebugImageFolder(folder.path());
    mesh.feed(mapper);
    std::ostringstream printed;
    std::streambuf* console = std::cout.rdbuf(printed.rdbuf());
    EXPECT_TRUE(mapper.map());
    std::cout.rdbuf(console);
    EXPECT_TRUE(mapper.writeSamples(folder.file("mesh.samples")));
    return {readWholeFile(folder.file("mesh.samples")), readWholeFile(folder.file("uvs.tga")),
            readWholeFile(folder.file("samples.tga")), printed.str()};
}

template <typename T>
bool sameBytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

void expectSameMapping(const TestMesh& mesh, std::uint32_t size) {
    UVMapper fast;
    LiteralUVMapper literal;
    const MapOutcome fastFiles = mapInto(fast, mesh, size);
    const MapOutcome literalFiles = mapInto(literal, mesh, size);

    ASSERT_EQ(fast.weldedPositions().size(), literal.weldedPositions().size());
    for (std::size_t i = 0; i < fast.weldedPositions().size(); ++i)
        ASSERT_TRUE(sameBytes(fast.weldedPositions()[i], literal.weldedPositions()[i])) << i;
    ASSERT_EQ(fast.members(), literal.members());
    ASSERT_EQ(fast.clusters().size(), literal.clusters().size());
    for (std::size_t c = 0; c < fast.clusters().size(); ++c) {
        const UVCluster& a = fast.clusters()[c];
        const UVCluster& b = literal.clusters()[c];
        ASSERT_EQ(std::tie(a.memberBegin, a.memberCount, a.axis, a.x, a.y, a.w, a.h),
                  std::tie(b.memberBegin, b.memberCount, b.axis, b.x, b.y, b.w, b.h))
            << c;
        ASSERT_TRUE(sameBytes(a.boundsMin, b.boundsMin) && sameBytes(a.boundsMax, b.boundsMax));
    }
    for (std::size_t t = 0; t < fast.triangles().size(); ++t) {
        const UVTriangle& a = fast.triangles()[t];
        const UVTriangle& b = literal.triangles()[t];
        ASSERT_EQ(a.cluster, b.cluster) << t;
        for (unsigned c = 0; c < 3; ++c) {
            ASSERT_EQ(a.positionIndex[c], b.positionIndex[c]) << t;
            ASSERT_TRUE(sameBytes(a.corners[c], b.corners[c])) << "triangle " << t;
        }
    }
    EXPECT_EQ(fast.getWidth(), literal.getWidth());
    EXPECT_EQ(fast.getAttemptCount(), literal.getAttemptCount());
    // Attempts run side by side report as one after the other: every size, failure and density.
    EXPECT_EQ(fastFiles.printed, literalFiles.printed);
    ASSERT_EQ(fast.grid(), literal.grid());
    // The printed usage: the share of the lightmap's cells that the final placement marked.
    const auto marked = std::count_if(fast.grid().begin(), fast.grid().end(),
                                      [](std::int32_t cell) { return cell != -1; });
    char usage[64];
    std::snprintf(usage, sizeof usage, "---Usage Ratio %.3f\n",
                  static_cast<double>(marked) / static_cast<double>(fast.grid().size()));
    EXPECT_NE(fastFiles.printed.find(usage), std::string::npos) << usage;
    ASSERT_EQ(fast.getRealSampleCount(), literal.getRealSampleCount());
    // The lightmap's rows put together from the clusters' samples, against every cluster
    // writing its own into the lightmap in turn (later ones over earlier ones).
    const std::vector<LumelSample> assembled = fast.samples();
    ASSERT_EQ(assembled.size(), literal.lightmapSamples().size());
    ASSERT_EQ(std::memcmp(assembled.data(), literal.lightmapSamples().data(),
                          assembled.size() * sizeof(LumelSample)),
              0);
    EXPECT_EQ(std::tie(fastFiles.samples, fastFiles.uvsTga, fastFiles.samplesTga),
              std::tie(literalFiles.samples, literalFiles.uvsTga, literalFiles.samplesTga));
    // Not a pair of empty results: the mesh really was mapped and sampled.
    EXPECT_GT(fast.getRealSampleCount(), 0u);
    EXPECT_EQ(fastFiles.samples.size(),
              16 + std::size_t{fast.getWidth()} * fast.getHeight() * 28 + mesh.size() * 72);
}

struct Case {
    const char* name;
    std::function<void(TestMesh&)> add;
    std::uint32_t size;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class FastAndLiteralSearches : public ::testing::TestWithParam<Case> {};

TEST_P(FastAndLiteralSearches, GiveTheSameMappingByteForByte) {
    TestMesh mesh;
    GetParam().add(mesh);
    expectSameMapping(mesh, GetParam().size);
}

const Case kCases[] = {
    {"wavyGrid", [](TestMesh& mesh) { addQuadGrid(mesh, 12, 0.5f, 0.4f); }, 64},
    {"flatGridOneChart", [](TestMesh& mesh) { addQuadGrid(mesh, 10, 0.3f, 0.0f); }, 32},
    {"boxes",
     [](TestMesh& mesh) {
         addBox(mesh, {0, 0, 0}, {1, 2, 3}, 2);
         addBox(mesh, {0.5f, 0.5f, 0.5f}, {0.7f, 0.9f, 0.6f}, 1);
         addBox(mesh, {-3, 1, 0}, {-1, 1.5f, 0.25f}, 3);
     },
     64},
    {"soup", [](TestMesh& mesh) { mesh = makeSoup(400, 7); }, 128},
    {"lStrip",
     [](TestMesh& mesh) {
         addLStrip(mesh, 6, 3.0f, 0.2f);
         addLStrip(mesh, 2, 0.5f, 0.4f); // a chunkier one that stays whole
     },
     64},
    {"sphere",
     [](TestMesh& mesh) {
         addSphere(mesh, {1, 2, 3}, 1.5f, 9, 14);
     },
     64},
    {"tinyLightmapThatDoubles",
     [](TestMesh& mesh) {
         addBox(mesh, {0, 0, 0}, {1, 1, 1}, 1);
     },
     4},
    {"buildingOfThousandsOfTriangles", [](TestMesh& mesh) { mesh = makeBuilding(4000, 3); }, 256},
};

INSTANTIATE_TEST_SUITE_P(Meshes, FastAndLiteralSearches, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

// Points jittered around a lattice finer than the weld grid's cells, near the origin and far
// out where the cell numbers are clamped, and repeats of earlier ones bit for bit: each gets
// the first earlier point within the weld distance, as a scan over all of them finds it.
TEST(PositionWeldGridWelds, TheFirstEarlierPositionWithinTheDistance) {
    TestRandom random(9);
    PositionWeldGrid grid;
    std::vector<Vector3> scanned;
    std::vector<Vector3> queried;
    std::size_t welded = 0;
    for (int n = 0; n < 6000; ++n) {
        const float origin = n % 4 == 0 ? 30000.0f : 0.0f;
        Vector3 p;
        for (unsigned c = 0; c < 3; ++c)
            p[c] = origin + 0.03f * static_cast<float>(random.next() % 8) +
                   random.uniform(-0.012f, 0.012f);
        if (n % 5 == 4)
            p = queried[random.next() % queried.size()];
        queried.push_back(p);
        std::size_t first = 0;
        while (first < scanned.size() && !PositionWeldGrid::withinWeldDistance(scanned[first], p))
            ++first;
        if (first == scanned.size())
            scanned.push_back(p);
        else
            ++welded;
        ASSERT_EQ(grid.weld(p), first) << n;
    }
    EXPECT_EQ(grid.positions().size(), scanned.size());
    EXPECT_GT(welded, 1000u);
    EXPECT_GT(scanned.size(), 1000u);

    // All at once, bit-identical repeats found side by side: the numbers one weld after the
    // other gives, on a fresh grid and on one that has welded a first part of the points.
    std::vector<std::uint32_t> expected;
    PositionWeldGrid oneByOne;
    for (const Vector3& p : queried)
        expected.push_back(oneByOne.weld(p));
    const auto at = [](const std::vector<Vector3>& points) {
        return [&points](std::size_t i) -> const Vector3& { return points[i]; };
    };
    EXPECT_EQ(PositionWeldGrid().weldAll(queried.size(), at(queried)), expected);
    PositionWeldGrid continued;
    std::vector<std::uint32_t> numbers;
    for (std::size_t i = 0; i < 1000; ++i)
        numbers.push_back(continued.weld(queried[i]));
    const std::vector<Vector3> rest(queried.begin() + 1000, queried.end());
    for (const std::uint32_t number : continued.weldAll(rest.size(), at(rest)))
        numbers.push_back(number);
    EXPECT_EQ(numbers, expected);
    EXPECT_EQ(continued.positions().size(), scanned.size());
}

// The cells of every v step against the spans that stand for whole rows of steps, on random
// triangles: ordinary ones, flat ones whose edges cross hundreds of columns per step (stepped
// one by one), ones with a horizontal edge and ones with corners on cell borders.
TEST(TriangleRasterSpans, CoverExactlyTheCellsOfEveryStep) {
    TestRandom random(5);
    const std::uint32_t width = 1024;
    const std::uint32_t height = 512;
    std::vector<std::uint8_t> stepped(std::size_t{width} * height);
    std::vector<std::uint8_t> spanned(stepped.size());
    auto mark = [&](std::vector<std::uint8_t>& cells, std::int64_t row, std::int64_t x0,
                    std::int64_t x1) {
        ASSERT_TRUE(row >= 0 && row < height && x0 >= 0 && x1 < width);
        for (std::int64_t x = x0; x <= x1; ++x)
            cells[std::size_t(row) * width + std::size_t(x)] = 1;
    };
    for (int n = 0; n < 200; ++n) {
        float u[3];
        float v[3];
        for (int c = 0; c < 3; ++c) {
            u[c] = random.uniform(0.3f, 0.5f);
            v[c] = random.uniform(0.3f, 0.32f);
        }
        if (n % 3 == 0) // flat: under a row tall
            for (int c = 1; c < 3; ++c)
                v[c] = v[0] + random.uniform(0.0f, 0.0015f);
        if (n % 5 == 0)
            v[1] = v[0];
        if (n % 7 == 0) // halfway between cells, where a crossing's rounding decides
            for (int c = 0; c < 3; ++c) {
                u[c] = (std::floor(u[c] * float(width)) + 0.5f) / float(width);
                v[c] = (std::floor(v[c] * float(height)) + 0.5f) / float(height);
            }
        const TriangleRaster raster(u, v, width, height);
        std::fill(stepped.begin(), stepped.end(), 0);
        std::fill(spanned.begin(), spanned.end(), 0);
        for (std::uint64_t k = 0; k <= raster.lastStep(); ++k) {
            std::int64_t row = 0, x0 = 0, x1 = 0;
            raster.stepSpan(k, row, x0, x1);
            mark(stepped, row, x0, x1);
        }
        raster.forEachSpan([&](std::int64_t row, std::int64_t x0, std::int64_t x1) {
            mark(spanned, row, x0, x1);
        });
        ASSERT_EQ(spanned, stepped) << "triangle " << n;
        ASSERT_NE(std::count(stepped.begin(), stepped.end(), 1), 0);
    }
}

// The same on lumel-sized triangles as the mapper marks them, on maps of several heights, with
// corners on row borders (where a row's end falls on a whole step) and far outside the map
// (where the rows are found step by step).
TEST(TriangleRasterSpans, LumelSizedTrianglesAnywhereCoverTheCellsOfEveryStep) {
    TestRandom random(11);
    using Cells = std::set<std::pair<std::int64_t, std::int64_t>>;
    for (const std::uint32_t size : {256u, 2048u, 8192u}) {
        const auto extent = static_cast<float>(size);
        for (int n = 0; n < 1500; ++n) {
            const float offset = n % 10 == 9 ? 300.0f : 0.0f;
            const float u0 = random.uniform(0.0f, 1.0f);
            const float v0 = random.uniform(0.0f, 1.0f) + offset;
            float u[3];
            float v[3];
            for (int c = 0; c < 3; ++c) {
                u[c] = u0 + random.uniform(0.0f, 4.0f) / extent;
                v[c] = v0 + random.uniform(0.0f, 4.0f) / extent;
            }
            if (n % 4 == 0) // a corner on a row border
                v[n % 3] = (std::floor(v[n % 3] * extent) + 0.5f) / extent;
            const TriangleRaster raster(u, v, size, size);
            Cells stepped;
            for (std::uint64_t k = 0; k <= raster.lastStep(); ++k) {
                std::int64_t row = 0, x0 = 0, x1 = 0;
                raster.stepSpan(k, row, x0, x1);
                for (std::int64_t x = x0; x <= x1; ++x)
                    stepped.emplace(row, x);
            }
            Cells spanned;
            raster.forEachSpan([&](std::int64_t row, std::int64_t x0, std::int64_t x1) {
                for (std::int64_t x = x0; x <= x1; ++x)
                    spanned.emplace(row, x);
            });
            ASSERT_EQ(spanned, stepped) << "map " << size << ", triangle " << n;
        }
    }
}

} // namespace
} // namespace vx::test
