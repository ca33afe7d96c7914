#pragma once
// Strict reader of ".ske" skeleton files (the layout is in
// AnimationExporter/SkeletonFileWriter.h).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vx::info {

struct SkeletonFileBone {
    std::string name;
    std::int32_t parent = -1;        // -1 for a root
    std::array<float, 4> rotation{}; // x, y, z, w
    std::array<float, 3> position{};
};

struct SkeletonFile {
    std::uint32_t version = 0;
    std::vector<SkeletonFileBone> bones;
};

// False, with the reason and its byte offset in `error`, for anything the writer does not
// produce: another version, counts beyond the bytes left, a name without its single
// terminating zero, a parent out of range or one that makes a bone its own ancestor, and
// bytes after the last bone.
bool readSkeletonFile(std::string_view bytes, SkeletonFile& file, std::string& error);

} // namespace vx::info
