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
#include <random>

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

// The key compression: how positions are scaled, how a component's values are cut into
// constant and literal blocks (against a literal, one-length-at-a-time reference), and the
// limits past which the format cannot hold the keys.
TEST(AnimationStream, PositionPrecisionFollowsTheLargestPosition) {
    struct Case {
        float largest;
        int bits;
        int precision;
        float scale;
        float tolerance;
    };
    const float floor = 1.0f / 32768.0f;
    const Case cases[] = {
        {0.0f, 0, 15, 32767.0f, floor},     {0.4f, 0, 15, 32767.0f, floor},
        {0.5f, 1, 14, 16383.0f, floor},     {1.49f, 1, 14, 16383.0f, floor},
        {100.0f, 7, 8, 255.0f, floor},      {127.4f, 7, 8, 255.0f, floor},
        {127.5f, 8, 7, 127.0f, floor},      {1000.0f, 10, 5, 31.0f, 0.001f / 31},
        {8191.4f, 13, 2, 3.0f, 0.001f / 3}, {16383.4f, 14, 1, 1.0f, 0.001f},
    };
    for (const Case& c : cases) {
        const PositionPrecision p = positionPrecision(c.largest);
        EXPECT_EQ(p.bits, c.bits) << c.largest;
        EXPECT_EQ(p.precision, c.precision) << c.largest;
        EXPECT_EQ(p.positionScale, c.scale) << c.largest;
        EXPECT_FLOAT_EQ(p.tolerance, c.tolerance) << c.largest;
    }
}

std::vector<std::uint16_t> blocksOf(const std::vector<float>& values, float tolerance = 1e-4f) {
    std::vector<std::uint16_t> words;
    appendKeyBlocks(values.data(), values.size(), kRotationScale, tolerance, words);
    return words;
}

TEST(AnimationStream, BlockLayouts) {
    // 0.25 * 32767 = 8191.75, stored as 8191.
    EXPECT_EQ(blocksOf(std::vector<float>(300, 0.25f)),
              (std::vector<std::uint16_t>{0x02FE, 8191, 0x02FE, 8191, 0x02B0, 8191}));
    EXPECT_EQ(blocksOf({0.1f, 0.2f, 0.3f}), (std::vector<std::uint16_t>{0x0403, 3276, 6553, 9830}));
    EXPECT_EQ(blocksOf({-0.1f}), (std::vector<std::uint16_t>{0x0201, 0xF334})); // -3276

    // Two literal steps of 5 merge into one block, then the ten equal values are constant.
    std::vector<float> tenThenTen;
    for (int i = 0; i < 10; ++i)
        tenThenTen.push_back(0.01f * static_cast<float>(i));
    tenThenTen.insert(tenThenTen.end(), 10, 0.5f);
    const std::vector<std::uint16_t> words = blocksOf(tenThenTen);
    ASSERT_EQ(words.size(), 13u);
    EXPECT_EQ(words[0], 0x0B0A);
    EXPECT_EQ(words[11], 0x028A);
    EXPECT_EQ(words[12], 16383);

    // Five equal values are too few for a constant block.
    EXPECT_EQ(blocksOf({0.1f, 0.1f, 0.1f, 0.1f, 0.1f}),
              (std::vector<std::uint16_t>{0x0605, 3276, 3276, 3276, 3276, 3276}));
}

// The blocks exactly as the rule reads: for each length from the longest down, the mean of
// that many values summed on their own, and every value checked against it.
std::vector<std::uint16_t> literalReference(const std::vector<float>& v, float scale,
                                            float tolerance) {
    std::vector<std::uint16_t> words;
    std::vector<std::uint16_t> open; // the open literal block's values
    const auto close = [&] {
        if (open.empty())
            return;
        const auto frames = static_cast<unsigned>(open.size());
        words.push_back(static_cast<std::uint16_t>(frames | ((frames + 1) << 8)));
        words.insert(words.end(), open.begin(), open.end());
        open.clear();
    };
    const auto quantise = [scale](float value) {
        return static_cast<std::uint16_t>(
            static_cast<std::int16_t>(static_cast<std::int32_t>(value * scale)));
    };
    std::size_t at = 0;
    while (at < v.size()) {
        const std::size_t r = v.size() - at;
        std::size_t found = 0;
        double foundMean = 0.0;
        for (std::size_t length = std::min<std::size_t>(r, 126); length >= 6 && !found; --length) {
            double sum = 0.0;
            for (std::size_t i = 0; i < length; ++i)
                sum += static_cast<double>(v[at + i]);
            const double mean = sum / static_cast<double>(length);
            bool all = true;
            for (std::size_t i = 0; i < length; ++i) {
                const auto value = static_cast<double>(v[at + i]);
                all = all && value >= mean - static_cast<double>(tolerance) / 2.0 &&
                      value <= mean + static_cast<double>(tolerance) / 2.0;
            }
            if (all) {
                found = length;
                foundMean = mean;
            }
        }
        if (found) {
            close();
            words.push_back(static_cast<std::uint16_t>((0x80 | found) | (2 << 8)));
            words.push_back(quantise(static_cast<float>(foundMean)));
            at += found;
            continue;
        }
        const std::size_t step = std::min<std::size_t>(r, 5);
        if (open.size() + step >= 126)
            close();
        for (std::size_t i = 0; i < step; ++i)
            open.push_back(quantise(v[at + i]));
        at += step;
    }
    close();
    return words;
}

