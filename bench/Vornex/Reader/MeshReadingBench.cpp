// Reading a generated scene of one large triangle mesh (a grid of smooth triangles with one
// UV set under a file-textured material) with the scene reader, at 250k, 500k and 1M
// triangles: time per read, and the heap the read needs at its peak and keeps in its scene.
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Vornex/Reader/SceneReader.h"
#include "bench/support/HeapAccounting.h"

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

// A grid of `cells` x `cells` quads, each split into two triangles, stored on the shape the
// way Maya writes a mesh without history: UV points, vertices, smooth edges, polyFaces.
std::string gridScene(int cells) {
    const int side = cells + 1;
    const int vertices = side * side;
    const int horizontal = cells * side; // edges along x, then along z, then the diagonals
    const int edges = 2 * horizontal + cells * cells;
    std::string out = "//Maya ASCII 2020 scene\nrequires maya \"2020\";\n"
                      "currentUnit -l centimeter -a degree -t film;\n"
                      "createNode transform -n \"terrain\";\n"
                      "createNode mesh -n \"terrainShape\" -p \"terrain\";\n"
                      "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";\n";
    out.reserve(static_cast<std::size_t>(vertices) * 40 + static_cast<std::size_t>(edges) * 20 +
                static_cast<std::size_t>(cells) * static_cast<std::size_t>(cells) * 80);
    out += "\tsetAttr -s " + std::to_string(vertices) +
           " \".uvst[0].uvsp[0:" + std::to_string(vertices - 1) + "]\" -type \"float2\"";
    for (int v = 0; v < vertices; ++v)
        out += " " + std::to_string(double(v % side) / cells) + " " +
               std::to_string(double(v / side) / cells);
    out += ";\n\tsetAttr \".cuvs\" -type \"string\" \"map1\";\n";
    out += "\tsetAttr -s " + std::to_string(vertices) + " \".vt[0:" + std::to_string(vertices - 1) +
           "]\"";
    for (int v = 0; v < vertices; ++v)
        out += " " + std::to_string(v % side) + " " + std::to_string((v * 7919) % 13 / 13.0) + " " +
               std::to_string(v / side);
    out += ";\n\tsetAttr -s " + std::to_string(edges) + " \".ed[0:" + std::to_string(edges - 1) +
           "]\"";
    for (int e = 0; e < edges; ++e) {
        int a = 0;
        int b = 0;
        if (e < horizontal) {
            a = (e / cells) * side + e % cells;
            b = a + 1;
        } else if (e < 2 * horizontal) {
            a = e - horizontal;
            b = a + side;
        } else {
            const int cell = e - 2 * horizontal;
            a = (cell / cells) * side + cell % cells;
            b = a + side + 1;
        }
        out += " " + std::to_string(a) + " " + std::to_string(b) + " 1";
    }
    const int faces = 2 * cells * cells;
    out += ";\n\tsetAttr -s " + std::to_string(faces) + " \".fc[0:" + std::to_string(faces - 1) +
           "]\" -type \"polyFaces\"";
    for (int cell = 0; cell < cells * cells; ++cell) {
        const int r = cell / cells;
        const int c = cell % cells;
        const int v0 = r * side + c;
        const int bottom = r * cells + c;           // v0 -> v0 + 1
        const int top = (r + 1) * cells + c;        // v0 + side -> v0 + side + 1
        const int left = horizontal + v0;           // v0 -> v0 + side
        const int right = horizontal + v0 + 1;      // v0 + 1 -> v0 + side + 1
        const int diagonal = 2 * horizontal + cell; // v0 -> v0 + side + 1
        out += "\n\t\tf 3 " + std::to_string(bottom) + " " + std::to_string(right) + " " +
               std::to_string(-1 - diagonal) + "\n\t\tmu 0 3 " + std::to_string(v0) + " " +
               std::to_string(v0 + 1) + " " + std::to_string(v0 + side + 1);
        out += "\n\t\tf 3 " + std::to_string(diagonal) + " " + std::to_string(-1 - top) + " " +
               std::to_string(-1 - left) + "\n\t\tmu 0 3 " + std::to_string(v0) + " " +
               std::to_string(v0 + side + 1) + " " + std::to_string(v0 + side);
    }
    out += ";\ncreateNode lambert -n \"ground\";\ncreateNode shadingEngine -n \"groundSG\";\n"
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
