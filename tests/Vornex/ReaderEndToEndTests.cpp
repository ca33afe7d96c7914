// An example scene through `vornex parse`: its mesh and cgfx materials reach the scene graph
// file and read back whole. What the readers' own scenes pin (cgfx records, instances, skins,
// hard edges) is not repeated here; a shape's extra attributes reach its geometry only here.
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "tests/Vornex/RunVornex.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(ReaderEndToEnd, StaticPropKeepsItsCgfxTechniquesAndTheShapesAttributes) {
    const test::ParsedScene rock(test::examplePath("props/rock/rock.ma"));
    ASSERT_EQ(rock.status(), 0);
    const UtilMeshNode* node = rock.node<UtilMeshNode>("rockShape");
    ASSERT_TRUE(node && node->mesh());
    const MaterialGroupedMesh& mesh = *node->mesh();
    ASSERT_EQ(mesh.m_groups.size(), 2u);
    EXPECT_EQ(mesh.m_groups[0].m_material->getText("zeph_TechniqueName"), "BaseDirt");
    EXPECT_EQ(mesh.m_groups[1].m_material->getText("zeph_TechniqueName"),
              "BaseDetailparallaxdetail");
    EXPECT_EQ(mesh.m_geometry->m_namedValues.getText("zephSurface"), "stone");
}

} // namespace
} // namespace vx
