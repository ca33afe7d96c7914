#include "Shared/Base/DebugOutput.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

namespace vx {
namespace {

bool readTracerAttached() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return false;
    char line[256];
    bool attached = false;
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "TracerPid:", 10) == 0) {
            int pid = 0;
            attached = std::sscanf(line + 10, "%d", &pid) == 1 && pid != 0;
            break;
        }
    }
    std::fclose(status);
    return attached;
}

// Reading the process status for every message cost an export a few percent, so the answer is
// kept for a quarter of a second: a debugger attached meanwhile sees messages from then on.
// Atomics because loader threads log too; two threads may both read the status, harmlessly.
bool debuggerAttached() {
    using Clock = std::chrono::steady_clock;
    constexpr std::int64_t kRecheckNanoseconds = 250'000'000;
    static std::atomic<std::int64_t> nextCheck{std::numeric_limits<std::int64_t>::min()};
    static std::atomic<bool> attached{false};
    const std::int64_t now =
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
            .count();
    if (now >= nextCheck.load(std::memory_order_relaxed)) {
        attached.store(readTracerAttached(), std::memory_order_relaxed);
        nextCheck.store(now + kRecheckNanoseconds, std::memory_order_relaxed);
    }
    return attached.load(std::memory_order_relaxed);
}

void defaultHandler(std::string_view text) {
    if (debuggerAttached())
        std::fwrite(text.data(), 1, text.size(), stderr);
}

DebugOutputHandler g_handler = nullptr;

} // namespace

void debugOutput(std::string_view text) {
    (g_handler ? g_handler : defaultHandler)(text);
}

DebugOutputHandler setDebugOutputHandler(DebugOutputHandler handler) {
    DebugOutputHandler previous = g_handler;
    g_handler = handler;
    return previous;
}

} // namespace vx
