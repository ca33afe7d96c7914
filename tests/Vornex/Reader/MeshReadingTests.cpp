// Mesh shapes read from small scenes: vertex splitting at hard edges, material seams and UV
// seams, the coordinate conversion, material groups and the statistics report.
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Vornex/Reader/FanSplit.h"
#include "Vornex/Reader/FanWalk.h"
#include "Vornex/Reader/MeshValidation.h"
#include "Vornex/Reader/PolygonAssembly.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Vornex/Reader/ReaderTestSupport.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <map>
#include <set>

namespace vx::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using MeshReading = ReaderSceneTest;

// Output vertices per host vertex.
std::map<std::int32_t, int> splitCounts(const VertexBuffer& buffer) {
    std::map<std::int32_t, int> counts;
    for (const Vertex& v : buffer.m_vertices)
        ++counts[v.getPosition()];
    return counts;
}

TEST_F(MeshReading, HardCubeSplitsEveryCornerIntoItsOwnVertexAndMirrorsX) {
    read("cubes.ma");
    const UtilMeshNode& box = meshNode("hardBoxShape");
    const VertexBuffer& buffer = vertices(box);
    EXPECT_EQ(buffer.m_name, "hardBoxShapeVertexBuffer");
    EXPECT_EQ(primitives(box).m_name, "hardBoxShapePrimitiveBuffer");
    ASSERT_EQ(buffer.vertexCount(), 24u);
    for (const auto& [position, count] : splitCounts(buffer))
        EXPECT_EQ(count, 3) << "host vertex " << position;
    // Every face has its own four vertices, each with the face's normal.
    const auto normalOf = [&](std::int32_t vertex) {
        return buffer.m_normals[static_cast<std::size_t>(
            buffer.m_vertices[static_cast<std::size_t>(vertex)].getNormal())];
    };
    std::set<std::int32_t> used;
    for (const Primitive& face : primitives(box).m_primitives) {
        ASSERT_EQ(face.size(), 4u);
        for (std::size_t c = 0; c < 4; ++c) {
            EXPECT_TRUE(used.insert(face[c]).second);
            EXPECT_EQ(normalOf(face[c]), normalOf(face[0]));
        }
    }
    // Host vertex 1 is (0.5, -0.5, 0.5); face 4 faces +x. Both come out mirrored.
    EXPECT_EQ(buffer.m_positions[1], Vector3(-0.5f, -0.5f, 0.5f));
    const Primitive& right = primitives(box).m_primitives[4];
    EXPECT_EQ(normalOf(right[0]), Vector3(-1.0f, 0.0f, 0.0f));

    EXPECT_THAT(reportsStartingWith("MeshInfo:      hardBoxShape"),
                ElementsAre("MeshInfo:      hardBoxShape  PolyCount:   6  VertexCount: 8/24  "
                            "SkinWeightCount: 0  UvSetCount:  0/1  NormalCount: 24  "
                            "ColorCount:  0"));
    // No shader: one group without a material.
    ASSERT_EQ(box.mesh()->m_groups.size(), 1u);
    EXPECT_EQ(box.mesh()->m_groups[0].m_material, nullptr);
    EXPECT_EQ(box.mesh()->m_groups[0].m_primitives.size(), 6u);
    EXPECT_EQ(countReports("MatGrp(0): 6 Material: N/A"), 1u);
}

TEST_F(MeshReading, RightHandedReadingKeepsTheHostsCoordinates) {
    read("cubes.ma", kReportInfo | kRighthandedSystem);
    const VertexBuffer& buffer = vertices(meshNode("hardBoxShape"));
    EXPECT_EQ(buffer.m_positions[1], Vector3(0.5f, -0.5f, 0.5f));
    EXPECT_NE(std::find(buffer.m_normals.begin(), buffer.m_normals.end(), Vector3(1, 0, 0)),
              buffer.m_normals.end());
}

