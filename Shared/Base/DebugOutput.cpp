#include "Shared/Base/DebugOutput.h"

#include <cstdio>
#include <cstring>

namespace vx {
namespace {

bool debuggerAttached() {
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
