#pragma once
// Writing the exporter's binary files, and telling the artist why one was not written.
#include <string>
#include <string_view>

namespace vx {

// Writes `bytes` as the whole file at `path` (created or rewritten). On a failed write the
// file is removed, so no cut file is left looking complete. An unopenable path asserts (see
// OutFile::open).
bool writeWholeFile(const std::string& path, std::string_view bytes);

} // namespace vx
