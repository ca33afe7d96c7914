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

namespace vx {
namespace {

bool logged(const std::string& text) {
    return test::LogCapture::debugText().find(text) != std::string::npos;
}

TEST(SceneNode, LiveCounterFollowsConstructionAndDestruction) {
    const auto before = SceneNode::liveCount();
    auto* node = new UtilTransformNode();
    EXPECT_EQ(SceneNode::liveCount(), before + 1);
    node->addRef();
    node->release();
    EXPECT_EQ(SceneNode::liveCount(), before + 1);
    node->release();
    EXPECT_EQ(SceneNode::liveCount(), before);
}

TEST(SceneNode, SlotBehaviourOfLeavesAndBranches) {
    auto* leaf = new LeafNode();
    auto* mesh = new UtilMeshNode();
    auto* branch = new BranchNode();
    EXPECT_FALSE(leaf->canHaveChildren());
    EXPECT_TRUE(leaf->canHaveParents());
    EXPECT_EQ(leaf->children(), nullptr);
    EXPECT_TRUE(branch->canHaveChildren());
    ASSERT_NE(branch->children(), nullptr);
    // addChild on a leaf or a geometry node is refused.
    EXPECT_FALSE(leaf->addChild(branch));
    EXPECT_FALSE(mesh->addChild(branch));
    EXPECT_FALSE(mesh->addChild(branch, 0));
    EXPECT_FALSE(mesh->insertChild(branch, 0));
    EXPECT_EQ(branch->refCount(), 1);
    EXPECT_EQ(branch->parentCount(), 0u);
    // Null, self and duplicates are refused.
    EXPECT_FALSE(branch->addChild(nullptr));
    EXPECT_FALSE(branch->addChild(branch));
    EXPECT_FALSE(leaf->addParent(nullptr));
    // A second add of the same child keeps one entry and one reference.
    EXPECT_TRUE(branch->addChild(leaf));
    EXPECT_FALSE(branch->addChild(leaf));
    EXPECT_EQ(branch->childCount(), 1u);
    EXPECT_EQ(leaf->refCount(), 2);
    EXPECT_EQ(leaf->parentCount(), 1u);
    EXPECT_TRUE(branch->hasChild(leaf));
    EXPECT_TRUE(leaf->hasParent(branch));
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
    EXPECT_TRUE(a->addChild(mesh));
    EXPECT_TRUE(b->addChild(mesh));
    EXPECT_EQ(mesh->parentCount(), 2u);
    EXPECT_EQ(mesh->refCount(), 3);
    mesh->release();
    EXPECT_EQ(mesh->refCount(), 2);
    a->release();
    EXPECT_EQ(mesh->refCount(), 1);
    EXPECT_EQ(mesh->parentCount(), 1u);
    b->release();
    EXPECT_EQ(SceneNode::liveCount(), before);
}

TEST(SceneNode, RemoveAndDetachReleaseTheChild) {
    auto* a = new BranchNode();
    auto* b = new BranchNode();
    auto* child = new LeafNode();
    a->addChild(child);
    b->addChild(child);
    EXPECT_TRUE(child->detachFromParent(a));
    EXPECT_FALSE(child->detachFromParent(a));
    EXPECT_EQ(child->refCount(), 2);
    EXPECT_TRUE(child->detachFromParents());
    EXPECT_EQ(child->parentCount(), 0u);
    EXPECT_EQ(child->refCount(), 1);
    EXPECT_FALSE(child->detachFromParents());
    EXPECT_FALSE(a->removeChild(child));
    child->release();
    a->release();
    b->release();
}

TEST(SceneNode, RawListEditsTakeNoReferencesExceptReplaceChild) {
    auto* parent = new BranchNode();
    auto* x = new LeafNode();
    auto* y = new LeafNode();
    EXPECT_TRUE(parent->insertChild(x, -1));
    EXPECT_FALSE(parent->insertChild(x, -1));
    EXPECT_EQ(x->refCount(), 1);
    EXPECT_TRUE(parent->replaceChild(x, y));
    EXPECT_EQ(y->refCount(), 2);
    EXPECT_FALSE(parent->hasChild(x));
    EXPECT_TRUE(parent->eraseChild(y));
    EXPECT_FALSE(parent->eraseChild(y));
    y->release(); // the reference replaceChild took
    EXPECT_TRUE(x->addParent(parent));
    EXPECT_FALSE(x->addParent(parent));
    EXPECT_TRUE(x->replaceParent(parent, y));
    EXPECT_TRUE(x->hasParent(y));
    EXPECT_TRUE(x->removeParent(y));
    EXPECT_FALSE(x->removeParent(y));
    x->release();
    y->release();
    parent->release();
}

TEST(SceneNode, JointKeysAndInfluencesAssertOutOfRange) {
    test::LogCapture capture;
    auto* joint = new UtilJointNode();
    joint->addKey(3.0f, {0, 0, 0, 1}, {1, 2, 3});
    EXPECT_EQ(joint->keyTime(0), 3.0f);
    EXPECT_EQ(joint->keyTranslation(0), (Vector3{1, 2, 3}));
    EXPECT_THROW(joint->keyTime(1), AssertionFailed);
    EXPECT_TRUE(logged("key < m_timeIndices.size()"));
    auto* mesh = new UtilMeshNode();
    EXPECT_TRUE(mesh->addInfluenceObject(joint));
    EXPECT_FALSE(mesh->addInfluenceObject(nullptr));
    EXPECT_EQ(joint->refCount(), 2);
    EXPECT_EQ(mesh->influenceObject(0), joint);
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
    EXPECT_EQ(holder.getInt("zephA"), -3);
    EXPECT_EQ(holder.getFloat("zephC"), 2.5f);
    EXPECT_EQ(holder.getBool("anim_export"), true);
    EXPECT_EQ(holder.getText("zephB"), "text");
    // Looking a value up as another kind finds nothing.
    EXPECT_FALSE(holder.getBool("zephA").has_value());
    EXPECT_FALSE(holder.getInt("missing").has_value());
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
