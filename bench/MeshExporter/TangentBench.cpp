// Tangent generation on a generated terrain: a grid of cells x cells quads (two triangles
// each), one vertex per grid point, s mirrored every 8 columns so each seam column is split,
// t along the rows. The mender alone at 10k, 100k and 1M triangles; the 16-bit adapter where
// the split mesh still fits 65535 vertices (10k and 100k). Time, and the heap each call needs
// at its peak beyond its input.
#include "MeshExporter/GenerateTangents.h"
#include "MeshExporter/NVMeshMender2.h"
#include "bench/support/HeapAccounting.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

using vx::bench::kMegabyte;
constexpr int kSeamSpacing = 8;

struct Terrain {
    std::vector<vx::MenderVertex> vertices;
    std::vector<std::uint32_t> indices;
};

Terrain terrain(int cells) {
    Terrain t;
    const int side = cells + 1;
    t.vertices.resize(static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            vx::MenderVertex& v = t.vertices[static_cast<std::size_t>(y * side + x)];
            const float height = static_cast<float>((x * 7919 + y * 104729) % 13) / 13.0f;
            v.position = {static_cast<float>(x), static_cast<float>(y), height};
            v.normal = vx::Vector3(0.1f * height, -0.05f, 1.0f).normalized();
            const int phase = x % (2 * kSeamSpacing);
            v.s = static_cast<float>(std::abs(phase - kSeamSpacing));
            v.t = static_cast<float>(y);
        }
    }
    t.indices.reserve(static_cast<std::size_t>(cells) * static_cast<std::size_t>(cells) * 6);
    for (int y = 0; y < cells; ++y) {
        for (int x = 0; x < cells; ++x) {
            const auto v = static_cast<std::uint32_t>(y * side + x);
            const auto s = static_cast<std::uint32_t>(side);
            t.indices.insert(t.indices.end(), {v, v + 1, v + s + 1, v, v + s + 1, v + s});
        }
    }
    return t;
}

int cellsFor(std::int64_t triangles) {
    return static_cast<int>(std::lround(std::sqrt(static_cast<double>(triangles) / 2.0)));
}

// The exporter's packing for the 16-bit adapter: position, normal, a 4-byte value, texture
// coordinates, and the vertex number it uses to find each output vertex's source.
constexpr std::uint32_t kStride = 40;

std::vector<std::uint8_t> packed(const Terrain& input) {
    std::vector<std::uint8_t> bytes(input.vertices.size() * kStride);
    for (std::size_t v = 0; v < input.vertices.size(); ++v) {
        std::uint8_t* out = bytes.data() + v * kStride;
        const vx::MenderVertex& m = input.vertices[v];
        const auto number = static_cast<std::uint32_t>(v);
        std::memcpy(out, &m.position, 12);
        std::memcpy(out + 12, &m.normal, 12);
        std::memcpy(out + 24, &number, 4);
        std::memcpy(out + 28, &m.s, 8);
        std::memcpy(out + 36, &number, 4);
    }
    return bytes;
}

// Arguments: triangles; 0 for the mender alone, 1 for the 16-bit adapter.
void BM_Tangents(benchmark::State& state) {
    const Terrain input = terrain(cellsFor(state.range(0)));
    const bool adapter = state.range(1) != 0;
    const std::vector<std::uint8_t> packedInput =
        adapter ? packed(input) : std::vector<std::uint8_t>{};
    const std::vector<std::uint16_t> indices(input.indices.begin(), input.indices.end());
    double peakMegabytes = 0.0;
    std::size_t outputVertices = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Terrain work = input;
        std::vector<std::uint32_t> mapping;
        std::vector<std::uint8_t> vertices = packedInput;
        std::vector<std::uint16_t> work16 = indices;
        auto vertexCount = static_cast<std::uint32_t>(input.vertices.size());
        auto indexCount = static_cast<std::uint32_t>(indices.size());
        std::uint32_t stride = kStride;
        const std::size_t base = vx::bench::resetHeapPeak();
        state.ResumeTiming();
        const bool done = adapter ? vx::generateTangents(vertexCount, indexCount, vertices, work16,
                                                         stride, 0, 12, 28)
                                  : vx::mend(work.vertices, work.indices, mapping);
        if (!done) {
            state.SkipWithError("the terrain was rejected");
            return;
        }
        state.PauseTiming();
        peakMegabytes = static_cast<double>(vx::bench::heapPeak() - base) / kMegabyte;
        outputVertices = adapter ? vertexCount : work.vertices.size();
        state.ResumeTiming();
    }
    state.counters["triangles"] = static_cast<double>(indices.size() / 3);
    if (!adapter)
        state.counters["vertices_in"] = static_cast<double>(input.vertices.size());
    state.counters["vertices_out"] = static_cast<double>(outputVertices);
    state.counters["peak_heap_MB"] = peakMegabytes;
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(indices.size() / 3));
}

BENCHMARK(BM_Tangents)
    ->Args({10'000, 0})
    ->Args({100'000, 0})
    ->Args({1'000'000, 0})
    ->Args({10'000, 1})
    ->Args({100'000, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
