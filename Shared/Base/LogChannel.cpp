#include "Shared/Base/LogChannel.h"

namespace vx {
namespace {

bool g_sinkDestroyed = false;

// Marks the channel gone when the sink is destroyed at exit, so late messages from other
// static destructors are dropped instead of reaching a dead object.
struct ProcessSink {
    FileLogSink sink;
    ~ProcessSink() { g_sinkDestroyed = true; }
};

} // namespace

FileLogSink* logChannel() {
    if (g_sinkDestroyed)
        return nullptr;
    static ProcessSink process;
    return &process.sink;
}

} // namespace vx
