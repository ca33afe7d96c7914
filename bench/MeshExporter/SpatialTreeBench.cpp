// The collision mesh's spatial tree built over a terrain-like grid and a closed shape of about
// 1k, 16k and 128k faces, with the tree's shape and the heap it needs.
#include "MeshExporter/SpatialTree.h"
#include "bench/support/HeapAccounting.h"
#include "tests/MeshExporter/CollisionTestMeshes.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

// Grid sides and shape bands chosen for 1k, 16k and 128k faces within 16-bit vertex numbers.
vx::test::Mesh meshFor(bool closed, int size) {
    if (closed) {
        const int rings = size == 0 ? 16 : size == 1 ? 64 : 356;
        const int segments = size == 0 ? 32 : size == 1 ? 128 : 180;
        return vx::test::closedShape(rings, segments);
    }
    const int side = size == 0 ? 23 : size == 1 ? 90 : 253;
    return vx::test::terrain(side, 17);
}

void buildTree(benchmark::State& state) {
    const bool closed = state.range(0) != 0;
    const vx::test::Mesh mesh = meshFor(closed, static_cast<int>(state.range(1)));
    double peakMegabytes = 0.0;
    std::size_t nodes = 0;
    int depth = 0;
    std::size_t largestLeaf = 0;
    for (auto _ : state) {
        const std::size_t base = vx::bench::resetHeapPeak();
        vx::SpatialTree tree;
        benchmark::DoNotOptimize(tree.build(mesh.vertices, mesh.faces, false));
        peakMegabytes = static_cast<double>(vx::bench::heapPeak() - base) / vx::bench::kMegabyte;
        nodes = tree.nodes().size();
        depth = tree.depth();
        largestLeaf = tree.largestLeaf();
    }
    state.SetComplexityN(static_cast<benchmark::IterationCount>(mesh.faces.size()));
    state.counters["faces"] = static_cast<double>(mesh.faces.size());
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["depth"] = depth;
    state.counters["largest_leaf"] = static_cast<double>(largestLeaf);
    state.counters["peak_heap_MB"] = peakMegabytes;
}

} // namespace

// Arguments: 0 terrain grid / 1 closed shape; size 0, 1, 2 for about 1k, 16k, 128k faces.
BENCHMARK(buildTree)
    ->ArgsProduct({{0, 1}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
