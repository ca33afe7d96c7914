// Which joints become bones, in what order, with which parents: the naming conventions of
// kit bones, attach bones and mesh slots.
#include "AnimationExporter/Skeleton.h"
#include "tests/AnimationExporter/TestRig.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

using test::TestRig;

struct ExpectedBone {
    std::string name;
    std::int32_t parent;
    bool animated;
    bool meshSlot;
    bool attach;
};

void expectBones(const Skeleton& skeleton, const std::vector<ExpectedBone>& expected) {
    ASSERT_EQ(skeleton.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const SkeletonBone& bone = skeleton.bones()[i];
        SCOPED_TRACE("bone " + std::to_string(i));
        EXPECT_EQ(skeleton.boneName(i), expected[i].name);
        EXPECT_EQ(bone.parent, expected[i].parent);
        EXPECT_EQ(bone.animated, expected[i].animated);
        EXPECT_EQ(bone.meshSlot, expected[i].meshSlot);
        EXPECT_EQ(bone.attach, expected[i].attach);
    }
}

TEST(Skeleton, KitBonesFollowTheMeshSlotsAndEverythingBelowThemIsRepointed) {
    TestRig rig;
    SceneNode& top = rig.transform("root_skeleton", rig.root());
    UtilJointNode& hips = rig.joint("hips", top);
    UtilJointNode& spine = rig.joint("spine", hips);
    rig.joint("torus_hand", spine);
    UtilJointNode& gear = rig.joint("gear_mesh", spine);
    rig.joint("strap", gear);       // a normal bone below a kit bone
    rig.joint("gear_mesh_b", gear); // a kit bone below a kit bone
    UtilJointNode& leg = rig.joint("leftLeg", hips, false);
    UtilJointNode& knee = rig.joint("knee", leg, std::nullopt); // no attribute: not a bone
    rig.joint("foot", knee);
    rig.transform("Mesh1_hand", top);   // slot 1
    rig.transform("mesh10", top);       // beyond the 8 slots of a skeleton with kit bones
    rig.joint("right_ullna_mesh", top); // a kit bone whatever else its name says

    test::LogCapture log;
    Skeleton skeleton;
    skeleton.buildSkeleton(rig.root());
    std::vector<ExpectedBone> expected = {
        {"hips", -1, true, false, false},     {"spine", 0, true, false, false},
        {"torus_hand", 1, true, false, true}, {"strap", 14, true, false, false},
        {"leftLeg", 0, false, false, false},  {"foot", 4, true, false, false},
        {"Mesh1_hand", 2, true, true, false},
    };
    for (int slot = 2; slot <= 8; ++slot)
        expected.push_back({"mesh" + std::to_string(slot), 2, false, true, false});
    expected.push_back({"gear_mesh", 1, true, false, false});
    expected.push_back({"gear_mesh_b", 14, true, false, false});
    expected.push_back({"right_ullna_mesh", -1, true, false, true});
    expectBones(skeleton, expected);

    EXPECT_TRUE(log.contains("found kitBone:gear_mesh"));
    EXPECT_TRUE(log.contains("found transformation node:Mesh1_hand"));
    EXPECT_TRUE(log.contains("no transformation node found for:mesh8"));
    EXPECT_FALSE(log.contains("no transformation node found for:mesh9"));
    EXPECT_TRUE(log.contains("3 skeleton bone:strap mother:14 anim_export:1"));
    EXPECT_TRUE(log.contains("0 skeleton bone:hips mother:65535 anim_export:1"));
    EXPECT_TRUE(log.contains("skeletonBuilt, nBones=17 fromNode:rig.ma"));
}

TEST(Skeleton, WithoutAnAttachBoneAKitBoneFollowsTheLastNormalBone) {
    TestRig rig;
    UtilJointNode& hips = rig.joint("hips", rig.root());
    UtilJointNode& arm = rig.joint("arm", hips, false);
    rig.joint("shield_mesh", arm);
    rig.transform("mesh1", hips); // no attach bone: no slots at all
    Skeleton skeleton;
    skeleton.buildSkeleton(rig.root());
    expectBones(skeleton, {{"hips", -1, true, false, false},
                           {"arm", 0, false, false, false},
                           {"shield_mesh", 1, true, false, false}});
}

TEST(Skeleton, WithoutKitBonesSixteenSlotsAreFoundByNumber) {
    TestRig rig;
    UtilJointNode& hips = rig.joint("hips", rig.root());
    UtilJointNode& ullna = rig.joint("right_ullna", hips, false);
    rig.joint("torus", hips);       // a second attach bone: the slots stay on the first
    rig.transform("mesh01", ullna); // not slot 1
    rig.transform("mesh17", ullna); // no such slot
    rig.transform("mesh10", ullna); // slot 10, never slot 1
    UtilTransformNode& first = rig.transform("MESH1", ullna);
    rig.transform("mesh1", ullna);            // slot 1 was found already
    rig.joint("mesh16", ullna, std::nullopt); // a joint never fills a slot
    rig.transform("mesh16x", hips);
    Skeleton skeleton;
    skeleton.buildSkeleton(rig.root());
    ASSERT_EQ(skeleton.size(), 3u + 16u);
    for (int slot = 1; slot <= 16; ++slot) {
        const SkeletonBone& bone = skeleton.bones()[static_cast<std::size_t>(2 + slot)];
        SCOPED_TRACE(slot);
        EXPECT_TRUE(bone.meshSlot);
        EXPECT_EQ(bone.parent, 1);
        EXPECT_EQ(bone.animated, slot == 1 || slot == 10 || slot == 16);
        EXPECT_EQ(bone.local, Matrix::identity());
    }
    EXPECT_EQ(skeleton.bones()[3].node, &first);
    EXPECT_EQ(skeleton.boneName(12), "mesh10");
    EXPECT_EQ(skeleton.boneName(18), "mesh16x");
    EXPECT_EQ(skeleton.boneName(4), "mesh2");
}

} // namespace
} // namespace vx
