#pragma once
// Naming and writing the exporter's binary files, and telling the artist why one was not
// written.
#include <optional>
#include <string>
#include <string_view>

namespace vx {

// `path` up to the last '.' of its file name, followed by `extension` (with its dot); none
// when the file name has no '.' (a '.' in a folder name does not count).
std::optional<std::string> replaceExtension(const std::string& path, std::string_view extension);

// Writes `bytes` as the whole file at `path` (created or truncated). On a failed write the
// file is removed, so no cut file is left looking complete. An unopenable path asserts (see
// OutFile::open).
bool writeWholeFile(const std::string& path, std::string_view bytes);

} // namespace vx
