// Polygon assembly and the geometry checks of validateGeometry, on hand-made buffers.
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Vornex/Reader/MeshValidation.h"
#include "Vornex/Reader/PolygonAssembly.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vx {
namespace {

using ::testing::ElementsAre;

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

} // namespace
} // namespace vx
