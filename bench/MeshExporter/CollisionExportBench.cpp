// The collision part of an export on its own: one part's "nonvis" node whose "col0" holds a
// generated terrain grid of about 16.2k or 64.8k triangles, welded, given its tree and face
// adjacency and written into memory, as the export driver writes it into the collision file.
#include "MeshExporter/CollisionMaterialList.h"
#include "MeshExporter/CollisionMeshDataExporter.h"
#include "Shared/Base/LogFilter.h"
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Graphics/Scene/Material.h"
#include "bench/support/HeapAccounting.h"
#include "tests/MeshExporter/ExportSceneBuilder.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ExportCollisionMesh(benchmark::State& state) {
    // A side x side grid has 2 (side - 1)^2 triangles: 91 and 181 give 16,200 and 64,800.
    const auto side = static_cast<int>(state.range(0));
    vx::test::ExportSceneBuilder builder;
    builder.transform("geom0", "root_staticMesh");
    builder.transform("lod0", "geom0");
    builder.transform("body", "lod0");
    builder.transform("nonvis", "body");
    builder.transform("col0", "nonvis");
    // Four materials in bands, as a terrain's ground types are.
    std::vector<std::shared_ptr<vx::Material>> grounds;
    for (int i = 0; i < 4; ++i)
        grounds.push_back(std::make_shared<vx::Material>("ground" + std::to_string(i)));
    builder.mesh("col0Shape", "col0",
                 vx::test::buildMesh("col0Shape", vx::test::gridDraft(side, grounds)));
    vx::SceneNode* nonvis = builder.find("nonvis");
    vx::logFilter().setThreshold("", static_cast<std::uint32_t>(vx::LogLevel::Warning));
    double peakMegabytes = 0.0;
    std::size_t bytesWritten = 0;
    for (auto _ : state) {
        vx::collisionMaterialList().clear();
        const std::size_t base = vx::bench::resetHeapPeak();
        vx::StringOutBuffer bytes;
        vx::OutStream out(&bytes);
        if (!vx::writeCollisionBlock(nonvis, out) || out.failed()) {
            state.SkipWithError("collision export failed");
            break;
        }
        bytesWritten = bytes.text().size();
        peakMegabytes = static_cast<double>(vx::bench::heapPeak() - base) / vx::bench::kMegabyte;
    }
    state.counters["faces"] = 2.0 * (side - 1) * (side - 1);
    state.counters["file_MB"] = static_cast<double>(bytesWritten) / vx::bench::kMegabyte;
    state.counters["peak_heap_MB"] = peakMegabytes;
}

BENCHMARK(BM_ExportCollisionMesh)
    ->Arg(91)
    ->Arg(181)
    ->ArgName("grid_side")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace
