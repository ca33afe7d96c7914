#include "AnimationExporter/AnimationStream.h"

#include "AnimationExporter/AnimationKeys.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace vx {
namespace {

constexpr std::size_t kMaxWords = std::numeric_limits<std::uint16_t>::max();
constexpr std::array<const char*, AnimationKeys::kComponents> kComponentNames = {
    "qx", "qy", "qz", "qw", "px", "py", "pz"};

std::uint16_t blockHeader(bool constant, unsigned frames) {
    const unsigned low = (constant ? kConstantBlockBit : 0u) | frames;
    const unsigned words = constant ? 2u : frames + 1u;
    return static_cast<std::uint16_t>(low | (words << 8));
}

std::uint16_t word(std::int16_t value) {
    return static_cast<std::uint16_t>(value);
}

} // namespace

PositionPrecision positionPrecision(float maxPosition) {
    VX_ASSERT_MSG(maxPosition >= 0.0f && maxPosition < kPositionLimit, "P = " << maxPosition);
    const long nearest = std::lround(maxPosition);
    PositionPrecision p;
    if (nearest != 0) {
        p.bits = 1;
        while ((1L << p.bits) < nearest + 1)
            ++p.bits;
    }
    p.precision = static_cast<std::int8_t>(15 - p.bits);
    p.positionScale = static_cast<float>((32768 >> p.bits) - 1);
    const float steps = static_cast<float>((1 << (15 - p.bits)) - 1);
    p.tolerance = std::max(0.001f / steps, 1.0f / 32768.0f);
    return p;
}

std::int16_t quantiseKeyValue(float value, float scale) {
    return static_cast<std::int16_t>(static_cast<std::int32_t>(value * scale));
}

ConstantRun findConstantRun(const float* values, std::size_t count, float tolerance) {
    const std::size_t cap = std::min<std::size_t>(count, kMaxConstantFrames);
    if (cap < kMinConstantFrames)
        return {};
    // Running sums in frame order give every candidate's mean exactly as summing that run
    // alone would; "all values within bounds" is "minimum and maximum within bounds".
    std::array<double, kMaxConstantFrames + 1> sum{};
    std::array<float, kMaxConstantFrames + 1> low{};
    std::array<float, kMaxConstantFrames + 1> high{};
    double running = 0.0;
    float lo = values[0];
    float hi = values[0];
    for (std::size_t i = 0; i < cap; ++i) {
        running += static_cast<double>(values[i]);
        lo = std::min(lo, values[i]);
        hi = std::max(hi, values[i]);
        sum[i + 1] = running;
        low[i + 1] = lo;
        high[i + 1] = hi;
    }
    const double half = static_cast<double>(tolerance) / 2.0;
    for (std::size_t length = cap; length >= kMinConstantFrames; --length) {
        const double mean = sum[length] / static_cast<double>(length);
        if (static_cast<double>(low[length]) >= mean - half &&
            static_cast<double>(high[length]) <= mean + half)
            return {static_cast<unsigned>(length), mean};
    }
    return {};
}

void appendKeyBlocks(const float* values, std::size_t count, float scale, float tolerance,
                     std::vector<std::uint16_t>& words) {
    constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    std::size_t literalHeader = kNone; // where the open literal block's header sits
    unsigned literalFrames = 0;
    const auto closeLiteral = [&] {
        if (literalHeader != kNone)
            words[literalHeader] = blockHeader(false, literalFrames);
        literalHeader = kNone;
        literalFrames = 0;
    };
    std::size_t at = 0;
    while (at < count) {
        const std::size_t left = count - at;
        const ConstantRun run = findConstantRun(values + at, left, tolerance);
        if (run.length != 0) {
            closeLiteral();
            words.push_back(blockHeader(true, run.length));
            words.push_back(word(quantiseKeyValue(static_cast<float>(run.mean), scale)));
            at += run.length;
            continue;
        }
        const auto step = static_cast<unsigned>(std::min<std::size_t>(left, kLiteralStep));
        if (literalHeader == kNone || literalFrames + step > kMaxLiteralFrames) {
            closeLiteral();
            literalHeader = words.size();
            words.push_back(0);
        }
        for (unsigned i = 0; i < step; ++i)
            words.push_back(word(quantiseKeyValue(values[at + i], scale)));
        literalFrames += step;
        at += step;
    }
    closeLiteral();
}

