// `vornex convert` of a static mesh file of n vertices (bench/support/StaticMeshFileBytes.h),
// from the file on disk to the written glTF.
#include "bench/support/StaticMeshFileBytes.h"
#include "tools/convert/ConvertCommand.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vx::convert {
namespace {

void BM_ConvertStaticMesh(benchmark::State& state) {
    const auto vertices = static_cast<std::uint32_t>(state.range(0));
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("vornex_convert_bench_" + std::to_string(vertices));
    std::filesystem::create_directories(folder);
    const std::string input = (folder / "generated.staticMesh").string();
    const std::string output = (folder / "generated.glb").string();
    std::ofstream(input, std::ios::binary) << meshfile::staticMeshFileBytes(vertices);
    for (auto _ : state) {
        std::ostringstream out, err;
        if (runConvert({input, "-o", output}, out, err) != 0) {
            state.SkipWithError(err.str().c_str());
            break;
        }
    }
    std::error_code missing;
    state.counters["glb_bytes"] = static_cast<double>(std::filesystem::file_size(output, missing));
    std::filesystem::remove_all(folder);
}
// 133,120 vertices: 16 materials of whole triangles.
BENCHMARK(BM_ConvertStaticMesh)->Arg(133120)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vx::convert
