// The ".baf" file: keys taken from joints and mesh slots, the header, and a round trip through
// the strict reader of `vornex info` that recovers every key within the format's bounds.
#include "AnimationExporter/AnimationFileWriter.h"
#include "AnimationExporter/AnimationKeys.h"
#include "AnimationExporter/AnimationSampler.h"
#include "AnimationExporter/AnimationStream.h"
#include "AnimationExporter/Skeleton.h"
#include "MeshExporter/ExportErrorList.h"
#include "tests/AnimationExporter/TestRig.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tools/info/AnimationFileReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace vx {
namespace {

using test::addStillKeys;
using test::TestRig;

const float kHalf = std::sqrt(0.5f);
const Quaternion kQuarterZ{0, 0, kHalf, kHalf}; // row 0 (0, -1, 0), row 1 (1, 0, 0)

void expectKey(const AnimationKeys& keys, std::size_t bone, std::size_t frame,
               const std::array<float, 7>& expected) {
    for (std::size_t c = 0; c < 7; ++c)
        EXPECT_NEAR(keys.value(bone, frame, c), expected[c], 1e-6f)
            << "bone " << bone << " frame " << frame << " component " << c;
}

TEST(AnimationSampler, MeshSlotKeysAreTakenRelativeToTheirAttachBone) {
    TestRig rig;
    exportErrorList().clear();
    // The attach bone is not animated itself; the slots still hang on it.
    UtilJointNode& ullna = rig.joint("right_ullna", rig.root(), false);
    addStillKeys(ullna, 3, kQuarterZ, {0, 10, 0});
    UtilJointNode& torus = rig.joint("torus", rig.root());
    addStillKeys(torus, 3, {}, {5, 5, 5});
    // World key two units above the attach bone, turned as it is: in the attach bone's frame
    // (x maps to -y) that is (-2, 0, 0) with no turn.
    UtilTransformNode& mesh1 = rig.transform("mesh1", ullna, true);
    addStillKeys(mesh1, 3, kQuarterZ, {0, 12, 0});
    rig.transform("mesh2", ullna); // found, no keys
    Skeleton skeleton;
    skeleton.buildSkeleton(rig.root());
    ASSERT_EQ(skeleton.size(), 18u);

    AnimationKeys keys;
    std::string error;
    test::LogCapture log;
    ASSERT_TRUE(sampleAnimation(skeleton, keys, error)) << error;
    EXPECT_EQ(keys.frameCount, 3u);
    EXPECT_EQ(keys.boneIndices, (std::vector<std::uint16_t>{1, 2, 3}));
    EXPECT_EQ(keys.boneNames, (std::vector<std::string>{"torus", "mesh1", "mesh2"}));
    for (std::size_t f = 0; f < 3; ++f) {
        expectKey(keys, 0, f, {0, 0, 0, 1, 5, 5, 5});
        expectKey(keys, 1, f, {0, 0, 0, 1, -2, 0, 0});
        expectKey(keys, 2, f, {0, 0, 0, 1, 0, 0, 0}); // the rest key, no NaN
    }
    // Reported once for the node, not once a frame.
    const std::string missing =
        "(ERROR) no keyframes found, possibly missing anim_export attribute in node: mesh2";
    EXPECT_EQ(exportErrorList().entries(), std::vector<std::string>{missing});
    EXPECT_TRUE(log.contains(missing));
    exportErrorList().clear();
}

TEST(AnimationSampler, TheFrameCountComesFromTheFirstJointAndEveryNeededJointMustCoverIt) {
    TestRig rig;
    UtilTransformNode& slot = rig.transform("mesh1", rig.root());
    addStillKeys(slot, 9);
    UtilJointNode& hips = rig.joint("hips", rig.root());
    addStillKeys(hips, 4, {}, {0, 1, 0});
    const auto animated = [](SceneNode& node) {
        SkeletonBone bone;
        bone.node = &node;
        bone.animated = true;
        return bone;
    };
    const SkeletonBone first = animated(slot);
    const SkeletonBone second = animated(hips);
    AnimationKeys keys;
    std::string error;
    ASSERT_TRUE(sampleAnimation(Skeleton({first, second}), keys, error)) << error;
    EXPECT_EQ(keys.frameCount, 4u);
    expectKey(keys, 1, 3, {0, 0, 0, 1, 0, 1, 0});

    UtilJointNode& shortJoint = rig.joint("short", hips);
    addStillKeys(shortJoint, 2);
    EXPECT_FALSE(sampleAnimation(Skeleton({first, second, animated(shortJoint)}), keys, error));
    EXPECT_EQ(error, "joint short has 2 keys, fewer than the animation's 4 frames");
    EXPECT_FALSE(sampleAnimation(Skeleton({first}), keys, error));
    EXPECT_EQ(error, "no bone is a joint, so no bone gives the frame count");
}

// Keys of every kind the format meets: smooth turns, held poses with steps, still stretches,
// large root travel and small offsets.
struct WalkRig {
    explicit WalkRig(std::size_t frames) {
        UtilJointNode& hips = rig.joint("hips", rig.root());
        UtilJointNode& spine = rig.joint("spine", hips);
        UtilJointNode& held = rig.joint("held", spine, false);
        UtilJointNode& arm = rig.joint("arm", spine);
        UtilJointNode& tip = rig.joint("tip", arm);
        for (std::size_t f = 0; f < frames; ++f) {
            const float x = static_cast<float>(f);
            const float angle = 0.7f * std::sin(0.11f * x);
            const Vector3 axis = Vector3(0.3f, 1.0f, -0.2f).normalized() * std::sin(angle / 2);
            hips.addKey(x, {axis.x, axis.y, axis.z, std::cos(angle / 2)},
                        {3.0f * std::sin(0.05f * x), 95.0f, 1.7f * x}); // travels far
            const float step = (f / 40) % 2 == 0 ? 0.0f : 0.6f;         // held poses, then a jump
            spine.addKey(x, {std::sin(step / 2), 0, 0, std::cos(step / 2)}, {0, 20, 0});
            arm.addKey(x, {0, 0, 0, 1}, {-15.0f + 0.001f * std::sin(x), 35, 0});
            held.addKey(x, {0, 0, 0, 1}, {0, 0, 0});
            const Quaternion turn{0, std::sin(0.2f * x) * kHalf, 0, std::cos(0.2f * x) * kHalf};
            tip.addKey(x, turn.normalized(), {0.01f * std::cos(0.3f * x), -0.004f, 0});
        }
        skeleton.buildSkeleton(rig.root());
    }
    TestRig rig;
    Skeleton skeleton;
};

TEST(AnimationFile, TheReaderRecoversEveryJointKeyWithinTheFormatsBounds) {
    for (const std::size_t frames : {1u, 3u, 300u, 1000u}) {
        SCOPED_TRACE(frames);
        WalkRig walk(frames);
        EncodedAnimation encoded;
        std::string error;
        ASSERT_TRUE(encodeAnimationFile(walk.skeleton, encoded, error)) << error;
        info::AnimationFile file;
        ASSERT_TRUE(info::readAnimationFile(encoded.bytes, file, error)) << error;
        EXPECT_EQ(file.version, 4u);
        EXPECT_EQ(file.frameCount, frames);
        ASSERT_EQ(file.bones.size(), 4u); // held is not animated
        EXPECT_EQ(file.bones[3].skeletonIndex, 4u);

        // The hips travel up to 1.7 * (frames - 1): at 1000 frames n = 11, positions * 15.
        const float largest = std::max(95.0f, 1.7f * static_cast<float>(frames - 1));
        const PositionPrecision precision = positionPrecision(largest);
        EXPECT_EQ(file.precision, precision.precision);

        // Decoded against the joints' own keys: a literal value is truncated (off by less than
        // one step 1 / scale), a constant block stores the truncated mean of values within half
        // the tolerance of it.
        for (const info::AnimationBone& bone : file.bones) {
            const auto* joint = dynamic_cast<const UtilJointNode*>(
                walk.skeleton.bones().at(bone.skeletonIndex).node);
            ASSERT_NE(joint, nullptr);
            for (std::size_t c = 0; c < 7; ++c) {
                const float scale = file.scale(c);
                const std::vector<float> decoded = info::decodeComponent(bone.components[c], scale);
                ASSERT_EQ(decoded.size(), frames);
                const float bound = 1.0f / scale + precision.tolerance / 2 + 1e-6f;
                for (std::size_t f = 0; f < frames; ++f) {
                    const Quaternion& q = joint->keyRotation(f);
                    const Vector3& p = joint->keyTranslation(f);
                    const float expected[7] = {q.x, q.y, q.z, q.w, p.x, p.y, p.z};
                    ASSERT_NEAR(decoded[f], expected[c], bound)
                        << joint->name() << " component " << c << " frame " << f;
                }
            }
        }
    }
    EXPECT_EQ(positionPrecision(1698.3f).positionScale, 15.0f);
}

TEST(AnimationFile, HeaderBytesAndTheFilesNotWritten) {
    WalkRig walk(3);
    test::TempDir dir;
    test::LogCapture log;
    ASSERT_TRUE(saveAnimation(walk.skeleton, dir.file("walk.animation")));
    const std::string bytes = test::readWholeFile(dir.file("walk.baf"));
    // version 4, 4 bones: 0, 1, 3, 4 (held, bone 2, is not animated), 3 frames.
    const std::string header("\x04\0\0\0"
                             "\x04\0"
                             "\0\0\x01\0\x03\0\x04\0"
                             "\x03\0\0\0",
                             18);
    EXPECT_EQ(bytes.substr(0, 18), header);
    EXPECT_TRUE(log.contains("saveAnimation, number of bones: 4 nFrames:3"));
    // The spine holds one pose for 3 frames: one literal block of 3 frames per component.
    info::AnimationFile file;
    std::string error;
    ASSERT_TRUE(info::readAnimationFile(bytes, file, error)) << error;
    ASSERT_EQ(file.bones[1].components[0].blocks.size(), 1u);
    EXPECT_FALSE(file.bones[1].components[0].blocks[0].constant);
    EXPECT_EQ(file.bones[1].components[0].blocks[0].frames, 3);
    for (std::size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(info::readAnimationFile(bytes.substr(0, length), file, error)) << length;

    exportErrorList().clear();
    EXPECT_FALSE(saveAnimation(Skeleton(), dir.file("empty.animation")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("empty.baf")));
    // Encoding failures (positions past the limits, joints without keys) are checked on the
    // end-to-end walk.
    EXPECT_EQ(exportErrorList().entries(),
              std::vector<std::string>{"animation file " + dir.file("empty.baf") +
                                       " not written: no joint carries the anim_export attribute"});
    exportErrorList().clear();
}

} // namespace
} // namespace vx