TEST_F(MeshReading, SmoothCubeKeepsOneVertexPerHostVertexUntilAMaterialChanges) {
    read("cubes.ma");
    const UtilMeshNode& smooth = meshNode("smoothBoxShape");
    EXPECT_EQ(vertices(smooth).vertexCount(), 8u);
    EXPECT_EQ(vertices(smooth).uvSetCount(), 0u); // an untextured material takes no UVs
    ASSERT_EQ(smooth.mesh()->m_groups.size(), 1u);
    EXPECT_EQ(smooth.mesh()->m_groups[0].m_material->m_name, "grey");

    // Face 0 is red, the others blue: the four corners of face 0 each split in two.
    const UtilMeshNode& seam = meshNode("seamBoxShape");
    const auto counts = splitCounts(vertices(seam));
    EXPECT_EQ(vertices(seam).vertexCount(), 12u);
    for (std::int32_t v = 0; v < 8; ++v)
        EXPECT_EQ(counts.at(v), v < 4 ? 2 : 1) << "host vertex " << v;
    const auto& groups = seam.mesh()->m_groups;
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].m_material->m_name, "red");
    EXPECT_EQ(groups[0].m_primitives, std::vector<std::int32_t>{0});
    EXPECT_EQ(groups[1].m_material->m_name, "blue");
    EXPECT_EQ(groups[1].m_primitives, (std::vector<std::int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(countReports("MatGrp(0): 1 Material: red"), 1u);
    EXPECT_EQ(countReports("MatGrp(1): 5 Material: blue"), 1u);
    // Polygons keep their face and shader indices.
    EXPECT_EQ(primitives(seam).m_primitives[3].m_faceIndex, 3);
    EXPECT_EQ(primitives(seam).m_primitives[3].m_shaderIndex, 1);
}

TEST_F(MeshReading, TexturedCubeSplitsAtUvSeamsAndStoresVFlipped) {
    read("cubes.ma");
    const UtilMeshNode& box = meshNode("uvBoxShape");
    const VertexBuffer& buffer = vertices(box);
    // One output vertex per host UV id: 14.
    EXPECT_EQ(buffer.vertexCount(), 14u);
    ASSERT_EQ(buffer.uvSetCount(), 1u);
    EXPECT_EQ(buffer.m_texts, std::vector<std::string>{"map1"});
    EXPECT_EQ(buffer.m_uvSets[0].size(), 14u);
    // Host vertex 0 meets UV 0 (0.375, 0) on faces 0 and 5 and UV 8 (0.375, 1) on face 3.
    std::set<std::pair<float, float>> uvs;
    for (const Vertex& v : buffer.m_vertices)
        if (v.getPosition() == 0) {
            const UvCoord uv = buffer.m_uvSets[0][static_cast<std::size_t>(v.getUv(0))];
            uvs.insert({uv.u, uv.v});
        }
    EXPECT_EQ(uvs, (std::set<std::pair<float, float>>{{0.375f, 1.0f}, {0.375f, 0.0f}}));
    EXPECT_EQ(countReports("MeshInfo:      uvBoxShape"), 1u);
    EXPECT_THAT(reportsStartingWith("MeshInfo:      uvBoxShape")[0], HasSubstr("UvSetCount:  1/1"));
}

} // namespace
} // namespace vx::test