bool encodeAnimationStream(const AnimationKeys& keys, std::string& bytes, std::string& error) {
    const std::size_t frames = keys.frameCount;
    VX_ASSERT(keys.values.size() == keys.boneCount() * frames * AnimationKeys::kComponents);

    // Every value must be storable; the largest position magnitude decides how positions are.
    float largest = 0.0f;
    std::size_t largestAt = 0;
    for (std::size_t i = 0; i < keys.values.size(); ++i) {
        const float magnitude = std::fabs(keys.values[i]);
        const bool rotation = i % AnimationKeys::kComponents < 4;
        if (!std::isfinite(magnitude) || (rotation && magnitude * kRotationScale >= 32768.0f)) {
            const std::size_t key = i / AnimationKeys::kComponents;
            error =
                "bone " + keys.boneNames[key / frames] + " has the value " +
                std::to_string(keys.values[i]) + " in " +
                kComponentNames[i % AnimationKeys::kComponents] + " at frame " +
                std::to_string(key % frames) +
                (std::isfinite(magnitude) ? ", not part of a unit quaternion" : ", not a number");
            return false;
        }
        if (rotation)
            continue;
        if (magnitude > largest) {
            largest = magnitude;
            largestAt = i;
        }
    }
    if (!(largest < kPositionLimit)) {
        const std::size_t key = largestAt / AnimationKeys::kComponents;
        error = "bone " + keys.boneNames[key / frames] + " has the position value " +
                std::to_string(keys.values[largestAt]) + " at frame " +
                std::to_string(key % frames) +
                "; the animation file cannot store positions of magnitude 16383.5 or more";
        return false;
    }
    const PositionPrecision precision = positionPrecision(largest);

    StringOutBuffer buffer;
    OutStream out(&buffer);
    out << precision.precision;
    std::vector<float> component(frames);
    std::vector<std::uint16_t> boneWords;
    std::array<std::size_t, AnimationKeys::kComponents> counts{};
    for (std::size_t b = 0; b < keys.boneCount(); ++b) {
        boneWords.clear();
        for (std::size_t c = 0; c < AnimationKeys::kComponents; ++c) {
            for (std::size_t f = 0; f < frames; ++f)
                component[f] = keys.value(b, f, c);
            const float scale = c < 4 ? kRotationScale : precision.positionScale;
            const std::size_t before = boneWords.size();
            appendKeyBlocks(component.data(), frames, scale, precision.tolerance, boneWords);
            counts[c] = boneWords.size() - before;
            if (counts[c] > kMaxWords) {
                error = "component " + std::string(kComponentNames[c]) + " of bone " +
                        keys.boneNames[b] + " needs " + std::to_string(counts[c]) +
                        " words, more than its 16-bit word count holds (65535); the " +
                        std::to_string(frames) + " frames are too many";
                return false;
            }
        }
        if (boneWords.size() > kMaxWords) {
            error = "bone " + keys.boneNames[b] + " needs " + std::to_string(boneWords.size()) +
                    " words, more than its 16-bit word count holds (65535); the " +
                    std::to_string(frames) + " frames are too many";
            return false;
        }
        const std::size_t size = buffer.text().size() + 2 * (1 + counts.size() + boneWords.size());
        if (size > kAnimationStreamCapacity) {
            error = "the compressed keys need more than the " +
                    std::to_string(kAnimationStreamCapacity) + " bytes the stream may hold";
            return false;
        }
        out << static_cast<std::uint16_t>(boneWords.size());
        std::size_t from = 0;
        for (std::size_t count : counts) {
            out << static_cast<std::uint16_t>(count);
            out.write(boneWords.data() + from, count * sizeof(std::uint16_t));
            from += count;
        }
    }
    bytes = buffer.text();
    return true;
}

} // namespace vx
