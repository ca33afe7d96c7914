#include "Shared/Base/LogSink.h"

namespace vx {

void LogSink::write(LogLevel, const char*, std::uint32_t, const char*) {}
void LogSink::write(const char*) {}
void LogSink::writeLocation(const char*, std::uint32_t) {}

} // namespace vx
