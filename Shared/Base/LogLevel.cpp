#include "Shared/Base/LogLevel.h"

namespace vx {

std::string_view logLevelPrefix(LogLevel level) {
    switch (level) {
    case LogLevel::None:
        return "";
    case LogLevel::Debug:
        return "Debug: ";
    case LogLevel::Info:
        return "Info: ";
    case LogLevel::Warning:
        return "Warning: ";
    case LogLevel::Error:
        return "Error: ";
    case LogLevel::Assert:
        return "Assert: ";
    }
    return "";
}

} // namespace vx
