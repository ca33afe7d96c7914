// What a log call site costs: disabled (the price every message pays in a hot loop) and
// enabled into a memory buffer (message composition without the file and terminal).
#include "Shared/Base/Log.h"

#include <vornexhost/ScriptEditor.h>

#include <benchmark/benchmark.h>

namespace {

void BM_DisabledCallSite(benchmark::State& state) {
    // This file's messages are filed under "shared/base" (bench/Shared/Base/...).
    vx::logFilter().setThreshold("shared/base", static_cast<std::uint32_t>(vx::LogLevel::Error));
    unsigned value = 0;
    for (auto _ : state) {
        VX_INFO << "value " << value;
        benchmark::DoNotOptimize(++value);
    }
    vx::logFilter().setThreshold("shared/base", 0);
}
BENCHMARK(BM_DisabledCallSite);

void BM_ComposeMessage(benchmark::State& state) {
    for (auto _ : state) {
        char text[vx::LogMessage::kBufferSize] = {};
        vx::TruncatingMemoryOutBuffer buffer(text, vx::LogMessage::kMaxText);
        vx::TextOutStream out(&buffer);
        out << "Vertex count " << 123456u << " of "
            << "mesh_name"
            << " weight " << 0.25f;
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_ComposeMessage);

} // namespace
