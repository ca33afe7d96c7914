#pragma once
#include "Shared/Base/FileLogSink.h"
#include "Shared/Base/LogFilter.h"
#include "Shared/Base/LogLevel.h"

#include <cstdint>

namespace vx {

// The process-wide sink, created on first call (writing to "Log.txt") and destroyed at exit;
// null once it has been destroyed.
FileLogSink* logChannel();

// One per call site: the enable decision and the filter generation it was made for.
struct LogSiteCache {
    std::uint16_t generation = 0;
    std::uint16_t enabled = 1;
};

// Decides whether a call site logs. After the first call per filter generation this is one
// comparison of 16-bit generations.
inline bool isLogSiteEnabled(LogSiteCache& cache, const char* file, LogLevel level) {
    logChannel();
    const LogFilter& filter = logFilter();
    if (cache.generation != filter.generation()) [[unlikely]] {
        cache.enabled = filter.isEnabled(file ? file : "", level) ? 1 : 0;
        cache.generation = filter.generation();
    }
    return cache.enabled != 0;
}

} // namespace vx
