#pragma once
// Export files are composed in memory and written whole: a failing export never leaves a file
// that is cut short yet looks complete.
#include <string>
#include <string_view>

namespace vx {

// Writes the bytes to a new file at `path` (created or truncated). False when the file cannot
// be created or written whole; the reason is logged and appended to the export's error list,
// and a partly written file is removed.
bool writeExportFile(const std::string& path, std::string_view bytes);

// Creates the directory (one level) unless it exists. False when it is not there afterwards.
bool ensureDirectory(const std::string& path);

} // namespace vx
