// Static mesh exports of scenes built in the scene model, read back with the strict mesh file
// reader of `vornex info` and checked field by field.
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportedFileSet.h"
#include "MeshExporter/MeshExporter.h"
#include "Shared/Base/Assert.h"
#include "Shared/Base/TextCase.h"
#include "Shared/Base/math/Matrix.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "tests/MeshExporter/ExportRun.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tools/info/MeshFileReader.h"
#include "tools/info/MeshVertexDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <optional>
#include <tuple>

namespace vx {
namespace {

using meshfile::decodeVertex;
using meshfile::MeshFile;
using meshfile::MeshKind;
using test::buildMesh;
using test::cgfxMaterial;
using test::ExportSceneBuilder;
using test::MeshDraft;
using test::translation;

using test::readWholeFile;

// A quad (two triangles) in the x-z plane at height y, one material, one UV set.
MeshDraft quad(float size, float y, const std::shared_ptr<Material>& material) {
    MeshDraft draft;
    draft.positions = {{0, y, 0}, {size, y, 0}, {size, y, size}, {0, y, size}};
    draft.normals.assign(4, Vector3(0, 1, 0));
    draft.uvSets = {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
    draft.polygons = {{0, 1, 2, 3}};
    draft.groupOfPolygon = {0};
    draft.groups = {material};
    return draft;
}

struct Export : test::ExportRun {
    explicit Export(ExportSceneBuilder& b, const std::string& name = "prop.staticMesh")
        : ExportRun(b, name) {}
};

// An unlit geom0 whose lod0 holds the one part "part" made of `draft`.
void unlitPart(ExportSceneBuilder& b, const MeshDraft& draft,
               const Matrix& local = Matrix::identity()) {
    b.transform("geom0", "root_staticMesh");
    b.transform("geom0_NoLightmap", "geom0");
    b.transform("lod0", "geom0");
    b.transform("part", "lod0", local);
    b.mesh("partShape", "part", buildMesh("partShape", draft));
}

TEST(StaticMeshExport, TwoGeometriesAndTwoLodsMergeIntoOneFileWithTheirBlocks) {
    const auto bark = cgfxMaterial("bark", "StaticMesh.fx", "Base", {"trees/bark.dds", ""});
    const auto leaves = cgfxMaterial("AlphaLeaves", "StaticMesh.fx", "Leaf",
                                     {"trees/leaves.dds", "Common/specularlut_pow36.dds"});
    ExportSceneBuilder b;
    b.transform("geom0", "root_staticMesh");
    b.transform("geom0_NoLightmap", "geom0");
    b.transform("lod0", "geom0");
    b.transform("trunk", "lod0", translation(10, 0, 0));
    MeshDraft trunk = quad(1, 0, bark);
    // A second quad above it in the alpha material.
    trunk.positions.insert(trunk.positions.end(), {{0, 2, 0}, {1, 2, 0}, {1, 2, 1}, {0, 2, 1}});
    trunk.normals.assign(8, Vector3(0, 1, 0));
    trunk.uvSets[0].insert(trunk.uvSets[0].end(), {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    trunk.polygons.push_back({4, 5, 6, 7});
    trunk.groupOfPolygon.push_back(1);
    trunk.groups.push_back(leaves);
    b.mesh("trunkShape", "trunk", buildMesh("trunkShape", trunk));
    b.transform("lod1", "geom0");
    b.transform("trunkLow", "lod1");
    b.mesh("trunkLowShape", "trunkLow", buildMesh("trunkLowShape", quad(2, 0, bark)));
    b.transform("geom1", "root_staticMesh");
    b.transform("geom1_NoLightmap", "geom1");
    b.transform("lod0", "geom1");
    b.transform("stump", "lod0");
    b.mesh("stumpShape", "stump", buildMesh("stumpShape", quad(3, -1, bark)));

    Export e(b);
    ASSERT_TRUE(e.ok) << testing::PrintToString(exportErrorList().entries());
    const MeshFile& f = e.file;
    EXPECT_EQ(f.header, (std::array<std::uint32_t, 5>{0, 11, 0, 0, 0}));
    EXPECT_EQ(f.headerByte, 0);
    EXPECT_EQ(f.lodCounts, (std::vector<std::uint32_t>{2, 1}));
    // The declaration is checked in the layout table.
    EXPECT_EQ(f.primitiveType, 4u);
    EXPECT_EQ(f.stride, 48u);
    EXPECT_TRUE(f.hasSortCopies);
    EXPECT_EQ(f.sortCopies, 8u);

    // Draw ranges (base vertex, start index, index count, vertex count): bark then the alpha
    // leaves (one copy's worth of indices, then eight copies of its two triangles) in LOD 0, then
    // LOD 1, then geometry 1; base vertices and start indices run on across them.
    ASSERT_EQ(f.materials.size(), 2u);
    const auto& lod0 = f.materials[0][0];
    ASSERT_EQ(lod0.size(), 2u);
    EXPECT_EQ(lod0[0].technique, "Base");
    EXPECT_EQ(lod0[0].textures, (std::vector<std::string>{"trees/bark.dds", "default.dds"}));
    EXPECT_EQ(lod0[1].technique, "AlphaLeaves") << "alpha-blended: the material's name";
    EXPECT_EQ(
        lod0[1].textures,
        (std::vector<std::string>{"trees/leaves.dds", "Common\\Textures\\SpecularLUT_pow36.dds"}));
    const std::vector<meshfile::MaterialRecord> ranges = {lod0[0], lod0[1], f.materials[0][1][0],
                                                          f.materials[1][0][0]};
    const std::vector<std::array<std::int64_t, 4>> expected = {
        {0, 0, 6, 4}, {4, 6, 6, 4}, {8, 6 + 8 * 6, 6, 4}, {12, 6 + 48 + 6, 6, 4}};
    for (std::size_t r = 0; r < ranges.size(); ++r) {
        const meshfile::MaterialRecord& m = ranges[r];
        EXPECT_EQ((std::array<std::int64_t, 4>{m.baseVertexIndex, m.startIndex, m.indexCount,
                                               m.vertexCount}),
                  expected[r])
            << "range " << r;
        for (std::uint32_t i = m.startIndex; i < m.startIndex + m.indexCount; ++i)
            EXPECT_LT(f.indices[i], m.vertexCount);
    }
    EXPECT_EQ(f.vertexCount, 16u);
    EXPECT_EQ(f.indices.size(), 6u + 48u + 6u + 6u);
    EXPECT_EQ(f.indicesOutOfRange, 0u);

    // Bounds: the trunk moved 10 along x; the material boxes and the LOD boxes agree.
    const auto& block = f.lods[0][0];
    EXPECT_EQ(block.boundsMin, Vector3(10, 0, 0));
    EXPECT_EQ(block.boundsMax, Vector3(11, 2, 1));
    ASSERT_EQ(block.partTransforms.size(), 1u);
    EXPECT_EQ(block.partTransforms[0][12], 10.0f);
    EXPECT_EQ(block.partTransforms[0][15], 1.0f);
    EXPECT_TRUE(lod0[1].hasBounds);
    EXPECT_EQ(lod0[1].boundsMin, Vector3(10, 2, 0));
    EXPECT_EQ(lod0[1].boundsMax, Vector3(11, 2, 1));
    EXPECT_EQ(f.lods[1][0].boundsMin, Vector3(0, -1, 0));
    EXPECT_EQ(f.lods[1][0].boundsMax, Vector3(3, -1, 3));

    // The file list: the mesh file and the textures, sorted; no specular table.
    EXPECT_EQ(readWholeFile(e.dir.file("prop.nfo")),
              toLowerAscii(e.mesh) + "\r\nprop.con\r\ntrees/bark.dds\r\ntrees/leaves.dds\r\n");
    EXPECT_EQ(readWholeFile(e.mesh), [&] {
        Export again(b);
        return readWholeFile(again.mesh);
    }()) << "the same scene gives the same bytes";
}

// A quad whose corners all carry set k = (k + 0.25, 0.5), for k below `sets`.
MeshDraft setQuad(std::size_t sets, const std::shared_ptr<Material>& material) {
    MeshDraft draft = quad(1, 0, material);
    draft.uvSets.clear();
    for (std::size_t k = 0; k < sets; ++k)
        draft.uvSets.push_back(
            std::vector<std::pair<float, float>>(4, {static_cast<float>(k) + 0.25f, 0.5f}));
    return draft;
}

TEST(MeshExportLayout, EveryLodPacksItsSetsByTheOneLayoutTheWidestNeeds) {
    // Per slot of the file, what every vertex of a LOD holds there; kLightmap marks generated
    // coordinates (inside the unit square), kNoSecondSet the bundled marker (65535, 0).
    constexpr float kLightmap = -1.0f;
    const std::pair<float, float> lightmap{kLightmap, kLightmap};
    const std::pair<float, float> none{0.0f, 0.0f};
    const std::pair<float, float> noSecondSet{65535.0f, 0.0f};
    const auto set = [](float k) { return std::pair<float, float>{k + 0.25f, 0.5f}; };
    struct Case {
        const char* what;
        // Per geometry, per LOD, the UV sets of its one quad; an "AnimatedUV" quad is coloured
        // for matrix 3, translation only.
        std::vector<std::vector<std::size_t>> sets;
        std::vector<bool> lit;                                   // per geometry
        std::vector<bool> animated;                              // per LOD in file order
        std::vector<std::vector<std::pair<float, float>>> slots; // per LOD in file order
        std::string root = "root_staticMesh";
    };
    const std::vector<Case> cases = {
        {"one set", {{1}}, {false}, {false}, {{set(0)}}},
        {"two sets: set 0 first", {{2}}, {false}, {false}, {{set(0), set(1)}}},
        {"three sets: set 1 first", {{3}}, {false}, {false}, {{set(1), set(0), set(2)}}},
        {"a lit geometry after an unlit one",
         {{1}, {1}},
         {false, true},
         {false, false},
         {{set(0), none}, {set(0), lightmap}}},
        {"LODs of one and three sets",
         {{1, 3}},
         {false},
         {false, false},
         {{none, set(0), none}, {set(1), set(0), set(2)}}},
        {"an animated second LOD",
         {{1, 2}},
         {false},
         {false, true},
         {{set(0), noSecondSet}, {set(0), set(1)}},
         "root_bundledMesh"},
    };
    for (const Case& c : cases) {
        ExportSceneBuilder b(c.root);
        const bool bundled = c.root == "root_bundledMesh";
        std::size_t lodInFile = 0;
        for (std::size_t g = 0; g < c.sets.size(); ++g) {
            const std::string geom = "geom" + std::to_string(g);
            b.transform(geom, c.root);
            if (!c.lit[g])
                b.transform(geom + "_NoLightmap", geom);
            for (std::size_t l = 0; l < c.sets[g].size(); ++l, ++lodInFile) {
                const std::string lod = "lod" + std::to_string(l);
                const std::string part = geom + lod + "part";
                b.transform(lod, geom);
                // Node names are looked up by exact name: the LOD under this geometry is the
                // last one added.
                b.transform(part, lod);
                const bool animated = c.animated[lodInFile];
                MeshDraft draft =
                    setQuad(c.sets[g][l], cgfxMaterial(animated ? "tracks_AnimatedUV" : "stone",
                                                       "StaticMesh.fx", "Base", {"stone.dds"}));
                if (animated)
                    draft.colors.assign(4, Color{0.7f, 0, 0, 1});
                b.mesh(part + "Shape", part, buildMesh(part + "Shape", draft));
            }
        }
        Export e(b, bundled ? "prop.bundledMesh" : "prop.staticMesh");
        ASSERT_TRUE(e.ok) << c.what << testing::PrintToString(exportErrorList().entries());
        SCOPED_TRACE(c.what);
        const MeshFile& f = e.file;
        // Position, normal, the index bytes, a texture set per slot, the tangent; then the
        // end element.
        const std::size_t slots = c.slots.front().size();
        EXPECT_EQ(f.stride, 40u + 8u * slots) << c.what;
        std::vector<test::Element> declaration = {
            {0, meshfile::kTypeFloat3, meshfile::kUsagePosition, 0},
            {12, meshfile::kTypeFloat3, meshfile::kUsageNormal, 0},
            {24, meshfile::kTypeColor, meshfile::kUsageBlendIndices, 0}};
        for (int k = 0; k < static_cast<int>(slots); ++k)
            declaration.push_back({28 + 8 * k, meshfile::kTypeFloat2, meshfile::kUsageTexcoord, k});
        declaration.push_back(
            {28 + 8 * static_cast<int>(slots), meshfile::kTypeFloat3, meshfile::kUsageTangent, 0});
        ASSERT_EQ(test::declared(f), declaration);
        std::size_t lod = 0;
        for (const auto& geometry : f.materials) {
            for (const auto& materials : geometry) {
                const auto& expected = c.slots[lod++];
                for (const auto& m : materials) {
                    for (std::uint32_t v = 0; v < m.vertexCount; ++v) {
                        const auto decoded =
                            decodeVertex(f, static_cast<std::uint32_t>(m.baseVertexIndex) + v);
                        for (std::size_t k = 0; k < slots; ++k) {
                            const auto* uv = decoded.find(meshfile::kUsageTexcoord,
                                                          static_cast<std::uint8_t>(k));
                            ASSERT_NE(uv, nullptr) << c.what;
                            if (expected[k].first == kLightmap) {
                                EXPECT_GE(uv->values[0], 0.0f) << c.what;
                                EXPECT_LE(uv->values[0], 1.0f) << c.what;
                            } else {
                                EXPECT_EQ(uv->values[0], expected[k].first)
                                    << c.what << ", LOD " << lod - 1 << ", slot " << k;
                                EXPECT_EQ(uv->values[1], expected[k].second)
                                    << c.what << ", LOD " << lod - 1 << ", slot " << k;
                            }
                        }
                    }
                }
            }
        }
        EXPECT_EQ(lod, c.slots.size()) << c.what;
    }
}

// Duplicate triangles go before a group is placed: a group left without triangles is left out
// wherever it arrived, a repeated polygon counts once, and alpha-blended groups still come last.
TEST(StaticMeshExport, GroupsLeftWithoutTrianglesAreLeftOutAndRepeatsCountOnce) {
    const auto specks = cgfxMaterial("specks", "StaticMesh.fx", "Base", {"specks.dds"});
    const auto glass = cgfxMaterial("AlphaGlass", "StaticMesh.fx", "Base", {"glass.dds"});
    const auto stone = cgfxMaterial("stone", "StaticMesh.fx", "Base", {"stone.dds"});
    MeshDraft draft;
    const auto square = [&](float y) {
        draft.positions.insert(draft.positions.end(), {{0, y, 0}, {1, y, 0}, {1, y, 1}, {0, y, 1}});
    };
    draft.positions.assign(4, Vector3(5, 0, 5)); // every corner at one point
    square(1);                                   // glass
    square(0);                                   // stone
    draft.normals.assign(12, Vector3(0, 1, 0));
    draft.uvSets = {{}};
    for (int q = 0; q < 3; ++q)
        draft.uvSets[0].insert(draft.uvSets[0].end(), {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    draft.polygons = {{0, 1, 2, 3}, {4, 5, 6, 7}, {8, 9, 10, 11}, {8, 9, 10, 11}};
    draft.groupOfPolygon = {0, 1, 2, 2};
    draft.groups = {specks, glass, stone};
    ExportSceneBuilder b;
    unlitPart(b, draft);
    Export e(b);
    ASSERT_TRUE(e.ok);
    const MeshFile& f = e.file;
    ASSERT_EQ(f.materials.size(), 1u);
    ASSERT_EQ(f.materials[0].size(), 1u);
    const auto& records = f.materials[0][0];
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].textures.front(), "stone.dds");
    EXPECT_EQ(records[1].textures.front(), "glass.dds");
    // (base vertex, start index, index count, vertex count); the glass carries its two
    // triangles once per sort copy, eight in all, and its record counts one copy.
    const std::vector<std::array<std::int64_t, 4>> expected = {{0, 0, 6, 4}, {4, 6, 6, 4}};
    for (std::size_t r = 0; r < records.size(); ++r)
        EXPECT_EQ((std::array<std::int64_t, 4>{records[r].baseVertexIndex, records[r].startIndex,
                                               records[r].indexCount, records[r].vertexCount}),
                  expected[r])
            << "record " << r;
    EXPECT_EQ(f.vertexCount, 8u);
    EXPECT_EQ(f.indices.size(), 6u + 8u * 6u);
}

TEST(StaticMeshExport, NormalsStaySquareToTheirSurfaceUnderScale) {
    // A ramp rising along z (the plane y = z, normal (0, 1, -1) / sqrt 2) under its part's
    // transform; each row gives the placed surface's own normal.
    const float h = 1.0f / std::sqrt(2.0f);
    const float q = 1.0f / std::sqrt(17.0f);
    const std::vector<std::tuple<const char*, Matrix, Vector3>> cases = {
        // y = 4z: normal (0, 1, -4) / sqrt 17.
        {"scale (1, 4, 1)", Matrix(Vector3(1, 0, 0), Vector3(0, 4, 0), Vector3(0, 0, 1)),
         Vector3(0, q, -4 * q)},
        {"uniform scale 2", Matrix(Vector3(2, 0, 0), Vector3(0, 2, 0), Vector3(0, 0, 2)),
         Vector3(0, h, -h)},
        // 90 degrees about x: y goes to z, z to -y.
        {"rotation about x", Matrix(Vector3(1, 0, 0), Vector3(0, 0, 1), Vector3(0, -1, 0)),
         Vector3(0, h, h)},
    };
    for (const auto& [what, transform, expected] : cases) {
        const auto m = cgfxMaterial("stone", "StaticMesh.fx", "Base", {"stone.dds"});
        MeshDraft draft = quad(1, 0, m);
        draft.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 1}, {0, 1, 1}};
        draft.normals.assign(4, Vector3(0, h, -h));
        ExportSceneBuilder b;
        unlitPart(b, draft, transform);
        Export e(b);
        ASSERT_TRUE(e.ok) << what;
        const MeshFile& f = e.file;
        ASSERT_GT(f.vertexCount, 0u) << what;
        for (std::uint32_t v = 0; v < f.vertexCount; ++v) {
            const auto decoded = decodeVertex(f, v);
            const auto* n = decoded.find(meshfile::kUsageNormal);
            ASSERT_NE(n, nullptr);
            const float cosine =
                n->values[0] * expected.x + n->values[1] * expected.y + n->values[2] * expected.z;
            EXPECT_GE(cosine, std::cos(0.1f * 3.14159265f / 180.0f)) << what << ", vertex " << v;
        }
    }
}

TEST(StaticMeshExport, ReportsPrintNumbersWithSixDecimalsOncePerVertexInCornerOrder) {
    // Triangles (0 1 2), one naming a vertex the mesh lacks, then (0 2 3): each vertex's far
    // second set is reported when a corner first meets it, and the left-out polygon where the
    // corners reach it. A second part of the same material follows with its own far sets and
    // left-out polygon, after the first part's.
    const auto m = cgfxMaterial("stone", "StaticMesh.fx", "Base", {"stone.dds"});
    MeshDraft draft = quad(1, 0, m);
    draft.uvSets.push_back({{9.5f, 0.5f}, {9.25f, 0.5f}, {0.5f, 8.75f}, {12.0f, 0.5f}});
    draft.polygons = {{0, 1, 2}, {0, 1, 9}, {0, 2, 3}};
    draft.groupOfPolygon = {0, 0, 0};
    MeshDraft second = quad(1, 0, m);
    second.uvSets.push_back({{0.5f, 0.5f}, {10.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, 11.0f}});
    second.polygons = {{0, 2, 3}, {3, 7, 0}, {0, 1, 2}};
    second.groupOfPolygon = {0, 0, 0};
    ExportSceneBuilder b;
    unlitPart(b, draft);
    b.transform("part2", "lod0");
    b.mesh("part2Shape", "part2", buildMesh("part2Shape", second));
    test::LogCapture log;
    Export e(b);
    ASSERT_TRUE(e.ok);
    std::vector<std::string> reports;
    for (const std::string& line : log.scriptLines())
        if (line.find("exceeds 8.0") != std::string::npos ||
            line.find("left out") != std::string::npos)
            reports.push_back(line);
    const std::vector<std::string> expected = {
        "u 9.500000 v 0.500000 exceeds 8.0",
        "u 9.250000 v 0.500000 exceeds 8.0",
        "u 0.500000 v 8.750000 exceeds 8.0",
        "Polygon 1 of partShape names a vertex the mesh does not have; left out",
        "u 12.000000 v 0.500000 exceeds 8.0",
        "u 0.500000 v 11.000000 exceeds 8.0",
        "Polygon 1 of part2Shape names a vertex the mesh does not have; left out",
        "u 10.500000 v 0.500000 exceeds 8.0"};
    ASSERT_EQ(reports.size(), expected.size()) << testing::PrintToString(reports);
    for (std::size_t r = 0; r < expected.size(); ++r)
        EXPECT_NE(reports[r].find(expected[r]), std::string::npos) << reports[r];
    // The box (0, 0, 0) to (1, 0, 1) of both parts: its farthest corner lies sqrt 2 from the
    // origin.
    EXPECT_TRUE(log.contains("Bounding box radius: 1.414214"));
}

// The box of one walk over `points` from `start`: a value replaces the one held only when
// strictly smaller (larger).
std::pair<Vector3, Vector3> walkedBox(const std::vector<Vector3>& points, float start) {
    Vector3 low(start, start, start);
    Vector3 high(-start, -start, -start);
    for (const Vector3& p : points) {
        for (unsigned a = 0; a < 3; ++a) {
            if (p[a] < low[a])
                low[a] = p[a];
            if (high[a] < p[a])
                high[a] = p[a];
        }
    }
    return {low, high};
}

bool sameBits(const Vector3& a, const Vector3& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(StaticMeshExport, BoxesOfAMeshSharedBetweenThreadsAreThoseOfOneWalk) {
    // 200 x 200 points in three materials, flat but for one point raised in the middle and
    // one lowered at the far corner, which only a box over every share of the work reaches.
    const auto a = cgfxMaterial("stone", "StaticMesh.fx", "Base", {"stone.dds"});
    const auto m = cgfxMaterial("moss", "StaticMesh.fx", "Base", {"moss.dds"});
    const auto c = cgfxMaterial("clay", "StaticMesh.fx", "Base", {"clay.dds"});
    MeshDraft draft = test::gridDraft(200, {a, m, c});
    for (Vector3& p : draft.positions)
        p.y = 0.0f;
    draft.positions[100 * 200 + 57].y = 5.0f;
    draft.positions.back().y = -3.0f;
    ExportSceneBuilder b;
    unlitPart(b, draft);
    Export e(b);
    ASSERT_TRUE(e.ok) << testing::PrintToString(exportErrorList().entries());
    const MeshFile& f = e.file;
    ASSERT_GT(f.vertexCount, 32768u) << "vertices enough for several shares of the work";
    std::vector<Vector3> positions(f.vertexCount);
    for (std::uint32_t v = 0; v < f.vertexCount; ++v) {
        const auto decoded = decodeVertex(f, v);
        const auto* p = decoded.find(meshfile::kUsagePosition);
        ASSERT_NE(p, nullptr);
        positions[v] = Vector3(p->values[0], p->values[1], p->values[2]);
    }
    const auto [low, high] = walkedBox(positions, std::numeric_limits<float>::max());
    EXPECT_TRUE(sameBits(f.lods[0][0].boundsMin, low)) << testing::PrintToString(low);
    EXPECT_TRUE(sameBits(f.lods[0][0].boundsMax, high)) << testing::PrintToString(high);
    ASSERT_EQ(f.materials[0][0].size(), 3u);
    for (const meshfile::MaterialRecord& r : f.materials[0][0]) {
        std::vector<Vector3> reached;
        for (std::uint32_t i = r.startIndex; i < r.startIndex + r.indexCount; ++i)
            reached.push_back(
                positions[static_cast<std::size_t>(r.baseVertexIndex) + f.indices[i]]);
        const auto [materialLow, materialHigh] = walkedBox(reached, 10000.0f);
        EXPECT_TRUE(sameBits(r.boundsMin, materialLow)) << r.textures.front();
        EXPECT_TRUE(sameBits(r.boundsMax, materialHigh)) << r.textures.front();
    }
}

TEST(MeshExportLayout, TangentsFollowTheSetInTheFilesFirstSlot) {
    // u of set 1 runs along z, u of set 0 along x, set 2 is constant. LOD 1's three sets put
    // set 1 into the file's first slot, for LOD 0's two sets as well.
    const auto m = cgfxMaterial("stone", "StaticMesh.fx", "Base", {"stone.dds"});
    MeshDraft draft = quad(1, 0, m);
    draft.uvSets = {{{0, 0}, {1, 0}, {1, 1}, {0, 1}},
                    {{0, 0}, {0, 1}, {1, 1}, {1, 0}},
                    {{0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, 0.5f}}};
    MeshDraft twoSets = draft;
    twoSets.uvSets.pop_back();
    ExportSceneBuilder b;
    unlitPart(b, twoSets);
    b.transform("lod1", "geom0");
    b.transform("slabLow", "lod1");
    b.mesh("slabLowShape", "slabLow", buildMesh("slabLowShape", draft));
    Export e(b);
    ASSERT_TRUE(e.ok);
    const MeshFile& f = e.file;
    EXPECT_EQ(f.vertexCount, 8u);
    for (std::uint32_t v = 0; v < f.vertexCount; ++v) {
        const auto decoded = decodeVertex(f, v);
        const auto* tangent = decoded.find(meshfile::kUsageTangent);
        ASSERT_NE(tangent, nullptr);
        EXPECT_NEAR(std::fabs(tangent->values[2]), 1.0f, 1e-5f) << v;
    }
}

// A scene of root, geometries and LODs by name, each LOD holding one quad part.
std::unique_ptr<ExportSceneBuilder>
namedScene(const std::vector<std::pair<std::string, std::string>>& nodes) {
    auto built = std::make_unique<ExportSceneBuilder>();
    ExportSceneBuilder& b = *built;
    const auto m = cgfxMaterial("stone", "StaticMesh.fx", "Base", {"stone.dds"});
    int part = 0;
    for (const auto& [name, parent] : nodes) {
        b.transform(name, parent);
        if (name.rfind("lod", 0) == 0) {
            const std::string partName = "part" + std::to_string(part++);
            b.transform(partName, name);
            b.mesh(partName + "Shape", partName, buildMesh(partName + "Shape", quad(1, 0, m)));
        }
    }
    return built;
}

TEST(StaticMeshExport, GeometriesAndLodsAreFoundByNameWithTheirErrorTexts) {
    const std::string kRoot = "root_staticMesh";
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> nodes;
        std::vector<std::uint32_t> lodCounts; // empty: the export fails
        std::vector<std::string> errors;
    };
    const std::vector<Case> cases = {
        {"geom0 and geom2 without geom1",
         {{"geom0", kRoot},
          {"geom0_NoLightmap", "geom0"},
          {"lod0", "geom0"},
          {"geom2", kRoot},
          {"lod0", "geom2"}},
         {1},
         {}},
        {"lod0 and lod2 without lod1",
         {{"geom0", kRoot}, {"geom0_NoLightmap", "geom0"}, {"lod0", "geom0"}, {"lod2", "geom0"}},
         {1},
         {}},
        {"no geom nodes", {{"lod0", kRoot}}, {}, {"There is seems to no geom nodes, aborting"}},
        {"a geometry without LODs",
         {{"geom0", kRoot}, {"geom0_NoLightmap", "geom0"}, {"lod0", "geom0"}, {"geom1", kRoot}},
         {},
         {"geom1 node has no valid lodnodes, aborting"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto owned = namedScene(c.nodes);
        Export e(*owned);
        EXPECT_EQ(e.ok, !c.lodCounts.empty());
        EXPECT_EQ(exportErrorList().entries(), c.errors);
        EXPECT_EQ(std::filesystem::exists(e.dir.file("prop.nfo")), e.ok);
        if (e.ok) {
            EXPECT_EQ(e.file.lodCounts, c.lodCounts);
        }
    }
}

TEST(StaticMeshExport, LightmapSizesMustBePowersOfTwoUpTo2048) {
    const std::vector<std::pair<std::string, bool>> sizes = {
        {"512", true}, {"300", false}, {"0", false}, {"4096", false}, {"2048", true}, {"1", true}};
    for (const auto& [size, valid] : sizes) {
        SCOPED_TRACE(size);
        const auto owned = namedScene({{"geom0", "root_staticMesh"},
                                       {"geom0_LightmapSize_" + size, "geom0"},
                                       {"lod0", "geom0"}});
        Export e(*owned);
        EXPECT_EQ(e.ok, valid);
        if (!valid) {
            EXPECT_EQ(exportErrorList().entries(),
                      std::vector<std::string>{
                          "lightMapSize " + size +
                          " is not a valid power of two number. Make sure your spelling is "
                          "correct\n geom0_LightmapSize_<size> as an example, aborting"});
            EXPECT_FALSE(std::filesystem::exists(e.mesh));
            continue;
        }
        // The lightmap is the second texture set, and its samples are listed; outside RawData
        // the list says so.
        EXPECT_EQ(e.file.stride, 56u);
        EXPECT_TRUE(std::filesystem::exists(e.meshPath("prop.samples")));
        EXPECT_TRUE(std::filesystem::exists(e.dir.file("uvs.tga")));
        EXPECT_EQ(exportErrorList().entries(),
                  std::vector<std::string>{
                      "ERROR: Adding samples file that doesn't reside under RawData " +
                      e.meshPath("prop.samples")});
    }
    // The next export in the process names no size: the default, not the last export's 1.
    const auto owned = namedScene({{"geom0", "root_staticMesh"}, {"lod0", "geom0"}});
    Export e(*owned);
    ASSERT_TRUE(e.ok);
    EXPECT_EQ(test::readSamplesBack(e.meshPath("prop.samples")).width, 256u);
}

TEST(StaticMeshExport, ASampleFileThatCannotBeWrittenFailsTheExportAndSaysWhy) {
    // A folder stands where the samples go; they are written while the corners take their
    // places, and the failure must still end the export (raised to the plug-in, which reports
    // it) with its reason in the log and no mesh file.
    const auto owned = namedScene({{"geom0", "root_staticMesh"}, {"lod0", "geom0"}});
    const ExportType previousType = currentExportType();
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("meshes/prop.samples"));
    exportErrorList().clear();
    test::LogCapture log;
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::string raised;
    try {
        exportGameAssets(owned->scene(), dir.file("prop.staticMesh"), nullptr, 0);
    } catch (const AssertionFailed& failure) {
        raised = failure.what();
    }
    std::filesystem::current_path(before);
    currentExportType() = previousType;
    const std::string reason = "can't open file: " + dir.file("meshes/prop.samples");
    EXPECT_NE(raised.find(reason), std::string::npos) << raised;
    EXPECT_TRUE(log.contains(reason));
    EXPECT_FALSE(std::filesystem::exists(dir.file("meshes/prop.staticmesh")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("meshes/prop.samples")));
}

TEST(StaticMeshExport, LightmapsHalvePerLodAndEveryLodSavesItsSamples) {
    const auto owned = namedScene({{"geom0", "root_staticMesh"},
                                   {"geom0_LightmapSize_1", "geom0"},
                                   {"lod0", "geom0"},
                                   {"lod1", "geom0"},
                                   {"geom1", "root_staticMesh"},
                                   {"geom1_LightmapSize_512", "geom1"},
                                   {"lod0", "geom1"},
                                   {"lod1", "geom1"},
                                   {"lod2", "geom1"}});
    Export e(*owned);
    ASSERT_TRUE(e.ok) << testing::PrintToString(exportErrorList().entries());
    // Size 1 halved at LOD 1 is 0: mapped from one lumel, doubled until the chart fits.
    const std::vector<std::pair<std::string, std::uint32_t>> files = {{"prop.samples", 8},
                                                                      {"prop.samp_01", 8},
                                                                      {"prop.samp_10", 512},
                                                                      {"prop.samp_11", 256},
                                                                      {"prop.samp_12", 128}};
    for (const auto& [name, size] : files) {
        const info::SampleFileContents samples = test::readSamplesBack(e.meshPath(name));
        EXPECT_EQ(samples.width, size) << name;
        EXPECT_EQ(samples.triangles.size(), 2u) << name;
    }
}

TEST(StaticMeshExport, HierarchyProblemsAreReportedAndTheExportGoesOn) {
    const auto owned = namedScene({{"geom0", "root_staticMesh"},
                                   {"geom0_NoLightmap", "geom0"},
                                   {"lod0", "geom0"},
                                   {"nonvis", "lod0"}});
    ExportSceneBuilder& b = *owned;
    auto plain = std::make_shared<Material>("lambert1");
    b.transform("crate", "lod0");
    b.mesh("crateShape", "crate", buildMesh("crateShape", quad(1, 3, plain)));
    Export e(b);
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(exportErrorList().entries(),
              (std::vector<std::string>{
                  "Wrong hierarchy for nonvis node. Please make sure it has a valid parent.",
                  "Unsupported shader material used lambert1. \nPossible reasons:\n- Use of Maya "
                  "default material lambert1, check your model.",
                  "Part crate has no parent part: only the first part of a LOD may be a root; "
                  "place it below the root part.",
                  "This mesh material lambert1 has no valid textures 0 < 1"}));
}

// A side x side grid in one material, less its last `dropped` triangles: a grid of 256 keeps
// all 65536 of its points, and without its last triangle 65535 (the far corner goes unused).
MeshDraft trimmedGrid(int side, std::size_t dropped, const std::shared_ptr<Material>& m) {
    MeshDraft draft = test::gridDraft(side, {m});
    draft.polygons.resize(draft.polygons.size() - dropped);
    draft.groupOfPolygon.resize(draft.polygons.size());
    return draft;
}

TEST(MeshExportFailures, EveryFailureNamesItsReasonInTheErrorList) {
    const auto ground = cgfxMaterial("ground", "StaticMesh.fx", "Base", {"ground.dds"});
    std::vector<std::shared_ptr<Material>> bands;
    for (int i = 0; i < 5; ++i)
        bands.push_back(
            cgfxMaterial("band" + std::to_string(i), "StaticMesh.fx", "Base", {"ground.dds"}));
    const auto body = cgfxMaterial("body", "BundledMesh.fx", "", {"body.dds"});
    const auto tracks = cgfxMaterial("tracks_AnimatedUV", "BundledMesh.fx", "", {"tracks.dds"});
    const std::string tooMany =
        "Too many vertices in material. Max 65535 vertices allowed. this mesh:";
    struct Case {
        const char* what;
        std::string type;                              // the root's type name
        std::function<void(ExportSceneBuilder&)> lod0; // fills "lod0"
        std::string error; // the error list's last entry; empty: the export succeeds
        // What follows `error` in the entry: nothing, a count past 65535 (how far tangents
        // split vertices is the tangent generator's own business), or the generator's words.
        enum class Tail { None, Count, Any } tail = Tail::None;
    };
    const auto mesh = [](const MeshDraft& draft) {
        return [draft](ExportSceneBuilder& b) {
            b.transform("part", "lod0");
            b.mesh("partShape", "part", buildMesh("partShape", draft));
        };
    };
    // A quad part whose nonvis node holds `node`, of `draft` when given.
    const auto underNonvis = [&](const std::string& node, std::optional<MeshDraft> draft = {}) {
        return [=](ExportSceneBuilder& b) {
            mesh(setQuad(1, ground))(b);
            b.transform("nonvis", "part");
            b.transform(node, "nonvis");
            if (draft)
                b.mesh(node + "Shape", node, buildMesh(node + "Shape", *draft));
        };
    };
    // u mirrored at x = 128: the points of that column need a tangent either way.
    MeshDraft mirrored = trimmedGrid(256, 1, body);
    for (auto& [u, v] : mirrored.uvSets[0])
        u = std::fabs(u - 0.5f);
    MeshDraft threeSets = setQuad(3, tracks);
    threeSets.colors.assign(4, Color{0.7f, 0, 0, 1});
    // The last of four materials' groups holds a corner that is not a number, which only the
    // tangent generator refuses: groups are prepared side by side, and its reason must still
    // reach the list once, as the export's last word.
    MeshDraft notANumber = test::gridDraft(5, {bands[0], bands[1], bands[2], bands[3]});
    notANumber.positions.back().y = std::numeric_limits<float>::quiet_NaN();
    MeshDraft twoCorners;
    twoCorners.positions = {{0, 0, 0}, {1, 0, 0}};
    twoCorners.polygons = {{0, 1}};
    twoCorners.groupOfPolygon = {0};
    twoCorners.groups = {std::make_shared<Material>("stone")};
    MeshDraft farOff = twoCorners;
    farOff.positions = {{0, 0, 0}, {1, 0, 0}, {0, 0, std::numeric_limits<float>::infinity()}};
    farOff.polygons = {{0, 1, 2}};
    const std::vector<Case> cases = {
        {"static: 65535 vertices", "staticMesh", mesh(trimmedGrid(256, 1, ground)), ""},
        {"static: 65536 vertices", "staticMesh", mesh(trimmedGrid(256, 0, ground)),
         tooMany + "65536"},
        // Bundled meshes count their vertices after the tangents: at the limit, still whole.
        {"bundled: 65535 vertices", "bundledMesh", mesh(trimmedGrid(256, 1, body)), ""},
        {"bundled: 65535 vertices split past the limit by tangents", "bundledMesh", mesh(mirrored),
         tooMany, Case::Tail::Count},
        {"static: a corner that is not a number", "staticMesh", mesh(notANumber),
         "Cannot generate tangents: vertex ", Case::Tail::Any},
        {"420 x 420 points in five materials: over 8,192,000 bytes", "staticMesh",
         mesh(test::gridDraft(420, bands)), "Vertex memory exceeds Memory limit of 8Mb"},
        {"bundled: two sets without animation", "bundledMesh", mesh(setQuad(2, body)),
         "BundledMesh has unsupported amount of UV sets used! Max UV count in this version is 1 "
         "(if animatedUV 2) .\nExport of this mesh will be flawed"},
        {"bundled: three sets of an animated material", "bundledMesh", mesh(threeSets),
         "BundledMesh has unsupported amount of UV sets used! Max UV count for animatedUV "
         "geometry is 2.\nExport of this mesh will be flawed"},
        {"a collision polygon of two corners", "staticMesh", underNonvis("col0", twoCorners),
         "Polygon 0 of collision mesh col0Shape has 2 corners"},
        {"a collision vertex at infinity", "staticMesh", underNonvis("col0", farOff),
         "Vertex 2 of collision mesh col0Shape has a position that is not a finite number"},
        {"a collision node without a numbered col", "staticMesh", underNonvis("collider"),
         "Trying to export collision meshes, but non found under the nonvis node. Check if "
         "there are hidden nodes in object hierarchy!"},
        {"a collision polygon of four corners", "staticMesh",
         underNonvis("col0", setQuad(1, ground)),
         "Non triangular collision faces not supported yet.\nTriangulate all collision meshes "
         "and export again."},
        {"a shadow without triangles", "staticMesh", underNonvis("shadow"),
         "The shadow geometry shadow could not be built"},
    };
    for (const Case& c : cases) {
        ExportSceneBuilder b("root_" + c.type);
        b.transform("geom0", "root_" + c.type);
        b.transform("geom0_NoLightmap", "geom0");
        b.transform("lod0", "geom0");
        c.lod0(b);
        Export e(b, "prop." + c.type);
        const auto& entries = exportErrorList().entries();
        if (c.error.empty()) {
            EXPECT_TRUE(e.ok) << c.what << testing::PrintToString(entries);
            continue;
        }
        EXPECT_FALSE(e.ok) << c.what;
        ASSERT_FALSE(entries.empty()) << c.what;
        if (c.tail != Case::Tail::None) {
            ASSERT_EQ(entries.back().rfind(c.error, 0), 0u) << c.what << ": " << entries.back();
            if (c.tail == Case::Tail::Count)
                EXPECT_GT(std::stoul(entries.back().substr(c.error.size())), 65535u) << c.what;
            else
                EXPECT_EQ(std::count(entries.begin(), entries.end(), entries.back()), 1) << c.what;
        } else {
            EXPECT_EQ(entries.back(), c.error) << c.what;
        }
        EXPECT_FALSE(std::filesystem::exists(e.dir.file("prop.nfo"))) << c.what;
        // Refused before the mesh file is begun, or while it is written: no mesh file is left.
        if (c.error.rfind("Vertex memory", 0) == 0 || c.error.rfind("The shadow", 0) == 0) {
            EXPECT_FALSE(std::filesystem::exists(e.mesh)) << c.what;
        }
    }
}

TEST(StaticMeshExport, FileNamesKeepTheUsersFolderAndLowerCaseTheExportersOwn) {
    const auto owned = namedScene(
        {{"geom0", "root_staticMesh"}, {"geom0_NoLightmap", "geom0"}, {"lod0", "geom0"}});
    ExportSceneBuilder& b = *owned;
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("Game/RawData/Props"));
    exportErrorList().clear();
    ASSERT_TRUE(exportGameAssets(b.scene(), dir.file("Game/RawData/Props/Big_Rock.staticMesh"),
                                 nullptr, 0));
    EXPECT_TRUE(std::filesystem::exists(dir.file("Game/RawData/Props/meshes/big_rock.staticmesh")));
    // Listed from "rawdata/" on, lower-cased; the ".nfo" named as the user named the output.
    EXPECT_EQ(readWholeFile(dir.file("Game/RawData/Props/Big_Rock.nfo")),
              "Textures/stone.dds\r\nprops/big_rock.con\r\nprops/meshes/big_rock.staticmesh\r\n");

    // Vegetation gets the collision-only script too, unless the file is one of its LODs.
    for (const auto& [name, variant] :
         std::vector<std::pair<std::string, bool>>{{"Tree", true}, {"Tree_lod1", false}}) {
        std::filesystem::create_directories(dir.file("Game/RawData/Vegitation"));
        exportErrorList().clear();
        ASSERT_TRUE(exportGameAssets(
            b.scene(), dir.file("Game/RawData/Vegitation/" + name + ".staticMesh"), nullptr, 0));
        EXPECT_TRUE(std::filesystem::exists(
            dir.file("Game/RawData/Vegitation/" + toLowerAscii(name) + ".con")));
        EXPECT_EQ(std::filesystem::exists(
                      dir.file("Game/RawData/Vegitation/" + toLowerAscii(name) + "_col.con")),
                  variant)
            << name;
    }

    // An output folder that cannot hold files fails with the reason, and writes nothing.
    std::ofstream(dir.file("plainfile")) << "x";
    exportErrorList().clear();
    EXPECT_FALSE(exportGameAssets(b.scene(), dir.file("plainfile/rock.staticMesh"), nullptr, 0));
    ASSERT_FALSE(exportErrorList().entries().empty());
    EXPECT_NE(exportErrorList().entries().back().find("plainfile/meshes/rock.staticmesh"),
              std::string::npos);
}

TEST(StaticMeshExport, ShadowBlocksAreBuiltFromTheShadowNodeUnderNonvis) {
    const auto owned = namedScene(
        {{"geom0", "root_staticMesh"}, {"geom0_NoLightmap", "geom0"}, {"lod0", "geom0"}});
    ExportSceneBuilder& b = *owned;
    b.transform("nonvis", "part0");
    b.transform("shadow", "nonvis");
    const auto m = cgfxMaterial("shadowMat", "StaticMesh.fx", "Shadow", {"none.dds"});
    b.mesh("shadowShape", "shadow", buildMesh("shadowShape", quad(4, 0.5f, m)));
    Export e(b);
    ASSERT_TRUE(e.ok) << testing::PrintToString(exportErrorList().entries());
    const MeshFile& f = e.file;
    ASSERT_TRUE(f.hasShadowSection);
    ASSERT_EQ(f.shadows.size(), 1u);
    ASSERT_EQ(f.shadows[0].size(), 1u);
    ASSERT_EQ(f.shadows[0][0].size(), 1u);
    EXPECT_EQ(f.shadows[0][0][0].boundsMin, Vector3(0, 0.5f, 0));
    EXPECT_EQ(f.shadows[0][0][0].boundsMax, Vector3(4, 0.5f, 4));
    // The shadow geometry is not part of the visible mesh.
    EXPECT_EQ(f.lods[0][0].boundsMax, Vector3(1, 0, 1));
}

} // namespace
} // namespace vx
