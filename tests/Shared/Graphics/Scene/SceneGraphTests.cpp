// Nodes, links, reference counts, named values and the scene.
#include "Shared/Base/Assert.h"
#include "Shared/Graphics/Scene/BranchNode.h"
#include "Shared/Graphics/Scene/LeafNode.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilLocatorNode.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Shared/Graphics/Scene/SceneTestData.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace vx {
namespace {

bool logged(const std::string& text) {
    return test::LogCapture::debugText().find(text) != std::string::npos;
}

TEST(SceneNode, SlotBehaviourOfLeavesAndBranches) {
    auto* leaf = new LeafNode();
    auto* mesh = new UtilMeshNode();
    auto* branch = new BranchNode();
    EXPECT_EQ((std::vector<bool>{leaf->canHaveChildren(), leaf->canHaveParents(),
                                 leaf->children() == nullptr, branch->canHaveChildren()}),
              (std::vector<bool>{false, true, true, true}));
    ASSERT_NE(branch->children(), nullptr);
    // addChild on a leaf or a geometry node is refused; so are null, self and duplicates.
    EXPECT_EQ((std::vector<bool>{leaf->addChild(branch), mesh->addChild(branch),
                                 mesh->addChild(branch, 0), mesh->insertChild(branch, 0),
                                 branch->addChild(nullptr), branch->addChild(branch),
                                 leaf->addParent(nullptr)}),
              std::vector<bool>(7, false));
    EXPECT_EQ(std::tuple(branch->refCount(), branch->parentCount()), std::tuple(1, 0u));
    // A second add of the same child keeps one entry and one reference.
    EXPECT_EQ((std::vector<bool>{branch->addChild(leaf), branch->addChild(leaf)}),
              (std::vector<bool>{true, false}));
    EXPECT_EQ(std::tuple(branch->childCount(), leaf->refCount(), leaf->parentCount(),
                         branch->hasChild(leaf), leaf->hasParent(branch)),
              std::tuple(1u, 2, 1u, true, true));
    leaf->release();
    mesh->release();
    branch->release();
}

TEST(SceneNode, AddChildAtAnIndexInsertsBeforeThatChild) {
    auto* parent = new BranchNode();
    LeafNode* leaves[4];
    for (int i = 0; i < 4; ++i) {
        leaves[i] = new LeafNode();
        leaves[i]->setName("l" + std::to_string(i));
    }
    parent->addChild(leaves[0]);
    parent->addChild(leaves[1], 0);  // before l0
    parent->addChild(leaves[2], 99); // past the end: appended
    parent->addChild(leaves[3], 1);  // before l0, after l1
    std::string order;
    for (const SceneNode* node : *parent->children())
        order += node->name() + " ";
    EXPECT_EQ(order, "l1 l3 l0 l2 ");
    for (LeafNode* leaf : leaves)
        leaf->release();
    parent->release();
}

TEST(SceneNode, SharedMeshHasTwoParentsAndCountThreeUntilTheCreatorReleasesIt) {
    const auto before = SceneNode::liveCount();
    auto* a = new UtilTransformNode();
    auto* b = new UtilTransformNode();
    auto* mesh = new UtilMeshNode();
    EXPECT_EQ(SceneNode::liveCount(), before + 3);
    EXPECT_TRUE(a->addChild(mesh) && b->addChild(mesh));
    EXPECT_EQ(std::tuple(mesh->parentCount(), mesh->refCount()), std::tuple(2u, 3));
    mesh->release();
    EXPECT_EQ(mesh->refCount(), 2);
    a->release();
    EXPECT_EQ(std::tuple(mesh->parentCount(), mesh->refCount()), std::tuple(1u, 1));
    b->release();
    EXPECT_EQ(SceneNode::liveCount(), before);
}

TEST(SceneNode, RemoveAndDetachReleaseTheChild) {
    auto* a = new BranchNode();
    auto* b = new BranchNode();
    auto* child = new LeafNode();
    a->addChild(child);
    b->addChild(child);
    EXPECT_EQ((std::vector<bool>{child->detachFromParent(a), child->detachFromParent(a)}),
              (std::vector<bool>{true, false}));
    EXPECT_EQ(child->refCount(), 2);
    EXPECT_TRUE(child->detachFromParents());
    EXPECT_EQ(std::tuple(child->parentCount(), child->refCount()), std::tuple(0u, 1));
    EXPECT_EQ((std::vector<bool>{child->detachFromParents(), a->removeChild(child)}),
              (std::vector<bool>{false, false}));
    child->release();
    a->release();
    b->release();
}

TEST(SceneNode, RawListEditsTakeNoReferencesExceptReplaceChild) {
    auto* parent = new BranchNode();
    auto* x = new LeafNode();
    auto* y = new LeafNode();
    EXPECT_EQ((std::vector<bool>{parent->insertChild(x, -1), parent->insertChild(x, -1)}),
              (std::vector<bool>{true, false}));
    EXPECT_EQ(x->refCount(), 1);
    EXPECT_TRUE(parent->replaceChild(x, y));
    EXPECT_EQ(std::tuple(y->refCount(), parent->hasChild(x)), std::tuple(2, false));
    EXPECT_EQ((std::vector<bool>{parent->eraseChild(y), parent->eraseChild(y)}),
              (std::vector<bool>{true, false}));
    y->release(); // the reference replaceChild took
    EXPECT_EQ(
        (std::vector<bool>{x->addParent(parent), x->addParent(parent), x->replaceParent(parent, y),
                           x->hasParent(y), x->removeParent(y), x->removeParent(y)}),
        (std::vector<bool>{true, false, true, true, true, false}));
    x->release();
    y->release();
    parent->release();
}

TEST(SceneNode, JointKeysAndInfluencesAssertOutOfRange) {
    test::LogCapture capture;
    auto* joint = new UtilJointNode();
    joint->addKey(3.0f, {0, 0, 0, 1}, {1, 2, 3});
    EXPECT_EQ(std::tuple(joint->keyTime(0), joint->keyTranslation(0)),
              std::tuple(3.0f, Vector3{1, 2, 3}));
    EXPECT_THROW(joint->keyTime(1), AssertionFailed);
    EXPECT_TRUE(logged("key < m_timeIndices.size()"));
    auto* mesh = new UtilMeshNode();
    EXPECT_TRUE(mesh->addInfluenceObject(joint));
    EXPECT_FALSE(mesh->addInfluenceObject(nullptr));
    EXPECT_EQ(std::tuple(joint->refCount(), mesh->influenceObject(0)), std::tuple(2, joint));
    EXPECT_THROW(mesh->influenceObject(1), AssertionFailed);
    EXPECT_TRUE(logged("index < m_influenceObjects.size()"));
    mesh->release();
    EXPECT_EQ(joint->refCount(), 1);
    joint->release();
}

TEST(NamedValues, FourKindsByNameInNameOrder) {
    auto* node = new UtilLocatorNode();
    NamedValueHolder& holder = *node;
    holder.setText("zephB", "text");
    holder.setInt("zephA", -3);
    holder.setFloat("zephC", 2.5f);
    holder.setBool("anim_export", true);
    EXPECT_EQ(std::tuple(holder.getInt("zephA"), holder.getFloat("zephC"),
                         holder.getBool("anim_export"), holder.getText("zephB")),
              std::tuple(-3, 2.5f, true, "text"));
    // Looking a value up as another kind finds nothing.
    EXPECT_FALSE(holder.getBool("zephA").has_value() || holder.getInt("missing").has_value());
    holder.setInt("zephB", 4); // replaces, kind included
    EXPECT_EQ(holder.getInt("zephB"), 4);
    std::string order;
    for (const auto& entry : holder.namedValues().values())
        order += entry.first + " ";
    EXPECT_EQ(order, "anim_export zephA zephB zephC ");
    node->release();
}

} // namespace
} // namespace vx
