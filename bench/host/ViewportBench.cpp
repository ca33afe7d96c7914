// The viewport on a generated grid of 2 * N * N triangles under a lambert: cutting the mesh
// into draw batches, and whole renders of 640 x 480 on the software renderer.
#include <vornexhost/MaLoader.h>
#include <vornexhost/MeshBatches.h>
#include <vornexhost/MeshSource.h>
#include <vornexhost/Scene.h>
#include <vornexhost/ShaderAssignment.h>
#include <vornexhost/ViewportRender.h>

#include <benchmark/benchmark.h>

#include <string>

namespace {

void loadGrid(int subdivisions) {
    const std::string text =
        "createNode transform -n \"viewCam\";\n"
        "  setAttr \".t\" -type \"double3\" 0 100 0; setAttr \".r\" -type \"double3\" -90 0 0;\n"
        "createNode camera -n \"viewCamShape\" -p \"viewCam\";\n"
        "  setAttr \".o\" yes; setAttr \".ow\" 100;\n"
        "createNode transform -n \"grid\";\n"
        "createNode mesh -n \"gridShape\" -p \"grid\";\n"
        "createNode polyPlane -n \"pp\";\n"
        "  setAttr \".w\" 100; setAttr \".h\" 100;\n"
        "  setAttr \".sw\" " +
        std::to_string(subdivisions) + "; setAttr \".sh\" " + std::to_string(subdivisions) +
        ";\n"
        "connectAttr \"pp.out\" \"gridShape.i\";\n"
        "connectAttr \"gridShape.iog\" \":initialShadingGroup.dsm\" -na;\n";
    vornexhost::Scene& scene = vornexhost::activeScene();
    scene.reset();
    vornexhost::loadMayaAscii(scene, "grid.ma", text);
}

void BM_MeshBatches(benchmark::State& state) {
    loadGrid(static_cast<int>(state.range(0)));
    const vornexhost::Node* shape = vornexhost::activeScene().findNode("gridShape");
    const auto mesh = vornexhost::evaluateMesh(
        MObject(std::const_pointer_cast<vornexhost::Object>(shape->shared_from_this())));
    const vornexhost::ShaderAssignment shading =
        vornexhost::shaderAssignment(*shape, 0, mesh->faceCount());
    const std::vector<std::string> sets = {"map1", "detail", "crack", "dirt"};
    for (auto _ : state)
        benchmark::DoNotOptimize(vornexhost::buildMeshBatches(*mesh, shading, sets));
    state.counters["triangles"] = 2.0 * double(state.range(0)) * double(state.range(0));
}
BENCHMARK(BM_MeshBatches)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_Render640x480(benchmark::State& state) {
    loadGrid(static_cast<int>(state.range(0)));
    vornexhost::RenderSettings settings;
    settings.camera = "viewCam";
    vornexhost::RenderedImage image;
    std::string error;
    for (auto _ : state)
        if (!vornexhost::renderActiveScene(settings, image, error))
            state.SkipWithError(error.c_str());
    state.counters["triangles"] = 2.0 * double(state.range(0)) * double(state.range(0));
}
BENCHMARK(BM_Render640x480)->Arg(10)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);

} // namespace
