// The example scenes through `vornex parse`: meshes, skins and cgfx materials reach the scene
// graph file and read back whole.
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Vornex/RunVornex.h"
#include "tests/Vornex/SceneQueries.h"

#include <gtest/gtest.h>

#include <memory>

namespace vx {
namespace {

// The `which`-th mesh node so named in an example scene's graph, in depth-first order.
const UtilMeshNode& meshNode(const test::ParsedScene& parsed, const std::string& name,
                             int which = 0) {
    int seen = 0;
    for (SceneNode* node : test::allNodes(parsed.root()))
        if (node->getType() == &UtilMeshNode::type && node->name() == name && seen++ == which)
            return static_cast<const UtilMeshNode&>(*node);
    throw std::runtime_error("no mesh node " + name);
}

TEST(ReaderEndToEnd, StaticPropKeepsItsTwoCgfxMaterialsAndTheirRecords) {
    const test::ParsedScene rock(test::examplePath("props/rock/rock.ma"));
    ASSERT_EQ(rock.status(), 0);
    const MaterialGroupedMesh& mesh = *meshNode(rock, "rockShape").mesh();
    ASSERT_EQ(mesh.m_groups.size(), 2u);
    EXPECT_EQ(mesh.m_groups[0].m_primitives.size(), 4u);
    const Material& side = *mesh.m_groups[0].m_material;
    const Material& top = *mesh.m_groups[1].m_material;
    EXPECT_TRUE(side.isHardwareShader());
    EXPECT_EQ(side.getText("zeph_TechniqueName"), "BaseDirt");
    EXPECT_EQ(side.getText("zeph_FxTexture1"), "props/rock/rock_dirt.dds");
    EXPECT_EQ(top.getText("zeph_TechniqueName"), "BaseDetailparallaxdetail");
    EXPECT_EQ(top.getInt("zeph_NumFxTextures"), 2);
    // A hard-edged box: 8 host vertices in 24 game vertices, one UV channel for the effect.
    const VertexBuffer& vertices = *mesh.m_geometry->m_vertexBuffer;
    EXPECT_EQ(vertices.m_positions.size(), 8u);
    EXPECT_EQ(vertices.vertexCount(), 24u);
    EXPECT_EQ(vertices.m_texts, std::vector<std::string>{"map1"});
    EXPECT_EQ(mesh.m_geometry->m_namedValues.getText("zephSurface"), "stone");
}

TEST(ReaderEndToEnd, VehicleWheelsShareOneGroupedMeshAcrossTheFile) {
    const test::ParsedScene jeep(test::examplePath("vehicles/jeep/jeep.ma"));
    ASSERT_EQ(jeep.status(), 0);
    const UtilMeshNode& left = meshNode(jeep, "wheelShape", 0);
    const UtilMeshNode& right = meshNode(jeep, "wheelShape", 1);
    EXPECT_EQ(left.parents()[0]->name(), "wheel_left__RotationalBundle");
    EXPECT_EQ(right.parents()[0]->name(), "wheel_right__RotationalBundle");
    EXPECT_EQ(left.mesh(), right.mesh());
    EXPECT_EQ(left.mesh()->m_groups[0].m_material->getText("zeph_FxTexture0"),
              "vehicles/jeep/jeep_wheel_d.dds");
    // The shadow map left at its default is not a texture of the material.
    EXPECT_EQ(
        meshNode(jeep, "chassisShape").mesh()->m_groups[0].m_material->getInt("zeph_NumFxTextures"),
        2);
}

TEST(ReaderEndToEnd, SkinnedCharacterCarriesItsWeightsAndJoints) {
    const test::ParsedScene soldier(test::examplePath("characters/soldier/soldier.ma"));
    ASSERT_EQ(soldier.status(), 0);
    const UtilMeshNode& body = meshNode(soldier, "upper_lod0Shape");
    ASSERT_EQ(body.influenceCount(), 21u);
    EXPECT_EQ(body.influenceObject(0)->name(), "hips");
    EXPECT_EQ(body.influenceObject(1)->name(), "spine1");
    const VertexBuffer& vertices = *body.mesh()->m_geometry->m_vertexBuffer;
    ASSERT_EQ(vertices.m_skinWeights.size(), 168u);
    EXPECT_EQ(vertices.m_skinWeights[0].m_bones[0], 0);
    EXPECT_EQ(vertices.m_skinWeights[0].m_weights[0], 1.0f);
    // The second ring: hips 0.3 and spine1 0.7, in the cluster's influence order.
    EXPECT_EQ(vertices.m_skinWeights[8].m_weights[1], 0.7f);
    EXPECT_EQ(vertices.m_skinWeights[8].m_bones[1], 1);
    for (const Vertex& v : vertices.m_vertices)
        EXPECT_EQ(v.getBlendWeight(), v.getPosition());
}

} // namespace
} // namespace vx
