#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/ExportType.h"
#include "MeshExporter/ExportedFileSet.h"
#include "MeshExporter/MeshExporter.h"
#include "MeshExporter/NodeSearch.h"
#include "Shared/Graphics/Scene/OwnedNode.h"
#include "Shared/Graphics/Scene/RootNode.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace vx {
namespace {

// A scene built from (name, parent name) pairs in order; the parent must come first.
class NamedScene {
public:
    NamedScene(std::initializer_list<std::pair<const char*, const char*>> nodes) {
        m_scene.setRoot(makeNode<RootNode>().get());
        m_scene.getRoot()->setName("scenes/tank.ma");
        for (const auto& [name, parent] : nodes) {
            const auto node = makeNode<UtilTransformNode>();
            node->setName(name);
            SceneNode* under = parent ? find(parent) : m_scene.getRoot();
            EXPECT_NE(under, nullptr) << parent;
            if (under)
                under->addChild(node.get());
        }
    }
    Scene& scene() { return m_scene; }
    SceneNode* root() { return m_scene.getRoot(); }
    SceneNode* find(const char* name) {
        // Exact names only, to tell the search under test apart from the helper.
        std::vector<SceneNode*> pending{root()};
        while (!pending.empty()) {
            SceneNode* node = pending.back();
            pending.pop_back();
            if (node->name() == name)
                return node;
            for (SceneNode* child : *node->children())
                pending.push_back(child);
        }
        return nullptr;
    }

private:
    Scene m_scene;
};

const char* nameOf(const SceneNode* node) {
    return node ? node->name().c_str() : "<none>";
}

TEST(NodeSearch, PrefixesMatchIgnoringCaseInPreOrder) {
    NamedScene s({{"root_staticMesh", nullptr},
                  {"Geom10", "root_staticMesh"},
                  {"LOD0", "Geom10"},
                  {"geom1", "root_staticMesh"},
                  {"lod0", "geom1"},
                  {"lod2", "geom1"}});
    // geom10 comes first in the walk, so a search for geom1 finds it.
    EXPECT_STREQ(nameOf(findNodeByPrefix(s.root(), "geom1")), "Geom10");
    EXPECT_STREQ(nameOf(findNodeByPrefix(s.find("geom1"), "GEOM1")), "geom1");
    EXPECT_STREQ(nameOf(findNodeByPrefix(s.root(), "lod0")), "LOD0");
    EXPECT_EQ(findNodeByPrefix(s.root(), "geom10_extra"), nullptr);
    EXPECT_EQ(findNodeByPrefix(nullptr, "geom"), nullptr);
    EXPECT_STREQ(nameOf(findChildNumbered(s.find("geom1"), "lod", 2)), "lod2");
    EXPECT_EQ(findChildNumbered(s.find("geom1"), "lod", 1), nullptr);
}

TEST(NodeSearch, TheRootIsTheFirstNodeNamingAKnownType) {
    NamedScene upper({{"group", nullptr}, {"ROOT_StaticMesh", "group"}});
    EXPECT_STREQ(nameOf(findRoot(upper.root())), "ROOT_StaticMesh");
    EXPECT_EQ(currentExportType(), kStaticMesh);

    // An unknown type name is passed over for a valid root in its subtree or a later one.
    NamedScene nested(
        {{"root_crate", nullptr}, {"root_skinnedMesh", "root_crate"}, {"root_animation", nullptr}});
    EXPECT_STREQ(nameOf(findRoot(nested.root())), "root_skinnedMesh");
    EXPECT_EQ(currentExportType(), kSkinnedMesh);
    NamedScene later({{"root_crate", nullptr}, {"root_skeleton", nullptr}});
    EXPECT_STREQ(nameOf(findRoot(later.root())), "root_skeleton");
    EXPECT_EQ(currentExportType(), kSkeleton);

    NamedScene unknown({{"root_crate", nullptr}, {"rootless", nullptr}});
    EXPECT_EQ(findRoot(unknown.root()), nullptr);
    EXPECT_EQ(currentExportType(), kNoExportType);
}

TEST(ExportGameAssets, ASceneWithoutAValidRootFailsWithTheArtistsMessage) {
    exportedFileSet().add("left/over.from.before");
    exportErrorList().append("the reader's error");
    NamedScene s({{"root_crate", nullptr}, {"geom0", "root_crate"}});
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
    NamedScene s({{"root_skinnedMesh_kits", nullptr}, {"Root_SkinnedMesh", nullptr}});
    exportErrorList().clear();
    test::TempDir dir;
    EXPECT_FALSE(exportGameAssets(s.scene(), dir.file("tank.skinnedMesh"), nullptr, -1));
    EXPECT_EQ(currentExportType(), kSkinnedMesh);
    EXPECT_EQ(exportErrorList().entries(),
              std::vector<std::string>{"There is seems to no geom nodes, aborting"});
}

} // namespace
} // namespace vx
