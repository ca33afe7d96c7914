#pragma once
// Whole-file writes that readers never see half done.
#include <string>
#include <string_view>

namespace vornexbatch {

// Writes `text` to a temporary file beside `path` and renames it over `path`; false with the
// reason (naming the file) when either step fails, leaving `path` as it was.
bool writeFileAtomically(const std::string& path, std::string_view text, std::string& error);

// The whole file as text; false when it cannot be read.
bool readWholeFile(const std::string& path, std::string& text);

} // namespace vornexbatch
