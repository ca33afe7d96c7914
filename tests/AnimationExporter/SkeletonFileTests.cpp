// The skeleton: which joints become bones, in what order, with which parents (the naming
// conventions of kit bones, attach bones and mesh slots); and the ".ske" file: exact bytes of a
// small skeleton, what the strict reader of `vornex info` accepts and rejects, and the cases
// where nothing may be written.
#include "AnimationExporter/Skeleton.h"
#include "AnimationExporter/SkeletonFileWriter.h"
#include "MeshExporter/ExportErrorList.h"
#include "tests/AnimationExporter/TestRig.h"
#include "tests/Shared/Base/Bytes.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tools/info/SkeletonFileReader.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vx {
namespace {

using test::Bytes;
using test::TestRig;

// hips (root) with right_ullna below it holding the 16 slots: slot 1 keyed, slot 2 found
// without keys, the rest missing.
struct SlotRig {
    SlotRig() {
        UtilJointNode& hips = rig.joint("hips", rig.root());
        hips.addKey(0, {0, 0, 0, 1}, {1, 2, 3});
        UtilJointNode& ullna = rig.joint("right_ullna", hips, false);
        ullna.addKey(0, {0.5f, 0.5f, 0.5f, 0.5f}, {0, 4, 0});
        UtilTransformNode& mesh1 = rig.transform("mesh1", ullna, true);
        mesh1.addKey(0, {0, 1, 0, 0}, {7, 8, 9});
        rig.transform("mesh2_hand", ullna);
        skeleton.buildSkeleton(rig.root());
    }
    TestRig rig;
    Skeleton skeleton;
};

TEST(SkeletonFile, BytesOfASkeletonWithMeshSlots) {
    SlotRig slots;
    test::TempDir dir;
    ASSERT_TRUE(exportSkeletonToFile(slots.skeleton, dir.file("walk.skeleton")));

    Bytes expected;
    expected.u32(2).u32(18);
    expected.u16(5).term("hips").u16(0xFFFF).f32(0).f32(0).f32(0).f32(1).f32(1).f32(2).f32(3);
    expected.u16(12).term("right_ullna").u16(0);
    expected.f32(0.5f).f32(0.5f).f32(0.5f).f32(0.5f).f32(0).f32(4).f32(0);
    // mesh1's world key (half turn about y at (7, 8, 9)) seen from right_ullna, whose world
    // matrix has rows (0, 0, 1), (1, 0, 0), (0, 1, 0) and translation (1, 6, 3): rows
    // (0, -1, 0), (0, 0, 1), (-1, 0, 0), the quaternion (0.5, -0.5, -0.5, -0.5), and the
    // position (7, 8, 9) turned back, (9, 7, 8), less (3, 1, 6).
    expected.u16(6).term("mesh1").u16(1).f32(0.5f).f32(-0.5f).f32(-0.5f).f32(-0.5f);
    expected.f32(6).f32(6).f32(2);
    // Found without keys, and missing: each sits on its attach bone, named by its slot.
    expected.u16(11).term("mesh2_hand").u16(1).f32(0).f32(0).f32(0).f32(1).f32(0).f32(0).f32(0);
    for (int slot = 3; slot <= 16; ++slot) {
        const std::string name = "mesh" + std::to_string(slot);
        expected.u16(static_cast<std::uint16_t>(name.size() + 1)).term(name).u16(1);
        expected.f32(0).f32(0).f32(0).f32(1).f32(0).f32(0).f32(0);
    }
    const std::string bytes = test::readWholeFile(dir.file("walk.ske"));
    EXPECT_EQ(bytes, expected.str());

    info::SkeletonFile file;
    std::string error;
    ASSERT_TRUE(info::readSkeletonFile(bytes, file, error)) << error;
    ASSERT_EQ(file.bones.size(), 18u);
    EXPECT_EQ(file.bones[2].name, "mesh1");
    EXPECT_EQ(file.bones[2].parent, 1);
    EXPECT_EQ(file.bones[0].parent, -1);
    EXPECT_EQ(file.bones[17].name, "mesh16");
    EXPECT_EQ(file.bones[2].position, (std::array<float, 3>{6, 6, 2}));

    // Every cut of the file, and one byte too many, is refused with the place it went wrong.
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        error.clear();
        EXPECT_FALSE(info::readSkeletonFile(bytes.substr(0, length), file, error)) << length;
        EXPECT_EQ(error.rfind("byte ", 0), 0u) << error;
    }
    EXPECT_FALSE(info::readSkeletonFile(bytes + '\0', file, error));
    EXPECT_EQ(error, "byte " + std::to_string(bytes.size()) + ": 1 bytes follow the last bone");
}

// A joint without keys is refused on the end-to-end walk with an empty playback range.
TEST(SkeletonFile, NothingIsWrittenForAPathWithoutExtension) {
    SlotRig slots;
    test::TempDir dir;
    exportErrorList().clear();
    std::filesystem::create_directory(dir.file("v1.2"));
    EXPECT_FALSE(exportSkeletonToFile(slots.skeleton, dir.file("v1.2/walk")));
    EXPECT_FALSE(exportSkeletonToFile(slots.skeleton, dir.file("walk")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("v1.ske")));
    ASSERT_EQ(exportErrorList().entries().size(), 2u);
    EXPECT_EQ(exportErrorList().entries()[1], "skeleton not written: the output path " +
                                                  dir.file("walk") + " has no file extension");
    exportErrorList().clear();
}

TEST(SkeletonFileReader, RefusesWhatTheWriterNeverWrites) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string error;
    };
    // Bones named "a", "b", ... with the given parents, each at the rest pose.
    const auto bytesOf = [](std::uint32_t version, std::uint32_t count,
                            const std::vector<std::uint16_t>& parents) {
        Bytes b;
        b.u32(version).u32(count);
        std::string name = "a";
        for (const std::uint16_t parent : parents) {
            b.u16(2).term(name).u16(parent).f32(0).f32(0).f32(0).f32(0).f32(0).f32(0).f32(0);
            ++name[0];
        }
        return b.str();
    };
    const std::vector<Case> cases = {
        {"version", bytesOf(3, 0, {}), "byte 0: version 3, expected 2"},
        {"count", bytesOf(2, 1000000, {0xFFFF}),
         "byte 4: 1000000 bones cannot fit in the 34 bytes that follow"},
        {"cycle", bytesOf(2, 2, {1, 0}), "byte 8: bone a is its own ancestor"},
    };
    for (const Case& c : cases) {
        info::SkeletonFile file;
        std::string error;
        EXPECT_FALSE(info::readSkeletonFile(c.bytes, file, error)) << c.what;
        EXPECT_EQ(error, c.error) << c.what;
    }
}

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
