// Reading a static mesh file in memory (bench/support/StaticMeshFileBytes.h).
#include "bench/support/StaticMeshFileBytes.h"
#include "tools/info/MeshFileReader.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace vx::meshfile {
namespace {

void BM_ReadStaticMeshFile(benchmark::State& state) {
    const std::string bytes = staticMeshFileBytes(static_cast<std::uint32_t>(state.range(0)));
    for (auto _ : state) {
        MeshFile file;
        std::string error;
        if (!readMeshFile(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                          MeshKind::Static, file, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(file.indices.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadStaticMeshFile)->Arg(65535)->Arg(170000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vx::meshfile
