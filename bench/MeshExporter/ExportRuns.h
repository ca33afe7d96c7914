#pragma once
// The timed loop of the export benchmarks: the whole export of `scene` to `out` per iteration,
// warnings and worse logged only, and the heap the last export needed at its peak.
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/MeshExporter.h"
#include "Shared/Base/LogFilter.h"
#include "bench/support/HeapAccounting.h"

#include <benchmark/benchmark.h>

#include <string>

namespace vx::bench {

inline void runExports(benchmark::State& state, Scene& scene, const std::string& out) {
    logFilter().setThreshold("", static_cast<std::uint32_t>(LogLevel::Warning));
    double peakMegabytes = 0.0;
    for (auto _ : state) {
        exportErrorList().clear();
        const std::size_t base = resetHeapPeak();
        if (!exportGameAssets(scene, out, nullptr, 0)) {
            state.SkipWithError("export failed");
            break;
        }
        peakMegabytes = static_cast<double>(heapPeak() - base) / kMegabyte;
    }
    state.counters["export_peak_heap_MB"] = peakMegabytes;
}

} // namespace vx::bench
