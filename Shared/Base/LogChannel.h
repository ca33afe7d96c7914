#pragma once
#include "Shared/Base/FileLogSink.h"
#include "Shared/Base/LogFilter.h"
#include "Shared/Base/LogLevel.h"

#include <atomic>
#include <cstdint>

namespace vx {

// The process-wide sink, created on first call (writing to "Log.txt") and destroyed at exit;
// null once it has been destroyed.
FileLogSink* logChannel();

// One per call site: the enable decision and the filter generation it was made for, as
// generation << 16 | enabled in one word, since threads sharing work log from the same sites.
struct LogSiteCache {
    std::atomic<std::uint32_t> state{1};
};

// Decides whether a call site logs. After the first call per filter generation this is one
// comparison of 16-bit generations.
inline bool isLogSiteEnabled(LogSiteCache& cache, const char* file, LogLevel level) {
    logChannel();
    const LogFilter& filter = logFilter();
    std::uint32_t state = cache.state.load(std::memory_order_relaxed);
    if ((state >> 16) != filter.generation()) [[unlikely]] {
        state = std::uint32_t{filter.generation()} << 16 |
                (filter.isEnabled(file ? file : "", level) ? 1u : 0u);
        cache.state.store(state, std::memory_order_relaxed);
    }
    return (state & 1u) != 0;
}

} // namespace vx
