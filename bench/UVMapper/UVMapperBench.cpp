// Mapping generated buildings (boxes of many sizes with small boxes on their fronts: many
// planar charts). The growth series doubles the triangles from 12.5k to 200k and the lightmap
// area with them (side 2048 × √(triangles / 100k)), so that the lumels per triangle stay about
// the same: packing and sampling grow linearly when their time per marked triangle and per
// sampled lumel stays flat. Two more start far too small and double. Reported: time per map(),
// the size loop's attempts and doublings, the final size, the heap at its peak, and the time
// spent packing (free-area searches and marks, over all attempts) and sampling.
#include "UVMapper/UVMapper.h"
#include "bench/support/HeapAccounting.h"
#include "tests/UVMapper/TestMeshes.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
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

// The mapper with its packing and sampling steps timed by the wall clock (a process clock
// costs half a microsecond a read, too much per triangle): other work on the machine inflates
// them, the series' shape stays. The reads, some 40 ns each, count in the packing time.
class TimedUVMapper : public vx::UVMapper {
public:
    // Attempts at several densities may pack side by side, and clusters be sampled side by
    // side: their times add up.
    std::atomic<double> packingSeconds = 0.0;
    std::atomic<double> samplingSeconds = 0.0;
    std::atomic<std::uint64_t> markedTriangles = 0;
    std::atomic<std::uint64_t> sampledLumels = 0;

protected:
    bool findFreeBlock(AttemptGrid& grid, std::uint32_t blockWidth, std::uint32_t blockHeight,
                       std::uint32_t& x, std::uint32_t& y) override {
        const auto start = Clock::now();
        const bool found = UVMapper::findFreeBlock(grid, blockWidth, blockHeight, x, y);
        packingSeconds += secondsSince(start);
        return found;
    }
    void markTriangle(AttemptGrid& grid, const float u[3], const float v[3],
                      std::int32_t cluster) override {
        const auto start = Clock::now();
        UVMapper::markTriangle(grid, u, v, cluster);
        packingSeconds += secondsSince(start);
        ++markedTriangles;
    }
    void sampleCluster(std::size_t cluster, vx::LumelSampler& sampler,
                       std::uint64_t& real) override {
        const auto start = Clock::now();
        UVMapper::sampleCluster(cluster, sampler, real);
        samplingSeconds += secondsSince(start);
        sampledLumels +=
            std::uint64_t(clusters()[cluster].w) * std::uint64_t(clusters()[cluster].h);
    }

private:
    using Clock = std::chrono::steady_clock;
    static double secondsSince(Clock::time_point start) {
        return std::chrono::duration<double>(Clock::now() - start).count();
    }
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
    for (auto _ : state) {
        const std::size_t base = vx::bench::heapInUse();
        vx::bench::resetHeapPeak();
        TimedUVMapper mapper;
        mapper.setSize(size, size);
        mapper.setDebugImageFolder(folder);
        mesh.feed(mapper);
        if (!mapper.map())
            state.SkipWithError("map() failed");
        state.counters["peak_heap_MB"] =
            static_cast<double>(vx::bench::heapPeak() - base) / kMegabyte;
        state.counters["clusters"] = static_cast<double>(mapper.clusters().size());
        state.counters["attempts"] = mapper.getAttemptCount();
        state.counters["doublings"] = mapper.getDoublingCount();
        state.counters["final_size"] = mapper.getWidth();
        state.counters["packing_ms"] = mapper.packingSeconds * 1e3;
        state.counters["sampling_ms"] = mapper.samplingSeconds * 1e3;
        state.counters["packing_ns_per_marked_triangle"] =
            mapper.packingSeconds * 1e9 / static_cast<double>(mapper.markedTriangles);
        state.counters["sampling_ns_per_lumel"] =
            mapper.samplingSeconds * 1e9 / static_cast<double>(mapper.sampledLumels);
    }
    std::cout.rdbuf(console);
    std::filesystem::remove_all(folder);
    state.counters["triangles"] = static_cast<double>(mesh.size());
}

BENCHMARK(BM_MapBuilding)
    ->Args({12500, 724})
    ->Args({25000, 1024})
    ->Args({50000, 1448})
    ->Args({100000, 2048})
    ->Args({200000, 2896})
    ->Args({10000, 256})
    ->Args({100000, 256})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
