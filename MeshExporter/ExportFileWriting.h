#pragma once
// Export files are written whole or not at all: a failing export never leaves a file that is
// cut short yet looks complete.
#include <functional>
#include <string>
#include <string_view>

namespace vx {

class OutStream;

// Writes the bytes to the file at `path` (created, or rewritten in place: see OutFile). False
// when the file cannot be created or written whole; the reason is logged and appended to the
// export's error list, and a partly written file is removed.
bool writeExportFile(const std::string& path, std::string_view bytes);

// The same for a file written as it is composed, so that a large file is never held whole in
// memory. `compose` returns false, with its reason given, when the file cannot be finished;
// the part written is then removed. Checks that can refuse the export belong before the call,
// so that a refusal leaves an earlier file as it was.
bool writeExportFile(const std::string& path, const std::function<bool(OutStream&)>& compose);

// Creates the directory (one level) unless it exists. False when it is not there afterwards.
bool ensureDirectory(const std::string& path);

} // namespace vx
