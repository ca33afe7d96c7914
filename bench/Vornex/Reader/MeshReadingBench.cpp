// Reading a generated scene of one large triangle mesh (a grid of smooth triangles with one
// UV set under a file-textured material) with the scene reader, at 250k, 500k and 1M
// triangles: time per read, and the heap the read needs at its peak and keeps in its scene.
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Vornex/Reader/SceneReader.h"
#include "bench/support/HeapAccounting.h"
#include "bench/support/MeshHeavyScene.h"

#include <vornexhost/MaLoader.h>
#include <vornexhost/Scene.h>
#include <vornexhost/ScriptEditor.h>

#include <maya/MFileIO.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

using vx::bench::kMegabyte;
using vx::bench::peakRssMegabytes;

// A grid of `cells` x `cells` quads, each split into two smooth triangles with one UV set, under
// a file-textured lambert.
std::string gridScene(int cells) {
    std::string out = "//Maya ASCII 2020 scene\nrequires maya \"2020\";\n"
                      "currentUnit -l centimeter -a degree -t film;\n";
    vx::bench::GridMesh grid;
    grid.name = "terrain";
    grid.shape = "terrainShape";
    grid.cells = cells;
    grid.triangles = true;
    grid.smooth = true;
    grid.normals = false;
    vx::bench::appendGridMesh(out, grid);
    out += "createNode lambert -n \"ground\";\ncreateNode shadingEngine -n \"groundSG\";\n"
           "createNode file -n \"groundFile\";\n"
           "\tsetAttr \".ftn\" -type \"string\" \"textures/ground.dds\";\n"
           "connectAttr \"groundFile.oc\" \"ground.c\";\n"
           "connectAttr \"ground.oc\" \"groundSG.ss\";\n"
           "connectAttr \"terrainShape.iog\" \"groundSG.dsm\" -na;\n";
    return out;
}

void BM_ReadTriangleMesh(benchmark::State& state) {
    const auto triangles = static_cast<double>(state.range(0));
    const int cells = static_cast<int>(std::lround(std::sqrt(triangles / 2.0)));
    vornexhost::setScriptEditorSink([](vornexhost::ScriptEditorKind, std::string_view) {});
    const std::string text = gridScene(cells);
    double rssBeforeRead = 0.0;
    double peakMegabytes = 0.0;
    double keptMegabytes = 0.0;
    std::size_t gameVertices = 0;
    for (auto _ : state) {
        // The host keeps what it evaluated until the scene changes: each read starts from a
        // freshly loaded scene, so that it pays for, and holds, the host's mesh evaluation.
        state.PauseTiming();
        MFileIO::newFile(true);
        const vornexhost::MaLoadResult loaded =
            vornexhost::loadMayaAscii(vornexhost::activeScene(), "terrain.ma", text);
        if (!loaded.ok) {
            state.SkipWithError(loaded.error.c_str());
            return;
        }
        rssBeforeRead = peakRssMegabytes();
        state.ResumeTiming();
        const std::size_t base = vx::bench::resetHeapPeak();
        vx::SceneReader reader;
        reader.parseActiveMayaScene(false, 0, nullptr);
        peakMegabytes = static_cast<double>(vx::bench::heapPeak() - base) / kMegabyte;
        keptMegabytes = static_cast<double>(vx::bench::heapInUse() - base) / kMegabyte;
        state.PauseTiming();
        gameVertices = 0;
        for (vx::SceneNode* node = reader.scene().getRoot(); node;) {
            const vx::NodeList* children = node->children();
            node = children && !children->empty() ? children->front() : nullptr;
            if (node && node->getType() == &vx::UtilMeshNode::type)
                gameVertices = static_cast<const vx::UtilMeshNode*>(node)
                                   ->mesh()
                                   ->m_geometry->m_vertexBuffer->vertexCount();
        }
        state.ResumeTiming();
    }
    state.counters["triangles"] = 2.0 * cells * cells;
    state.counters["game_vertices"] = static_cast<double>(gameVertices);
    state.counters["read_peak_heap_MB"] = peakMegabytes;
    state.counters["scene_heap_MB"] = keptMegabytes;
    state.counters["process_peak_rss_MB"] = peakRssMegabytes();
    state.counters["rss_before_read_MB"] = rssBeforeRead;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 2 * cells * cells);
}

BENCHMARK(BM_ReadTriangleMesh)
    ->Arg(250'000)
    ->Arg(500'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

BENCHMARK_MAIN();
