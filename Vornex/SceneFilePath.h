#pragma once
// File names the artist's scene holds: a relative name is tried as written, then beside the
// scene file.
#include <filesystem>
#include <string>

namespace vx {

// The file `path` names: as written when that exists or is absolute, else beside the current
// scene file when it exists there, else as written.
std::filesystem::path resolveSceneFilePath(const std::string& path);

} // namespace vx
