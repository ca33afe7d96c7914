#pragma once
#include "Shared/Base/LogLevel.h"

#include <cstdint>

namespace vx {

// Where finished log messages go. The base class drops everything.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void write(LogLevel level, const char* file, std::uint32_t line, const char* text);
    virtual void write(const char* text);
    virtual void writeLocation(const char* file, std::uint32_t line);
};

} // namespace vx
