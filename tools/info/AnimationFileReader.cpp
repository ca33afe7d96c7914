#include "tools/info/AnimationFileReader.h"

#include "tools/info/ByteReader.h"

namespace vx::info {
namespace {

constexpr std::uint32_t kVersion = 4;
constexpr std::uint8_t kConstantBit = 0x80;

using Reader = ByteReader;

std::string componentText(std::size_t bone, std::size_t component) {
    return std::string(kAnimationComponentNames[component]) + " of animated bone " +
           std::to_string(bone);
}

std::string hexWord(std::uint16_t word) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 12; shift >= 0; shift -= 4)
        text += kHex[(word >> shift) & 0xF];
    return text;
}

bool readComponent(Reader& r, std::uint32_t frames, std::size_t bone, std::size_t c,
                   AnimationComponent& component, std::uint32_t& words) {
    const std::string what = componentText(bone, c);
    if (!r.need(2, "the word count of " + what))
        return false;
    std::uint16_t count = 0;
    r.in() >> count;
    words = count;
    if (!r.need(2ull * count, what))
        return false;
    std::uint64_t covered = 0;
    std::uint32_t left = count;
    while (left != 0) {
        const std::uint64_t at = r.offset();
        std::uint16_t header = 0;
        r.in() >> header;
        const auto low = static_cast<std::uint8_t>(header & 0xFF);
        const auto blockWords = static_cast<std::uint8_t>(header >> 8);
        AnimationKeyBlock block;
        block.constant = (low & kConstantBit) != 0;
        block.frames = low & 0x7F;
        block.firstValue = static_cast<std::uint32_t>(component.values.size());
        const bool valid =
            block.constant
                ? block.frames >= 6 && block.frames <= 126 && blockWords == 2
                : block.frames >= 1 && block.frames <= 125 && blockWords == block.frames + 1;
        if (!valid)
            return r.fail(at, "block header " + hexWord(header) + " of " + what +
                                  " is neither a constant block (6..126 frames, 2 words) nor a "
                                  "literal one (1..125 frames, frames + 1 words)");
        if (blockWords > left)
            return r.fail(at, "a block of " + what + " runs past the component's " +
                                  std::to_string(count) + " words");
        covered += block.frames;
        if (covered > frames)
            return r.fail(at, "the blocks of " + what + " cover more than the " +
                                  std::to_string(frames) + " frames");
        const std::size_t values = block.constant ? 1u : block.frames;
        for (std::size_t i = 0; i < values; ++i) {
            std::int16_t value = 0;
            r.in() >> value;
            component.values.push_back(value);
        }
        component.blocks.push_back(block);
        left -= blockWords;
    }
    if (covered != frames)
        return r.fail(r.offset(), "the blocks of " + what + " cover " + std::to_string(covered) +
                                      " of the " + std::to_string(frames) + " frames");
    return true;
}

} // namespace

float AnimationFile::scale(std::size_t component) const {
    if (component < 4)
        return 32767.0f;
    return static_cast<float>((32768 >> (15 - precision)) - 1);
}

bool readAnimationFile(std::string_view bytes, AnimationFile& file, std::string& error) {
    file = AnimationFile();
    Reader r(bytes, error);
    if (!r.need(6, "the header"))
        return false;
    std::uint16_t boneCount = 0;
    r.in() >> file.version >> boneCount;
    if (file.version != kVersion)
        return r.fail(0, "version " + std::to_string(file.version) + ", expected 4");
    if (!r.need(2ull * boneCount + 4 + 1, "the bone list"))
        return false;
    file.bones.resize(boneCount);
    for (std::size_t b = 0; b < boneCount; ++b) {
        const std::uint64_t at = r.offset();
        r.in() >> file.bones[b].skeletonIndex;
        if (b != 0 && file.bones[b].skeletonIndex <= file.bones[b - 1].skeletonIndex)
            return r.fail(at, "bone index " + std::to_string(file.bones[b].skeletonIndex) +
                                  " does not follow " +
                                  std::to_string(file.bones[b - 1].skeletonIndex) +
                                  " in skeleton order");
    }
    r.in() >> file.frameCount;
    const std::uint64_t precisionAt = r.offset();
    r.in() >> file.precision;
    if (file.precision < 1 || file.precision > 15)
        return r.fail(precisionAt, "precision " + std::to_string(file.precision) +
                                       " leaves no position scale (expected 1..15)");
    for (std::size_t b = 0; b < boneCount; ++b) {
        AnimationBone& bone = file.bones[b];
        const std::uint64_t at = r.offset();
        if (!r.need(2, "the word count of animated bone " + std::to_string(b)))
            return false;
        r.in() >> bone.words;
        std::uint32_t sum = 0;
        for (std::size_t c = 0; c < bone.components.size(); ++c) {
            std::uint32_t words = 0;
            if (!readComponent(r, file.frameCount, b, c, bone.components[c], words))
                return false;
            sum += words;
        }
        if (sum != bone.words)
            return r.fail(at, "animated bone " + std::to_string(b) + " counts " +
                                  std::to_string(bone.words) + " words, its components " +
                                  std::to_string(sum));
    }
    if (r.remaining() != 0)
        return r.fail(r.offset(), std::to_string(r.remaining()) + " bytes follow the last bone");
    return true;
}

std::vector<float> decodeComponent(const AnimationComponent& component, float scale) {
    std::size_t frames = 0;
    for (const AnimationKeyBlock& block : component.blocks)
        frames += block.frames;
    std::vector<float> values;
    values.reserve(frames);
    for (const AnimationKeyBlock& block : component.blocks) {
        for (std::size_t f = 0; f < block.frames; ++f) {
            const std::int16_t stored =
                component.values[block.firstValue + (block.constant ? 0 : f)];
            values.push_back(static_cast<float>(stored) / scale);
        }
    }
    return values;
}

} // namespace vx::info
