// Loading speed of the Maya ASCII loader on a generated mesh-heavy scene of about 100 MB,
// written the way Maya writes meshes (vertices, edges, polyFaces with UVs, UV points,
// normals). Reports MB/s (bytes_per_second), the memory the loaded scene holds (scene_MB)
// and the process's peak memory, the 100 MB text included.
#include "bench/support/MeshHeavyScene.h"

#include <vornexhost/MaLoader.h>
#include <vornexhost/Scene.h>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <string>
#include <sys/resource.h>

namespace {

const std::string& scene100MB() {
    static const std::string text = vx::bench::meshHeavyScene(100u << 20);
    return text;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Bytes the heap has handed out and not taken back, in MB.
double heapInUseMegabytes() {
    return static_cast<double>(mallinfo2().uordblks + mallinfo2().hblkhd) / (1024.0 * 1024.0);
}

void BM_LoadMeshHeavyScene(benchmark::State& state) {
    const std::string& text = scene100MB();
    const double before = peakMegabytes();
    double sceneMegabytes = 0.0;
    for (auto _ : state) {
        const double heapBefore = heapInUseMegabytes();
        vornexhost::Scene scene;
        const vornexhost::MaLoadResult result = vornexhost::loadMayaAscii(scene, "bench.ma", text);
        if (!result.ok) {
            state.SkipWithError(result.error.c_str());
            return;
        }
        benchmark::DoNotOptimize(scene.nodes().size());
        // What the loaded scene holds, beside the text it was read from.
        sceneMegabytes = heapInUseMegabytes() - heapBefore;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    state.counters["file_MB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peakMegabytes();
    state.counters["peak_MB_before_load"] = before;
    state.counters["scene_MB"] = sceneMegabytes;
}

BENCHMARK(BM_LoadMeshHeavyScene)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
