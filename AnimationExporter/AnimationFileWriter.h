#pragma once
// The ".baf" animation file: u32 version 4, u16 number of animated bones A, A u16 skeleton
// indices (skeleton order), u32 frame count, then the compressed key stream (AnimationStream.h).
#include <cstdint>
#include <string>

namespace vx {

class Skeleton;

constexpr std::uint32_t kAnimationFileVersion = 4;

struct EncodedAnimation {
    std::string bytes; // the whole file
    std::size_t boneCount = 0;
    std::uint32_t frameCount = 0;
};

// The file's bytes. False, with the reason in `error`, when the skeleton's keys cannot be
// sampled or stored exactly (see sampleAnimation and encodeAnimationStream).
bool encodeAnimationFile(const Skeleton& skeleton, EncodedAnimation& file, std::string& error);

// Writes `path` up to its last '.' followed by ".baf". False without writing when the
// skeleton is empty, the path has no extension or the keys cannot be stored exactly (the
// reason is in the error list).
bool saveAnimation(const Skeleton& skeleton, const std::string& path);

} // namespace vx
