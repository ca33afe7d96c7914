#pragma once
#include <cstdint>
#include <string_view>

namespace vx {

enum class LogLevel : std::uint32_t {
    None = 0,
    Debug = 1,
    Info = 2,
    Warning = 3,
    Error = 4,
    Assert = 5
};

// The text that starts a message of the level: "Info: ", "Warning: ", ...; empty for None.
std::string_view logLevelPrefix(LogLevel level);

} // namespace vx
