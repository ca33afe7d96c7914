// The whole `vornex` process exporting generated static scenes (`vornex export`), set beside
// the same program only reading them (`vornex parse`) and, when it is installed, gltfpack
// packing the same triangles from an OBJ file. Scenes: 9 grid parts lying flat or standing as
// walls, about 40k or 133k exported vertices, lightmaps off or on (512 lumels). Counters, each
// the fastest of the iterations: export_s, parse_s, gltfpack_s, their ratios, and the peak
// resident memory of the export and the parse. VORNEX_PROGRAM names another build's program
// to measure.
#include "bench/support/ExportScene.h"
#include "bench/support/ProcessRun.h"
#include "tools/info/FileBytes.h"
#include "tools/info/MeshFileReader.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace {

using vx::bench::ProcessRun;

struct Fastest {
    double seconds = std::numeric_limits<double>::infinity();
    double peakMegabytes = 0.0;
    void add(const ProcessRun& run) {
        seconds = std::min(seconds, run.seconds);
        peakMegabytes = std::max(peakMegabytes, run.peakRssMegabytes);
    }
};

// The vertex count of the static mesh file at `path`, 0 when it cannot be read.
std::uint32_t exportedVertices(const std::string& path) {
    std::string bytes;
    std::string error;
    vx::meshfile::MeshFile mesh;
    if (!vx::info::readFileBytes(path, bytes, error) ||
        !vx::meshfile::readMeshFile(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                    bytes.size(), vx::meshfile::MeshKind::Static, mesh, error))
        return 0;
    return mesh.vertexCount;
}

void BM_ExportProcess(benchmark::State& state) {
    vx::bench::ExportSceneShape shape;
    shape.wall = state.range(0) != 0;
    shape.cells = static_cast<int>(state.range(1));
    shape.lightmapSize = state.range(2) != 0 ? 512 : 0;
    const vx::bench::TempFolder folder("vornex-export");
    // The game files go below a "rawdata" folder, where the exporter expects them.
    if (!folder.ready() || !folder.write("scenes/scene.ma", vx::bench::staticExportScene(shape)) ||
        !folder.write("effects/Grid.fx", vx::bench::gridEffect()) ||
        !folder.write("scene.obj", vx::bench::objOf(shape)) || !folder.write("rawdata/.keep", "")) {
        state.SkipWithError("cannot write the scene to a temporary folder");
        return;
    }
    const std::string& dir = folder.path();
    const char* program = std::getenv("VORNEX_PROGRAM");
    const std::string vornex = program ? program : VORNEX_HOST_PROGRAM;
    const std::string gltfpack = vx::bench::findOnPath("gltfpack");
    const std::string log = dir + "/run.txt";
    Fastest exported;
    Fastest parsed;
    Fastest packed;
    for (auto _ : state) {
        const ProcessRun run = vx::bench::runProcess(
            {vornex, "export", dir + "/scenes/scene.ma", "rawdata/scene.staticMesh"}, dir, log);
        if (run.status != 0 || !std::filesystem::exists(dir + "/rawdata/meshes/scene.staticmesh")) {
            state.SkipWithError(("the export failed: " + vx::bench::firstLine(log)).c_str());
            return;
        }
        state.SetIterationTime(run.seconds);
        exported.add(run);
        const ProcessRun parse =
            vx::bench::runProcess({vornex, "parse", dir + "/scenes/scene.ma"}, dir, log);
        if (parse.status != 0) {
            state.SkipWithError(("the parse failed: " + vx::bench::firstLine(log)).c_str());
            return;
        }
        parsed.add(parse);
        if (!gltfpack.empty()) {
            const ProcessRun pack =
                vx::bench::runProcess({gltfpack, "-i", "scene.obj", "-o", "scene.glb"}, dir, log);
            if (pack.status == 0)
                packed.add(pack);
        }
    }
    // The export must have gone through without an entry in the artist's error list, or the
    // figure measures something else.
    if (const std::string errors = dir + "/rawdata/scene.log"; std::filesystem::exists(errors)) {
        state.SkipWithError(("the export reported: " + vx::bench::firstLine(errors)).c_str());
        return;
    }
    state.counters["vertices"] =
        static_cast<double>(exportedVertices(dir + "/rawdata/meshes/scene.staticmesh"));
    state.counters["export_s"] = exported.seconds;
    state.counters["parse_s"] = parsed.seconds;
    state.counters["export_per_parse"] = exported.seconds / parsed.seconds;
    state.counters["export_MiB"] = exported.peakMegabytes;
    state.counters["parse_MiB"] = parsed.peakMegabytes;
    state.counters["export_per_parse_memory"] = exported.peakMegabytes / parsed.peakMegabytes;
    if (packed.seconds < std::numeric_limits<double>::infinity()) {
        state.counters["gltfpack_s"] = packed.seconds;
        state.counters["export_per_gltfpack"] = exported.seconds / packed.seconds;
    } else {
        state.SetLabel("gltfpack not installed: no comparison");
    }
}

} // namespace

// Arguments: flat 0 / wall 1; 34 or 61 cells a part (about 42k or 134k exported vertices: the
// parts' edges are hard, so a quad has corners of its own); lightmaps
// off 0 / on 1.
BENCHMARK(BM_ExportProcess)
    ->ArgsProduct({{0, 1}, {34, 61}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(9);

BENCHMARK_MAIN();
