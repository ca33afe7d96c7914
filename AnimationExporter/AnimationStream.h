#pragma once
// The compressed key stream of an animation file.
//   i8 precision (15 - n), then per animated bone: u16 word count of the bone (the sum of its
//   components' counts), and per component qx, qy, qz, qw, px, py, pz: u16 word count, then
//   the component's key blocks covering every frame in order.
// A key block is a u16 header and signed 16-bit data words. Header low byte: bit 7 set for a
// constant block, bits 0..6 the frames it covers (constant 6..126, literal 1..125); high byte:
// the block's words including the header (constant 2, literal frames + 1). A constant block
// holds one value for all its frames, a literal block one value per frame. A value is stored
// as value * scale truncated towards zero: scale 32767 for rotations, (32768 >> n) - 1 for
// positions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vx {

struct AnimationKeys;

constexpr std::size_t kAnimationStreamCapacity = 4194304; // 4 MiB
constexpr float kRotationScale = 32767.0f;
// From here on the format has no precision left for positions (n = 15 gives a position
// scale of 0, n = 16 a negative precision byte): the largest position magnitude must stay
// below it.
constexpr float kPositionLimit = 16383.5f;

constexpr unsigned kMinConstantFrames = 6;
constexpr unsigned kMaxConstantFrames = 126;
constexpr unsigned kLiteralStep = 5;
constexpr unsigned kMaxLiteralFrames = 125;
constexpr std::uint8_t kConstantBlockBit = 0x80;

// How positions are stored for a largest position magnitude P below kPositionLimit.
struct PositionPrecision {
    int bits = 0;                   // n: the smallest with 2^n >= round(P) + 1; 0 when round(P) = 0
    std::int8_t precision = 15;     // the stream's first byte: 15 - n
    float positionScale = 32767.0f; // (32768 >> n) - 1
    float tolerance = 0.0f;         // 0.001 / (2^(15 - n) - 1), at least 2^-15
};
PositionPrecision positionPrecision(float maxPosition);

// The quantised form of a value: value * scale truncated towards zero. The caller keeps the
// product within the signed 16-bit range.
std::int16_t quantiseKeyValue(float value, float scale);

// The longest run at the start of `values` (count of them, at most kMaxConstantFrames) that a
// constant block may stand for: every value within mean +- tolerance / 2 of the run's mean.
// Lengths below kMinConstantFrames do not count. Length 0 when there is none.
struct ConstantRun {
    unsigned length = 0;
    double mean = 0.0;
};
ConstantRun findConstantRun(const float* values, std::size_t count, float tolerance);

// Appends the key blocks of one component's values, frame by frame, to `words`.
void appendKeyBlocks(const float* values, std::size_t count, float scale, float tolerance,
                     std::vector<std::uint16_t>& words);

// The whole stream. False, with the reason in `error`, when it cannot be stored exactly: a
// position at or beyond kPositionLimit, a bone or component needing more than 65535 words, or
// more than kAnimationStreamCapacity bytes in all.
bool encodeAnimationStream(const AnimationKeys& keys, std::string& bytes, std::string& error);

} // namespace vx
