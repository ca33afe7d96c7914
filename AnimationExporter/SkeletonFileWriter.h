#pragma once
// The ".ske" skeleton file: every bone's name, parent and frame-0 pose.
//   u32 version 2, u32 bone count, then per bone in skeleton order:
//   u16 name length (with its zero byte), the name and a zero byte,
//   u16 parent index (0xFFFF for a root), rotation x, y, z, w (4 floats), position (3 floats).
#include <cstdint>
#include <string>

namespace vx {

class Skeleton;

constexpr std::uint32_t kSkeletonFileVersion = 2;

// The file's bytes. False, with the reason in `error`, when the skeleton cannot be written
// exactly: more bones than 16-bit parent indices can name, a name longer than its 16-bit
// length, or a joint without keys (no frame-0 pose).
bool encodeSkeletonFile(const Skeleton& skeleton, std::string& bytes, std::string& error);

// Writes `path` up to its last '.' followed by ".ske". False without writing when the path
// has no extension or the skeleton cannot be written (the reason is in the error list).
bool exportSkeletonToFile(const Skeleton& skeleton, const std::string& path);

} // namespace vx
