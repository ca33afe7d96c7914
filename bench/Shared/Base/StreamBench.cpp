// Binary writing throughput: typed values through the stream's virtual write into memory,
// the path every exporter's file takes before it reaches the disk.
#include "Shared/Base/Streams/Buffers/MemoryOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Base/math/Matrix.h"

#include <benchmark/benchmark.h>

namespace {

void BM_WriteFloats(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    vx::MemoryOutBuffer buffer(count * sizeof(float));
    for (auto _ : state) {
        buffer.reset();
        vx::OutStream out(&buffer);
        for (std::size_t i = 0; i < count; ++i)
            out << static_cast<float>(i);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(count * sizeof(float)));
}
BENCHMARK(BM_WriteFloats)->Arg(1 << 16);

void BM_WriteVectorsAsBlock(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    std::vector<vx::Vector3> points(count, vx::Vector3{1, 2, 3});
    vx::MemoryOutBuffer buffer(count * sizeof(vx::Vector3));
    for (auto _ : state) {
        buffer.reset();
        vx::OutStream out(&buffer);
        out.write(points.data(), points.size() * sizeof(vx::Vector3));
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(count * sizeof(vx::Vector3)));
}
BENCHMARK(BM_WriteVectorsAsBlock)->Arg(1 << 16);

} // namespace
