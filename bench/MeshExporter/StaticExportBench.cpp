// The staticMesh export stage (after reading) on generated grid scenes of about 10k, 40k and
// 140k vertices in four material bands: time per export and the heap it needs at its peak.
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/GeomLightmapSettings.h"
#include "MeshExporter/MeshExporter.h"
#include "Shared/Base/LogFilter.h"
#include "bench/MeshExporter/ExportRuns.h"
#include "bench/support/HeapAccounting.h"
#include "tests/MeshExporter/ExportSceneBuilder.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

namespace {

void BM_ExportStaticMesh(benchmark::State& state) {
    const auto side = static_cast<int>(std::lround(std::sqrt(static_cast<double>(state.range(0)))));
    const bool lightmapped = state.range(1) != 0;
    std::vector<std::shared_ptr<vx::Material>> bands;
    for (int i = 0; i < 4; ++i)
        bands.push_back(vx::test::cgfxMaterial("band" + std::to_string(i), "StaticMesh.fx", "Base",
                                               {"terrain/ground.dds"}));
    vx::test::ExportSceneBuilder builder;
    builder.transform("geom0", "root_staticMesh");
    builder.transform("lod0", "geom0");
    builder.transform("terrain", "lod0");
    builder.mesh("terrainShape", "terrain",
                 vx::test::buildMesh("terrainShape", vx::test::gridDraft(side, bands)));
    if (!lightmapped)
        builder.transform("geom0_NoLightmap", "geom0");
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("vornex_export_bench_" + std::to_string(side));
    std::filesystem::create_directories(dir);
    const std::string out = (dir / "terrain.staticMesh").string();
    vx::bench::runExports(state, builder.scene(), out);
    state.counters["grid_vertices"] = static_cast<double>(side * side);
    state.counters["mesh_file_MB"] =
        static_cast<double>(std::filesystem::file_size(dir / "meshes" / "terrain.staticmesh")) /
        vx::bench::kMegabyte;
    std::filesystem::remove_all(dir);
}

BENCHMARK(BM_ExportStaticMesh)
    ->ArgsProduct({{10000, 40000, 140000}, {0, 1}})
    ->ArgNames({"vertices", "lightmap"})
    ->Unit(benchmark::kMillisecond);

} // namespace
