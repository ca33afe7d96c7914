// The key compression: how positions are scaled, how a component's values are cut into
// constant and literal blocks (against a literal, one-length-at-a-time reference), and the
// limits past which the format cannot hold the keys.
#include "AnimationExporter/AnimationKeys.h"
#include "AnimationExporter/AnimationStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace vx {
namespace {

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
