#pragma once
// ASCII case-insensitive comparisons: node names, file extensions and option names are
// matched this way throughout the exporter.
#include <string>
#include <string_view>

namespace vx {

char toLowerAscii(char c);
std::string toLowerAscii(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);
bool endsWithIgnoringCase(std::string_view text, std::string_view suffix);

} // namespace vx
