// The skinnedMesh export stage (after reading) on a generated character: four grid meshes of
// about 2.5k, 10k and 16k vertices each, one part per mesh, every vertex weighted to three of
// its part's 26 bones. Time per export and the heap it needs at its peak.
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/MeshExporter.h"
#include "Shared/Base/LogFilter.h"
#include "Shared/Graphics/Scene/Material.h"
#include "bench/MeshExporter/ExportRuns.h"
#include "bench/support/HeapAccounting.h"
#include "tests/MeshExporter/ExportSceneBuilder.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

namespace {

constexpr int kParts = 4;
constexpr int kBonesPerPart = 26;

void BM_ExportSkinnedMesh(benchmark::State& state) {
    const auto side = static_cast<int>(std::lround(std::sqrt(static_cast<double>(state.range(0)))));
    vx::test::ExportSceneBuilder builder("root_skinnedMesh");
    for (int k = 0; k < kParts * kBonesPerPart; ++k)
        builder.joint("b" + std::to_string(k), k == 0 ? "root_skinnedMesh" : "b0",
                      vx::Vector3(0.0f, static_cast<float>(k), 0.0f));
    builder.transform("geom0", "root_skinnedMesh");
    builder.transform("lod0", "geom0");
    const auto skin = vx::test::cgfxMaterial("skin", "SkinnedMesh.fx", "", {"skin.dds"});
    for (int part = 0; part < kParts; ++part) {
        vx::test::MeshDraft draft = vx::test::gridDraft(side, {skin});
        for (vx::Vector3& p : draft.positions)
            p.y += static_cast<float>(part) * 10.0f; // parts apart, so none is a copy of another
        std::vector<std::string> influences;
        for (int b = 0; b < kBonesPerPart; ++b)
            influences.push_back("b" + std::to_string(part * kBonesPerPart + b));
        for (std::size_t v = 0; v < draft.positions.size(); ++v) {
            const auto first = static_cast<std::int32_t>(v % kBonesPerPart);
            draft.skin.push_back(
                {{0.5f, 0.3f, 0.2f, 0.0f},
                 {first, (first + 1) % kBonesPerPart, (first + 2) % kBonesPerPart, -1}});
        }
        const std::string name = "piece" + std::to_string(part);
        builder.transform(name, "lod0");
        builder.skinnedMesh(name + "Shape", name, vx::test::buildMesh(name + "Shape", draft),
                            influences);
    }
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("vornex_skinned_bench_" + std::to_string(side));
    std::filesystem::create_directories(dir);
    const std::string out = (dir / "character.skinnedMesh").string();
    vx::bench::runExports(state, builder.scene(), out);
    state.counters["vertices"] = static_cast<double>(kParts * side * side);
    std::filesystem::remove_all(dir);
}

BENCHMARK(BM_ExportSkinnedMesh)
    ->Arg(2500)
    ->Arg(10000)
    ->Arg(16000)
    ->ArgName("vertices_per_part")
    ->Unit(benchmark::kMillisecond);

} // namespace
