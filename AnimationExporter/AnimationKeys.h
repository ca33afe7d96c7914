#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vx {

// The sampled keys of a skeleton's animated bones, ready to compress.
struct AnimationKeys {
    static constexpr std::size_t kComponents = 7; // qx, qy, qz, qw, px, py, pz

    // Skeleton index and name of each animated bone, in skeleton order.
    std::vector<std::uint16_t> boneIndices;
    std::vector<std::string> boneNames;
    std::uint32_t frameCount = 0;
    // Bone-major: component c of animated bone b at frame f is at (b * frameCount + f) * 7 + c.
    std::vector<float> values;

    std::size_t boneCount() const { return boneIndices.size(); }
    float value(std::size_t bone, std::size_t frame, std::size_t component) const {
        return values[(bone * frameCount + frame) * kComponents + component];
    }
};

} // namespace vx
