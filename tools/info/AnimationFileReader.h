#pragma once
// Strict reader of ".baf" animation files (the layout is in
// AnimationExporter/AnimationFileWriter.h and AnimationExporter/AnimationStream.h), and the
// decoding of its key blocks.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vx::info {

struct AnimationKeyBlock {
    bool constant = false;
    std::uint8_t frames = 0;
    std::uint32_t firstValue = 0; // index into the component's values
};

struct AnimationComponent {
    std::vector<AnimationKeyBlock> blocks;
    std::vector<std::int16_t> values; // the data words of every block, in order
};

struct AnimationBone {
    std::uint16_t skeletonIndex = 0;
    std::uint16_t words = 0;
    std::array<AnimationComponent, 7> components; // qx, qy, qz, qw, px, py, pz
};

struct AnimationFile {
    std::uint32_t version = 0;
    std::uint32_t frameCount = 0;
    std::int8_t precision = 0;
    std::vector<AnimationBone> bones;

    // The factor a stored value was multiplied by: 32767 for rotations (components 0..3),
    // (32768 >> (15 - precision)) - 1 for positions.
    float scale(std::size_t component) const;
};

constexpr std::array<const char*, 7> kAnimationComponentNames = {"qx", "qy", "qz", "qw",
                                                                 "px", "py", "pz"};

// False, with the reason and its byte offset in `error`, for anything the writer does not
// produce: another version, bone indices not strictly increasing, a precision byte outside
// 1..15, a block header whose frame and word counts disagree, blocks not covering exactly the
// frame count, word counts that disagree with the blocks, and bytes after the last bone.
bool readAnimationFile(std::string_view bytes, AnimationFile& file, std::string& error);

// The component's value at every frame (frameCount values), as stored value / scale.
std::vector<float> decodeComponent(const AnimationComponent& component, float scale);

} // namespace vx::info
