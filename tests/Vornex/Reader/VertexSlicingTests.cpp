// Output vertices made in slices of host vertices side by side must be what one walk over all
// of them makes: the same vertices, UV, colour and blind-data lists, corner table and log.
#include "Shared/Graphics/Scene/VertexBuffer.h"
#include "Vornex/Reader/MeshBlindData.h"
#include "Vornex/Reader/PolygonAssembly.h"
#include "Vornex/Reader/VertexBuilding.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <maya/MDagPath.h>
#include <maya/MFileIO.h>
#include <maya/MFnMesh.h>
#include <maya/MSelectionList.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vx::test {
namespace {

constexpr int kColumns = 9;
constexpr int kRows = 7;
constexpr int kGridPoints = (kColumns + 1) * (kRows + 1);
// Interior horizontal edges that get a third face (a fin), making them non-manifold.
constexpr int kFinEdges[] = {2 * kColumns + 2, 5 * kColumns + 6};

int point(int i, int j) {
    return j * (kColumns + 1) + i;
}
// Horizontal edges first (row by row), then vertical ones.
int horizontalEdge(int i, int j) {
    return j * kColumns + i;
}
int verticalEdge(int i, int j) {
    return (kRows + 1) * kColumns + j * (kColumns + 1) + i;
}

// A grid of quads in the x-z plane with hard edges down one column, UV seams between rows in
// map1 and down one column in map2, colours that differ on one row of faces, blind data on every
// fourth vertex, and two triangular fins on interior edges.
std::string gridScene() {
    std::ostringstream ma;
    ma << "//Maya ASCII 2014 scene\nrequires maya \"2014\";\n"
          "currentUnit -l centimeter -a degree -t film;\n"
          "createNode transform -n \"grid\";\ncreateNode mesh -n \"gridShape\" -p \"grid\";\n"
          "\tsetAttr -s 2 \".uvst\";\n\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n";
    const int map1Uvs = kRows * 2 * (kColumns + 1) + 2;
    ma << "\tsetAttr -s " << map1Uvs << " \".uvst[0].uvsp[0:" << map1Uvs - 1
       << "]\" -type \"float2\"";
    for (int k = 0; k < map1Uvs; ++k)
        ma << ' ' << (k % 11) * 0.125 << ' ' << (k / 11) * 0.0625;
    ma << ";\n\tsetAttr \".uvst[1].uvsn\" -type \"string\" \"map2\";\n";
    const int map2Uvs = 2 * kGridPoints;
    ma << "\tsetAttr -s " << map2Uvs << " \".uvst[1].uvsp[0:" << map2Uvs - 1
       << "]\" -type \"float2\"";
    for (int k = 0; k < map2Uvs; ++k)
        ma << ' ' << (k % 13) * 0.0625 << ' ' << (k / 13) * 0.03125;
    ma << ";\n\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n\tsetAttr \".dcol\" yes;\n"
          "\tsetAttr \".clst[0].clsn\" -type \"string\" \"colorSet1\";\n";
    const int colors = 2 * kGridPoints;
    ma << "\tsetAttr -s " << colors << " \".clst[0].clsp[0:" << colors - 1 << "]\"";
    for (int k = 0; k < colors; ++k)
        ma << ' ' << (k % 7) / 7.0 << ' ' << (k % 5) / 5.0 << " 1 " << (k < kGridPoints ? 1 : 0.5);
    const int fins = static_cast<int>(std::size(kFinEdges));
    ma << ";\n\tsetAttr -s " << kGridPoints + fins << " \".vt[0:" << kGridPoints + fins - 1
       << "]\"";
    for (int j = 0; j <= kRows; ++j)
        for (int i = 0; i <= kColumns; ++i)
            ma << ' ' << i << " 0 " << j;
    for (int f = 0; f < fins; ++f) {
        const int edge = kFinEdges[f];
        ma << ' ' << edge % kColumns + 0.5 << " 1 " << edge / kColumns;
    }
    const int gridEdges = verticalEdge(0, kRows);
    ma << ";\n\tsetAttr -s " << gridEdges + 2 * fins << " \".ed[0:" << gridEdges + 2 * fins - 1
       << "]\"";
    for (int j = 0; j <= kRows; ++j)
        for (int i = 0; i < kColumns; ++i)
            ma << ' ' << point(i, j) << ' ' << point(i + 1, j) << " 1";
    for (int j = 0; j < kRows; ++j)
        for (int i = 0; i <= kColumns; ++i)
            ma << ' ' << point(i, j) << ' ' << point(i, j + 1) << (i == 4 ? " 0" : " 1");
    for (int f = 0; f < fins; ++f) {
        const int i = kFinEdges[f] % kColumns;
        const int j = kFinEdges[f] / kColumns;
        ma << ' ' << point(i + 1, j) << ' ' << kGridPoints + f << " 1 " << kGridPoints + f << ' '
           << point(i, j) << " 1";
    }
    ma << ";\n\tsetAttr -s " << kColumns * kRows + fins
       << " \".fc[0:" << kColumns * kRows + fins - 1 << "]\" -type \"polyFaces\"";
    for (int j = 0; j < kRows; ++j) {
        for (int i = 0; i < kColumns; ++i) {
            ma << "\n\t\tf 4 " << horizontalEdge(i, j) << ' ' << verticalEdge(i + 1, j) << ' '
               << -1 - horizontalEdge(i, j + 1) << ' ' << -1 - verticalEdge(i, j);
            const int corners[] = {point(i, j), point(i + 1, j), point(i + 1, j + 1),
                                   point(i, j + 1)};
            ma << "\n\t\tmu 0 4";
            for (const int c : corners)
                ma << ' '
                   << j * 2 * (kColumns + 1) + (c / (kColumns + 1) - j) * (kColumns + 1) +
                          c % (kColumns + 1);
            ma << "\n\t\tmu 1 4";
            for (const int c : corners)
                ma << ' ' << (i >= 6 ? c + kGridPoints : c);
            ma << "\n\t\tmc 0 4";
            for (const int c : corners)
                ma << ' ' << (j == 4 ? c + kGridPoints : c);
        }
    }
    for (int f = 0; f < fins; ++f) {
        // Map1 UVs only: the fin has no map2 UV and no colour.
        ma << "\n\t\tf 3 " << kFinEdges[f] << ' ' << gridEdges + 2 * f << ' '
           << gridEdges + 2 * f + 1 << "\n\t\tmu 0 3 " << map1Uvs - 2 << ' ' << map1Uvs - 1 << ' '
           << map1Uvs - 2;
    }
    ma << ";\ncreateNode polyBlindData -n \"weights\";\n"
          "\taddAttr -ci true -m -sn \"vbd\" -ln \"vertexBlindData\" -at \"compound\" -nc 1;\n"
          "\taddAttr -ci true -sn \"wt\" -ln \"weight\" -at \"double\" -p \"vertexBlindData\";\n"
          "\tsetAttr \".tid\" 2000;\n";
    for (int v = 0; v < kGridPoints; v += 4)
        ma << "\tsetAttr \".vbd[" << v << "].wt\" " << v * 0.25 << ";\n";
    ma << "connectAttr \"weights.msg\" \"gridShape.bn\" -na;\n";
    return ma.str();
}

struct Built {
    VertexBuffer vertices;
    std::vector<std::int32_t> table;
    std::vector<std::string> log;
};

TEST(VertexSlicing, EverySlicingGivesTheVerticesTableAndLogOfOneWalk) {
    const TempDir dir;
    const std::string scene = dir.file("grid.ma");
    std::ofstream(scene) << gridScene();
    ASSERT_TRUE(MFileIO::open(scene.c_str(), nullptr, true));
    MSelectionList list;
    list.add("gridShape");
    MDagPath path;
    ASSERT_TRUE(list.getDagPath(0, path));
    const MFnMesh mesh(path);
    ASSERT_EQ(mesh.numVertices(), kGridPoints + 2);

    // Shader 0 takes map1 then map2, shader 1 map2 alone; the fins have none.
    VertexBuildSettings settings;
    settings.prefix = "<kMesh::gridShape>";
    settings.channelSets = {{0, 1}, {1}};
    for (int face = 0; face < mesh.numPolygons(); ++face)
        settings.faceShader.push_back(face >= kColumns * kRows ? -1 : face % 3 == 0 ? 1 : 0);
    settings.vertexBlindData = blindDataTypes(mesh, MFn::kMeshVertComponent);
    ASSERT_EQ(settings.vertexBlindData.size(), 1u);

    const auto build = [&](std::size_t verticesPerSlice) {
        const LogCapture capture;
        Built built;
        built.vertices.m_uvSets.resize(2);
        PolygonTable table;
        buildVertices(path, mesh, settings, built.vertices, table, verticesPerSlice);
        built.table = table.cornerVertex;
        built.log = capture.scriptLines();
        return built;
    };
    const Built whole = build(static_cast<std::size_t>(mesh.numVertices()));
    // What the one walk must have met for the comparison to mean something: splits, both UV
    // channels, colours, blind data, and the fins' edges reported by both of their ends.
    EXPECT_GT(whole.vertices.m_vertices.size(), static_cast<std::size_t>(2 * kGridPoints));
    EXPECT_FALSE(whole.vertices.m_uvSets[0].empty());
    EXPECT_FALSE(whole.vertices.m_uvSets[1].empty());
    EXPECT_GT(whole.vertices.m_diffuseColors.size(), static_cast<std::size_t>(kGridPoints));
    EXPECT_EQ(whole.vertices.m_vertexNamedValues.size(),
              static_cast<std::size_t>((kGridPoints + 3) / 4));
    EXPECT_EQ(std::count(whole.table.begin(), whole.table.end(), PolygonTable::kUnassigned), 0);
    std::vector<std::string> expectedLog;
    for (const int edge : kFinEdges)
        for (int end = 0; end < 2; ++end)
            expectedLog.push_back("Warning: <kMesh::gridShape>.e[" + std::to_string(edge) +
                                  "] non-manifold");
    EXPECT_EQ(whole.log, expectedLog);

    for (const std::size_t slice : {1u, 2u, 3u, 7u, 16u, 29u, 40u, kGridPoints + 1u, 1000u}) {
        const Built sliced = build(slice);
        EXPECT_TRUE(sliced.vertices == whole.vertices) << "slices of " << slice;
        EXPECT_EQ(sliced.table, whole.table) << "slices of " << slice;
        EXPECT_EQ(sliced.log, whole.log) << "slices of " << slice;
    }
}

} // namespace
} // namespace vx::test
