// Binary writing throughput: typed values through the stream's virtual write into memory,
// the path every exporter's file takes before it reaches the disk.
#include "Shared/Base/Streams/Buffers/MemoryOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Base/math/Matrix.h"

#include <benchmark/benchmark.h>

namespace {

// Arguments: the count; 0 writes that many floats one by one, 1 that many vectors as one block.
void BM_Write(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    const bool block = state.range(1) != 0;
    const std::vector<vx::Vector3> points(count, vx::Vector3{1, 2, 3});
    const std::size_t bytes = count * (block ? sizeof(vx::Vector3) : sizeof(float));
    vx::MemoryOutBuffer buffer(bytes);
    for (auto _ : state) {
        buffer.reset();
        vx::OutStream out(&buffer);
        if (block)
            out.write(points.data(), bytes);
        else
            for (std::size_t i = 0; i < count; ++i)
                out << static_cast<float>(i);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_Write)->Args({1 << 16, 0})->Args({1 << 16, 1});

} // namespace