TEST(AnimationStream, BlocksMatchTheLiteralRuleOnGeneratedCurves) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    for (int round = 0; round < 300; ++round) {
        const std::size_t frames = 1 + random() % 700;
        const float tolerance =
            round % 3 == 0 ? 1.0f / 32768.0f : 0.001f * static_cast<float>(1 + round % 5);
        std::vector<float> values;
        float level = unit(random);
        while (values.size() < frames) {
            const std::size_t run = 1 + random() % 160;
            const int kind = static_cast<int>(random() % 4);
            for (std::size_t i = 0; i < run && values.size() < frames; ++i) {
                const float x = static_cast<float>(values.size());
                switch (kind) {
                case 0: // constant stretch
                    values.push_back(level);
                    break;
                case 1: // smooth curve
                    values.push_back(0.8f * std::sin(0.05f * x + level));
                    break;
                case 2: // jitter right around the tolerance
                    values.push_back(level + 0.6f * tolerance * unit(random));
                    break;
                default: // noise
                    values.push_back(unit(random));
                }
            }
            level = unit(random);
        }
        SCOPED_TRACE("round " + std::to_string(round));
        EXPECT_EQ(blocksOf(values, tolerance), literalReference(values, kRotationScale, tolerance));
    }
}

AnimationKeys keysOf(std::size_t bones, std::uint32_t frames, float value) {
    AnimationKeys keys;
    keys.frameCount = frames;
    for (std::size_t b = 0; b < bones; ++b) {
        keys.boneIndices.push_back(static_cast<std::uint16_t>(b));
        keys.boneNames.push_back("bone" + std::to_string(b));
    }
    keys.values.assign(bones * frames * AnimationKeys::kComponents, value);
    return keys;
}

TEST(AnimationStream, KeysTheFormatCannotHoldAreRefused) {
    std::string bytes;
    std::string error;
    AnimationKeys keys = keysOf(2, 3, 0.0f);
    keys.values[(1 * 3 + 2) * 7 + 5] = -16383.4f;
    ASSERT_TRUE(encodeAnimationStream(keys, bytes, error)) << error;
    EXPECT_EQ(static_cast<std::int8_t>(bytes[0]), 1);

    keys.values[(1 * 3 + 2) * 7 + 5] = -16383.5f;
    EXPECT_FALSE(encodeAnimationStream(keys, bytes, error));
    EXPECT_EQ(error, "bone bone1 has the position value -16383.500000 at frame 2; the animation "
                     "file cannot store positions of magnitude 16383.5 or more");
    keys.values[(1 * 3 + 2) * 7 + 5] = 0.0f;
    keys.values[(0 * 3 + 1) * 7 + 3] = 1.5f;
    EXPECT_FALSE(encodeAnimationStream(keys, bytes, error));
    EXPECT_EQ(error, "bone bone0 has the value 1.500000 in qw at frame 1, not part of a unit "
                     "quaternion");
    keys.values[(0 * 3 + 1) * 7 + 3] = std::nanf("");
    EXPECT_FALSE(encodeAnimationStream(keys, bytes, error));
    EXPECT_NE(error.find("in qw at frame 1, not a number"), std::string::npos);

    // A bone of noise takes about 7 * 1.008 words a frame: 9,000 frames fit its 16-bit word
    // count, 9,400 do not.
    std::mt19937 random(3);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    for (const std::uint32_t frames : {9000u, 9400u}) {
        AnimationKeys noisy = keysOf(1, frames, 0.0f);
        for (float& v : noisy.values)
            v = unit(random);
        EXPECT_EQ(encodeAnimationStream(noisy, bytes, error), frames == 9000u) << frames;
    }
    EXPECT_EQ(error, "bone bone0 needs 66332 words, more than its 16-bit word count holds "
                     "(65535); the 9400 frames are too many");

    // 34 such bones of 9,000 frames need more than the stream's 4 MiB.
    AnimationKeys many = keysOf(34, 9000, 0.0f);
    for (float& v : many.values)
        v = unit(random);
    bytes = "untouched";
    EXPECT_FALSE(encodeAnimationStream(many, bytes, error));
    EXPECT_EQ(error, "the compressed keys need more than the 4194304 bytes the stream may hold");
    EXPECT_EQ(bytes, "untouched");
}

} // namespace
} // namespace vx