namespace vx::test {
namespace {

using MeshInstances = ReaderSceneTest;

bool logged(const LogCapture& log, const std::string& line) {
    const auto& lines = log.scriptLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(MeshInstances, InstancesShareGeometryAndShareGroupsOnlyWithEqualMaterials) {
    read("instances.ma", kReportInfo | kValidateGeometry);
    const auto crates = meshNodes("crateShape");
    ASSERT_EQ(crates.size(), 2u);
    EXPECT_EQ(crates[0]->mesh(), crates[1]->mesh());
    EXPECT_EQ(crates[0]->parents()[0]->name(), "crateA");
    EXPECT_EQ(crates[1]->parents()[0]->name(), "crateB");
    EXPECT_EQ(countReports("Parsing mesh shape <crateShape>"), 1u);
    EXPECT_THAT(reportsStartingWith("Parsing mesh <crateShape::"),
                ElementsAre("Parsing mesh <crateShape::kMesh>",
                            "Parsing mesh <crateShape::kMesh> (Shared object: <crateShape>)"));

    const auto barrels = meshNodes("barrelShape");
    ASSERT_EQ(barrels.size(), 2u);
    EXPECT_NE(barrels[0]->mesh(), barrels[1]->mesh());
    EXPECT_EQ(barrels[0]->mesh()->m_geometry, barrels[1]->mesh()->m_geometry);
    EXPECT_EQ(barrels[0]->mesh()->m_groups[0].m_material->m_name, "red");
    EXPECT_EQ(barrels[1]->mesh()->m_groups[0].m_material->m_name, "blue");
    // One material node read once, shared by every group that uses it.
    EXPECT_EQ(crates[0]->mesh()->m_groups[0].m_material,
              meshNode("partShape").mesh()->m_groups[0].m_material);
    EXPECT_EQ(countReports("Parsing material <wood>"), 1u);

    // Validation found nothing to complain about in these meshes.
    for (const std::string& line : log.scriptLines())
        for (const char* problem :
             {" has invalid ", " is invalid: ", "not a valid primitive", "missing uvcoord"})
            EXPECT_EQ(line.find(problem), line.npos) << line;
}

TEST_F(MeshInstances, FacesWithoutShaderGoLastAndTwoCornerFacesAreDropped) {
    read("instances.ma");
    const auto& groups = meshNode("partShape").mesh()->m_groups;
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].m_material->m_name, "wood");
    EXPECT_EQ(groups[0].m_primitives, (std::vector<std::int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(groups[1].m_material, nullptr);
    EXPECT_EQ(groups[1].m_primitives, (std::vector<std::int32_t>{4, 5}));
    EXPECT_EQ(countReports("MatGrp(1): 2 Material: N/A"), 1u);

    const UtilMeshNode& sliver = meshNode("sliverShape");
    ASSERT_EQ(primitives(sliver).primitiveCount(), 1u);
    EXPECT_EQ(primitives(sliver).m_primitives[0].m_faceIndex, 0);
    EXPECT_TRUE(logged(log, "Warning: <kMesh::sliverShape>.f[1] invalid size: 2 Polygon removed"));
    // Topology problems are logged, not reported: they do not count as warnings.
    EXPECT_EQ(warnings, 0u);
}

} // namespace
} // namespace vx::test

namespace vx::test {
namespace {

using MeshAttributes = ReaderSceneTest;

TEST_F(MeshAttributes, ColoursSplitByValueAndBlindDataReachPolygonsAndVertices) {
    read("tagged.ma");
    const UtilMeshNode& floor = meshNode("floorShape");
    const VertexBuffer& buffer = vertices(floor);
    // Host vertex 1 has two colour ids of equal value: one vertex. Host vertex 4's colours
    // differ in alpha only: two.
    ASSERT_EQ(buffer.vertexCount(), 7u);
    std::vector<Color> colorsOf4;
    for (const Vertex& v : buffer.m_vertices) {
        ASSERT_GE(v.getDiffuse(), 0);
        if (v.getPosition() == 4)
            colorsOf4.push_back(buffer.m_diffuseColors[static_cast<std::size_t>(v.getDiffuse())]);
    }
    EXPECT_THAT(colorsOf4,
                ::testing::UnorderedElementsAre(Color{0, 0, 1, 1}, Color{0, 0, 1, 0.5f}));
    EXPECT_EQ(buffer.m_diffuseColors.size(), 7u);

    // The first attribute of each face type; the friction beside "surface" is not read.
    const PrimitiveBuffer& faces = primitives(floor);
    ASSERT_EQ(faces.m_attributes.size(), 2u);
    const PrimitiveAttribute surface = faces.m_attributes.at("surface");
    const PrimitiveAttribute label = faces.m_attributes.at("label");
    EXPECT_EQ(surface.m_kind, NamedValueKind::Integer);
    EXPECT_EQ(label.m_kind, NamedValueKind::Text);
    ASSERT_EQ(faces.m_attributeValues.size(), 2u);
    EXPECT_EQ(faces.m_attributeValues[0],
              (AttributeValueRecord{{label.m_number, NamedValue(std::string("mud"))}}));
    EXPECT_EQ(faces.m_attributeValues[1],
              (AttributeValueRecord{{surface.m_number, NamedValue(std::int32_t{7})},
                                    {label.m_number, NamedValue(std::string("stone"))}}));

    // Host vertex 4's blind data is shared by both of its output vertices.
    for (const Vertex& v : buffer.m_vertices) {
        if (v.getPosition() != 4) {
            EXPECT_EQ(v.getNamedValues(), Vertex::kNone);
            continue;
        }
        ASSERT_GE(v.getNamedValues(), 0);
        EXPECT_EQ(buffer.m_vertexNamedValues[static_cast<std::size_t>(v.getNamedValues())].getFloat(
                      "weight"),
                  0.5f);
    }
}

// Polygon assembly and the geometry checks of validateGeometry, on hand-made buffers.
TEST(PolygonAssembly, DropsShortFacesAndFacesWithUnplacedCornersKeepingTheRest) {
    PolygonTable table;
    table.reset({3, 2, 4, 3});
    table.cornerVertex = {0,
                          1,
                          2,
                          /*two corners*/ 3,
                          4,
                          /*quad*/ 5,
                          6,
                          7,
                          8,
                          /*unplaced corner*/ 9,
                          PolygonTable::kUnassigned,
                          10};
    test::LogCapture log;
    PrimitiveBuffer out;
    assemblePolygons(table, {4, 5, 6, 7}, "<mesh::boxShape>", out);
    ASSERT_EQ(out.primitiveCount(), 2u);
    EXPECT_EQ(out.m_primitives[0].m_indices, (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(out.m_primitives[0].m_faceIndex, 0);
    EXPECT_EQ(out.m_primitives[0].m_shaderIndex, 4);
    EXPECT_EQ(out.m_primitives[1].m_indices, (std::vector<std::int32_t>{5, 6, 7, 8}));
    EXPECT_EQ(out.m_primitives[1].m_faceIndex, 2);
    EXPECT_EQ(out.m_primitives[1].m_shaderIndex, 6);
    EXPECT_THAT(log.scriptLines(),
                ElementsAre("Warning: <mesh::boxShape>.f[1] invalid size: 2 Polygon removed",
                            "Warning: <mesh::boxShape>.f[3].vtx_local[1] invalid: -2 Polygon "
                            "removed"));
}

VertexBuffer twoVertexBuffer() {
    VertexBuffer buffer;
    buffer.m_name = "boxShapeVertexBuffer";
    buffer.m_positions.resize(2);
    buffer.m_normals.resize(1);
    buffer.m_uvSets.resize(2);
    for (int i = 0; i < 2; ++i) {
        Vertex v;
        v.setPosition(i);
        v.setNormal(0);
        v.setUvCount(2);
        v.setUv(0, 0);
        buffer.m_vertices.push_back(v);
    }
    return buffer;
}

TEST(MeshValidation, NamesEveryIndexOutsideItsArray) {
    VertexBuffer buffer = twoVertexBuffer();
    buffer.m_vertices[0].setPosition(5);
    buffer.m_vertices[1].setNormal(3);
    buffer.m_vertices[1].setBlendWeight(0); // no skin weights at all
    PrimitiveBuffer primitives;
    primitives.m_name = "boxShapePrimitiveBuffer";
    primitives.m_primitives.push_back({{0, 1, 2}, 0, 0});
    test::LogCapture log;
    EXPECT_EQ(validateVertexBuffer(buffer, primitives), 4u);
    EXPECT_THAT(
        log.scriptLines(),
        ElementsAre("Warning: <boxShapeVertexBuffer> Vertex: 0 has invalid postition index: 5",
                    "Warning: <boxShapeVertexBuffer> Vertex: 1MayaVertex: 1 has invalid normal "
                    "index: 3",
                    "Warning: <boxShapeVertexBuffer> Vertex: 1MayaVertex: 1 has invalid "
                    "blendweights index: 0",
                    "Warning: <boxShapePrimitiveBuffer> Primitive: 0 LocalVtx: 2 is invalid: 2"));

    // A consistent buffer passes silently.
    const VertexBuffer good = twoVertexBuffer();
    primitives.m_primitives[0].m_indices = {0, 1, 1};
    test::LogCapture quiet;
    EXPECT_EQ(validateVertexBuffer(good, primitives), 0u);
    EXPECT_TRUE(quiet.scriptLines().empty());
}

TEST(MeshValidation, GroupsNeedRealPolygonsAndAUvPerSetTheirMaterialUses) {
    auto geometry = std::make_shared<MeshGeometry>();
    geometry->m_vertexBuffer = std::make_shared<VertexBuffer>(twoVertexBuffer());
    geometry->m_primitiveBuffer = std::make_shared<PrimitiveBuffer>();
    geometry->m_primitiveBuffer->m_primitives.push_back({{0, 1, 1}, 0, 0});
    MaterialGroupedMesh mesh;
    mesh.m_name = "boxShape";
    mesh.m_geometry = geometry;
    MaterialGroup& group = mesh.m_groups.emplace_back();
    group.m_material = std::make_shared<Material>("paint");
    group.m_primitives = {0, 3};
    test::LogCapture log;
    // One set used: every corner has channel 0. Two sets used: channel 1 is missing, and a
    // third set lies beyond the vertices' channels.
    EXPECT_EQ(validateGroupedMesh(mesh, {1}), 1u);
    EXPECT_EQ(validateGroupedMesh(mesh, {3}), 1u + 6u);
    EXPECT_EQ(log.scriptLines()[0], "Warning: <boxShape> Primitive: 3 not a valid primitive index");
    EXPECT_EQ(log.scriptLines()[1],
              "Warning: f[0].vtx[0] (0 missing uvcoord for uvset 1 material paint");
    EXPECT_EQ(log.scriptLines()[2],
              "Warning: f[0].vtx[0] (0 missing uvcoord for uvset 2 material paint");
}

// The walk around one vertex and the split of its fans, on hand-made corner layouts.
// A vertex with `faces` faces around it; face f spans edges f and f + 1 (the last face closes
// back to edge 0 when `closed`). The corner of face f arrives over edge f + 1 and leaves over
// edge f, as a counter-clockwise polygon at the centre of a fan would.
void ring(FanWalker& walker, int faces, bool closed) {
    walker.reset();
    const int edges = closed ? faces : faces + 1;
    for (int f = 0; f < faces; ++f) {
        const int in = (f + 1) % edges;
        const int c = walker.addCorner({f, 0, in, f});
        walker.link(f, c);
        walker.link(in, c);
    }
}

std::vector<int> facesOf(const FanWalker& walker, const FanSet& fans, std::size_t fan) {
    std::vector<int> out;
    for (std::uint32_t p = fans.fans[fan].begin; p < fans.fans[fan].end; ++p)
        out.push_back(walker.corners()[static_cast<std::size_t>(fans.corners[p])].face);
    return out;
}

TEST(FanWalk, InteriorVertexGivesOneClosedFanCrossingEveryEdgeOnce) {
    FanWalker walker;
    ring(walker, 5, true);
    FanSet fans;
    walker.walk(fans);
    ASSERT_EQ(fans.fans.size(), 1u);
    EXPECT_TRUE(fans.fans[0].closed);
    // Starts at edge 0's first face (face 0) and leaves it over its other edge (1).
    EXPECT_EQ(facesOf(walker, fans, 0), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(fans.junctions, (std::vector<std::int32_t>{1, 2, 3, 4, 0}));
}

TEST(FanWalk, BorderVertexIsWalkedBothWaysFromTheSmallestEdge) {
    // Faces 0..3 between edges 0..4; edge 2 is renumbered smallest so the walk starts in the
    // middle of the run and must also go backwards.
    FanWalker walker;
    walker.reset();
    const int edge[5] = {7, 5, 1, 6, 8};
    for (int f = 0; f < 4; ++f) {
        const int c = walker.addCorner({f, 0, edge[f + 1], edge[f]});
        walker.link(edge[f], c);
        walker.link(edge[f + 1], c);
    }
    FanSet fans;
    walker.walk(fans);
    ASSERT_EQ(fans.fans.size(), 1u);
    EXPECT_FALSE(fans.fans[0].closed);
    const std::vector<int> order = facesOf(walker, fans, 0);
    ASSERT_EQ(order.size(), 4u);
    // Either direction is a valid fan, but neighbours must stay neighbours.
    const bool forward = order == std::vector<int>{0, 1, 2, 3};
    const bool backward = order == std::vector<int>{3, 2, 1, 0};
    EXPECT_TRUE(forward || backward) << order[0] << order[1] << order[2] << order[3];
    for (std::size_t p = 0; p + 1 < order.size(); ++p) {
        const int shared = edge[std::max(order[p], order[p + 1])];
        EXPECT_EQ(fans.junctions[p], shared);
    }
    EXPECT_EQ(fans.junctions.back(), -1);
}

TEST(FanWalk, PinchedVertexAndUnlinkedCornersGiveSeparateOrNoFans) {
    // Two triangles touching only at the vertex (a bow tie), plus a corner no edge reaches.
    FanWalker walker;
    walker.reset();
    const int a = walker.addCorner({0, 0, 1, 0});
    const int b = walker.addCorner({1, 2, 3, 2});
    walker.addCorner({2, 1, 9, 8});
    for (const auto& [e, c] : std::vector<std::pair<int, int>>{{0, a}, {1, a}, {2, b}, {3, b}})
        walker.link(e, c);
    FanSet fans;
    walker.walk(fans);
    ASSERT_EQ(fans.fans.size(), 2u);
    EXPECT_EQ(facesOf(walker, fans, 0), std::vector<int>{0});
    EXPECT_EQ(facesOf(walker, fans, 1), std::vector<int>{1});
    EXPECT_EQ(fans.corners.size(), 2u); // the unlinked corner is in no fan
}

TEST(FanWalk, NonManifoldEdgeUsesEveryCornerExactlyOnce) {
    // Three faces hang on edge 0; each has its own second edge.
    FanWalker walker;
    walker.reset();
    for (int f = 0; f < 3; ++f) {
        const int c = walker.addCorner({f, 0, 1 + f, 0});
        walker.link(0, c);
        walker.link(1 + f, c);
    }
    FanSet fans;
    walker.walk(fans);
    std::vector<std::int32_t> used = fans.corners;
    std::sort(used.begin(), used.end());
    EXPECT_EQ(used, (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(fans.fans.size(), 2u); // two faces across edge 0, the third on its own
}

// Groups of a single fan, as lists of positions.
std::vector<std::vector<std::uint32_t>> groupsOf(const FanSet& fans, const std::vector<bool>& cut) {
    CornerGroups groups;
    splitFans(fans, cut, groups);
    std::vector<std::vector<std::uint32_t>> out(groups.count());
    for (std::uint32_t p = 0; p < fans.corners.size(); ++p)
        out[static_cast<std::size_t>(groups.groupOf[p])].push_back(p);
    for (std::size_t g = 0; g < groups.count(); ++g)
        EXPECT_EQ(groups.firstOfGroup[g], out[g].front());
    return out;
}

FanSet singleFan(std::uint32_t size, bool closed) {
    FanSet fans;
    for (std::uint32_t p = 0; p < size; ++p) {
        fans.corners.push_back(static_cast<std::int32_t>(p));
        fans.junctions.push_back(p + 1 < size || closed ? static_cast<std::int32_t>(p) : -1);
    }
    fans.fans.push_back({0, size, closed});
    return fans;
}

using Groups = std::vector<std::vector<std::uint32_t>>;

TEST(FanSplit, ClosedFanJoinsItsFirstAndLastRunsOnlyAcrossAnUncutJunction) {
    const FanSet closed = singleFan(6, true);
    // Cuts after positions 1 and 3: runs {0,1} {2,3} {4,5}; the closing junction is uncut.
    EXPECT_EQ(groupsOf(closed, {false, true, false, true, false, false}),
              (Groups{{0, 1, 4, 5}, {2, 3}}));
    // The closing junction cut as well: three separate groups.
    EXPECT_EQ(groupsOf(closed, {false, true, false, true, false, true}),
              (Groups{{0, 1}, {2, 3}, {4, 5}}));
    // Only two runs are not joined.
    EXPECT_EQ(groupsOf(closed, {false, true, false, false, false, false}),
              (Groups{{0, 1}, {2, 3, 4, 5}}));
    // Nothing cut: one group.
    EXPECT_EQ(groupsOf(closed, std::vector<bool>(6, false)), (Groups{{0, 1, 2, 3, 4, 5}}));
}

TEST(FanSplit, OpenFansNeverJoinAndEachFanStartsItsOwnGroup) {
    FanSet fans = singleFan(3, false);
    EXPECT_EQ(groupsOf(fans, {true, false, false}), (Groups{{0}, {1, 2}}));
    // A second fan after the first.
    fans.corners.push_back(3);
    fans.junctions.push_back(-1);
    fans.fans.push_back({3, 4, false});
    EXPECT_EQ(groupsOf(fans, {false, false, false, false}), (Groups{{0, 1, 2}, {3}}));
}

} // namespace
} // namespace vx::test
