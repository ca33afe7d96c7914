#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportType.h"
#include "MeshExporter/ExportedFileSet.h"
#include "MeshExporter/MeshExporter.h"
#include "MeshExporter/NodeSearch.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "tests/MeshExporter/ExportSceneBuilder.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

using test::ExportSceneBuilder;

SceneNode* top(ExportSceneBuilder& b) {
    return b.scene().getRoot();
}

const char* nameOf(const SceneNode* node) {
    return node ? node->name().c_str() : "<none>";
}

TEST(NodeSearch, PrefixesMatchIgnoringCaseInPreOrder) {
    ExportSceneBuilder s;
    s.transform("Geom10", "root_staticMesh");
    s.transform("LOD0", "Geom10");
    s.transform("geom1", "root_staticMesh");
    s.transform("lod0", "geom1");
    s.transform("lod2", "geom1");
    // geom10 comes first in the walk, so a search for geom1 finds it.
    EXPECT_STREQ(nameOf(findNodeByPrefix(top(s), "geom1")), "Geom10");
    EXPECT_STREQ(nameOf(findNodeByPrefix(s.find("geom1"), "GEOM1")), "geom1");
    EXPECT_STREQ(nameOf(findNodeByPrefix(top(s), "lod0")), "LOD0");
    EXPECT_EQ(findNodeByPrefix(top(s), "geom10_extra"), nullptr);
    EXPECT_EQ(findNodeByPrefix(nullptr, "geom"), nullptr);
    EXPECT_STREQ(nameOf(findChildNumbered(s.find("geom1"), "lod", 2)), "lod2");
    EXPECT_EQ(findChildNumbered(s.find("geom1"), "lod", 1), nullptr);
}

TEST(NodeSearch, TheRootIsTheFirstNodeNamingAKnownType) {
    ExportSceneBuilder upper("group");
    upper.transform("ROOT_StaticMesh", "group");
    EXPECT_STREQ(nameOf(findRoot(top(upper))), "ROOT_StaticMesh");
    EXPECT_EQ(currentExportType(), kStaticMesh);

    // An unknown type name is passed over for a valid root in its subtree or a later one.
    ExportSceneBuilder nested("root_crate");
    nested.transform("root_skinnedMesh", "root_crate");
    nested.transform("root_animation", "");
    EXPECT_STREQ(nameOf(findRoot(top(nested))), "root_skinnedMesh");
    EXPECT_EQ(currentExportType(), kSkinnedMesh);
    ExportSceneBuilder later("root_crate");
    later.transform("root_skeleton", "");
    EXPECT_STREQ(nameOf(findRoot(top(later))), "root_skeleton");
    EXPECT_EQ(currentExportType(), kSkeleton);

    ExportSceneBuilder unknown("root_crate");
    unknown.transform("rootless", "");
    EXPECT_EQ(findRoot(top(unknown)), nullptr);
    EXPECT_EQ(currentExportType(), kNoExportType);
}

TEST(ExportGameAssets, ASceneWithoutAValidRootFailsWithTheArtistsMessage) {
    exportedFileSet().add("left/over.from.before");
    exportErrorList().clear();
    exportErrorList().append("the reader's error");
    ExportSceneBuilder s("root_crate");
    s.transform("geom0", "root_crate");
    EXPECT_FALSE(exportGameAssets(s.scene(), "out/tank.bundledMesh", nullptr, -1));
    // What the reader listed before the export stays: the translator empties the list when it
    // starts, so those messages reach the ".log" file too.
    EXPECT_EQ(exportErrorList().entries(),
              (std::vector<std::string>{
                  "the reader's error",
                  "export type not found, possible missing root_XXXXXXXX node in Maya scene"}));
    EXPECT_TRUE(exportedFileSet().paths().empty());
    EXPECT_EQ(currentExportType(), kNoExportType);

    exportErrorList().clear();
    Scene empty;
    EXPECT_FALSE(exportGameAssets(empty, "out/tank.bundledMesh", nullptr, -1));
    EXPECT_EQ(exportErrorList().entries().size(), 1u);
}

TEST(ExportGameAssets, ANameThatOnlyBeginsWithATypeNameIsNoRoot) {
    ExportSceneBuilder s("root_skinnedMesh_kits");
    s.transform("Root_SkinnedMesh", "");
    exportErrorList().clear();
    test::TempDir dir;
    EXPECT_FALSE(exportGameAssets(s.scene(), dir.file("tank.skinnedMesh"), nullptr, -1));
    EXPECT_EQ(currentExportType(), kSkinnedMesh);
    EXPECT_EQ(exportErrorList().entries(),
              std::vector<std::string>{"There is seems to no geom nodes, aborting"});
}

} // namespace
} // namespace vx
