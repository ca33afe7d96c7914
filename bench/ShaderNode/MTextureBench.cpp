// Mip levels of a texture by box means of the base image, at common texture sizes.
#include "ShaderNode/MTexture.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

void BM_BuildLevels(benchmark::State& state) {
    const auto side = static_cast<unsigned>(state.range(0));
    std::vector<std::uint8_t> base(std::size_t{side} * side * 4);
    for (std::size_t i = 0; i < base.size(); ++i)
        base[i] = static_cast<std::uint8_t>(i * 131 % 251);
    for (auto _ : state)
        benchmark::DoNotOptimize(vx::MTexture::buildLevels(base, side, side, true));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(base.size()));
}
BENCHMARK(BM_BuildLevels)->Arg(256)->Arg(1024)->Arg(2048)->Unit(benchmark::kMillisecond);

} // namespace
