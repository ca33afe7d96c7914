// Mapping generated buildings (boxes of many sizes with small boxes on their fronts: many
// planar charts) of 1k, 10k and 100k triangles into lightmaps of 256, 1024 and 2048 lumels (the
// last big enough for all of them, so that only the triangle count grows): time per
// map(), the size loop's attempts and doublings, the final size, and the heap at its peak.
#include "UVMapper/UVMapper.h"
#include "bench/support/HeapAccounting.h"
#include "tests/UVMapper/TestMeshes.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <streambuf>
#include <string>

namespace {

using vx::bench::kMegabyte;

// The mapper's progress lines would bury the table.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

void BM_MapBuilding(benchmark::State& state) {
    const auto triangles = static_cast<std::size_t>(state.range(0));
    const auto size = static_cast<std::uint32_t>(state.range(1));
    const vx::test::TestMesh mesh = vx::test::makeBuilding(triangles, 11);
    std::string folder = (std::filesystem::temp_directory_path() / "vornex-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) {
        state.SkipWithError("no temporary folder");
        return;
    }
    NullBuffer null;
    std::streambuf* console = std::cout.rdbuf(&null);
    std::uint32_t attempts = 0;
    std::uint32_t doublings = 0;
    std::uint32_t width = 0;
    std::size_t clusters = 0;
    double peak = 0.0;
    for (auto _ : state) {
        const std::size_t base = vx::bench::heapInUse();
        vx::bench::resetHeapPeak();
        vx::UVMapper mapper;
        mapper.setSize(size, size);
        mapper.setDebugImageFolder(folder);
        mesh.feed(mapper);
        if (!mapper.map())
            state.SkipWithError("map() failed");
        attempts = mapper.getAttemptCount();
        doublings = mapper.getDoublingCount();
        width = mapper.getWidth();
        clusters = mapper.clusters().size();
        peak = static_cast<double>(vx::bench::heapPeak() - base) / kMegabyte;
    }
    std::cout.rdbuf(console);
    std::filesystem::remove_all(folder);
    state.counters["triangles"] = static_cast<double>(mesh.size());
    state.counters["clusters"] = static_cast<double>(clusters);
    state.counters["attempts"] = attempts;
    state.counters["doublings"] = doublings;
    state.counters["final_size"] = width;
    state.counters["peak_heap_MB"] = peak;
}

BENCHMARK(BM_MapBuilding)
    ->ArgsProduct({{1000, 10000, 100000}, {256, 1024, 2048}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
