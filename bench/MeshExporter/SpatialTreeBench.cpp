// The collision mesh's spatial tree built over a terrain-like grid and a closed shape of about
// 1k, 16k, 64k and 128k faces, with the tree's shape and the heap it needs; and, beside it, when
// Embree is installed, Embree's build of a ray-tracing tree over the same triangles on one
// thread (a different tree, for the scale of what a tree build can cost).
#include "MeshExporter/SpatialTree.h"
#include "bench/support/HeapAccounting.h"
#include "tests/MeshExporter/CollisionTestMeshes.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>

#ifdef VORNEX_HAVE_EMBREE
#include <embree3/rtcore.h>
#endif

namespace {

// Grid sides and shape bands chosen for 1k, 16k, 64k and 128k faces within 16-bit vertex numbers.
vx::test::Mesh meshFor(bool closed, int size) {
    constexpr int kRings[] = {16, 64, 179, 356};
    constexpr int kSegments[] = {32, 128, 180, 180};
    constexpr int kSides[] = {23, 90, 179, 253};
    const auto at = static_cast<std::size_t>(size);
    return closed ? vx::test::closedShape(kRings[at], kSegments[at])
                  : vx::test::terrain(kSides[at], 17);
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

void buildEmbreeTree(benchmark::State& state) {
#ifdef VORNEX_HAVE_EMBREE
    const vx::test::Mesh mesh = meshFor(state.range(0) != 0, static_cast<int>(state.range(1)));
    RTCDevice device = rtcNewDevice("threads=1");
    if (!device) {
        state.SkipWithError("Embree could not make a device");
        return;
    }
    for (auto _ : state) {
        RTCScene scene = rtcNewScene(device);
        RTCGeometry geometry = rtcNewGeometry(device, RTC_GEOMETRY_TYPE_TRIANGLE);
        auto* vertices = static_cast<float*>(
            rtcSetNewGeometryBuffer(geometry, RTC_BUFFER_TYPE_VERTEX, 0, RTC_FORMAT_FLOAT3,
                                    3 * sizeof(float), mesh.vertices.size()));
        for (std::size_t i = 0; i < mesh.vertices.size(); ++i) {
            vertices[3 * i] = mesh.vertices[i].x;
            vertices[3 * i + 1] = mesh.vertices[i].y;
            vertices[3 * i + 2] = mesh.vertices[i].z;
        }
        auto* indices = static_cast<unsigned*>(
            rtcSetNewGeometryBuffer(geometry, RTC_BUFFER_TYPE_INDEX, 0, RTC_FORMAT_UINT3,
                                    3 * sizeof(unsigned), mesh.faces.size()));
        for (std::size_t f = 0; f < mesh.faces.size(); ++f)
            for (unsigned c = 0; c < 3; ++c)
                indices[3 * f + c] = mesh.faces[f].corners[c];
        rtcCommitGeometry(geometry);
        rtcAttachGeometry(scene, geometry);
        rtcReleaseGeometry(geometry);
        rtcCommitScene(scene);
        rtcReleaseScene(scene);
    }
    rtcReleaseDevice(device);
    state.counters["faces"] = static_cast<double>(mesh.faces.size());
#else
    state.SkipWithError("Embree is not installed (libembree-dev): no comparison");
#endif
}

} // namespace

// Arguments: 0 terrain grid / 1 closed shape; size 0 to 3 for about 1k, 16k, 64k, 128k faces.
BENCHMARK(buildEmbreeTree)
    ->ArgsProduct({{0, 1}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(buildTree)
    ->ArgsProduct({{0, 1}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
