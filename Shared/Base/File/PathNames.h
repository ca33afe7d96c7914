#pragma once
// File-name parts of paths written with either slash, as artists' scenes and outputs name them.
#include <string>
#include <string_view>

namespace vx {

// Index just past the last slash or backslash; 0 when there is none.
std::size_t fileNameStart(std::string_view path);

// True when the file-name part holds a '.' (a '.' in a folder name does not count).
bool hasExtension(std::string_view path);

// `path` without its extension, followed by `suffix` ("a/b.dds", "_os.dds" -> "a/b_os.dds");
// a path without an extension keeps all of it.
std::string replaceExtension(std::string_view path, std::string_view suffix);

} // namespace vx
