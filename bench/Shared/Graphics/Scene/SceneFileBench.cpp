// Writing and reading a scene graph file of one large mesh (a grid of quads), in memory.
#include "Shared/Base/Streams/Buffers/MemoryInBuffer.h"
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/InStream.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Graphics/Scene/LeafNode.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/RootNode.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"

#include <benchmark/benchmark.h>

namespace vx {
namespace {

// A side x side grid: side² positions and vertices with one UV set, (side - 1)² quads.
void buildGridScene(Scene& scene, std::int32_t side) {
    auto* root = new RootNode();
    scene.setRoot(root);
    root->release();
    auto vb = std::make_shared<VertexBuffer>();
    vb->m_uvSets.resize(1);
    for (std::int32_t y = 0; y < side; ++y) {
        for (std::int32_t x = 0; x < side; ++x) {
            const std::int32_t i = y * side + x;
            vb->m_positions.push_back({static_cast<float>(x), 0.0f, static_cast<float>(y)});
            vb->m_uvSets[0].push_back({static_cast<float>(x), static_cast<float>(y)});
            Vertex v;
            v.setPosition(i);
            v.addUv(i);
            vb->m_vertices.push_back(v);
        }
    }
    auto pb = std::make_shared<PrimitiveBuffer>();
    for (std::int32_t y = 0; y + 1 < side; ++y) {
        for (std::int32_t x = 0; x + 1 < side; ++x) {
            const std::int32_t i = y * side + x;
            pb->m_primitives.push_back({{i, i + 1, i + side + 1, i + side}, 0, 0});
        }
    }
    auto geometry = std::make_shared<MeshGeometry>();
    geometry->m_vertexBuffer = vb;
    geometry->m_primitiveBuffer = pb;
    auto mesh = std::make_shared<MaterialGroupedMesh>();
    mesh->m_geometry = geometry;
    mesh->m_groups.resize(1);
    for (std::int32_t p = 0; p < static_cast<std::int32_t>(pb->m_primitives.size()); ++p)
        mesh->m_groups[0].m_primitives.push_back(p);
    auto* node = new UtilMeshNode();
    node->setMesh(mesh);
    root->addChild(node);
    node->release();
}

// Reads the scene's file once per iteration, or with `write` writes the scene once per iteration.
void measure(benchmark::State& state, Scene& scene, bool write = false) {
    StringOutBuffer buffer;
    OutStream out(&buffer);
    scene.write(out);
    const std::string bytes = buffer.text();
    for (auto _ : state) {
        if (write) {
            StringOutBuffer again;
            OutStream to(&again);
            scene.write(to);
            benchmark::DoNotOptimize(again.text().data());
            continue;
        }
        MemoryInBuffer memory(bytes.data(), bytes.size());
        InStream in(&memory);
        Scene back;
        if (!back.read(in))
            state.SkipWithError("read failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

// Arguments: grid side; 1 to write, 0 to read.
void BM_GridScene(benchmark::State& state) {
    Scene scene;
    buildGridScene(scene, static_cast<std::int32_t>(state.range(0)));
    measure(state, scene, state.range(1) != 0);
}
BENCHMARK(BM_GridScene)->ArgsProduct({{64, 512}, {1, 0}});

// One root with many children: linking a file's nodes must stay linear in the link count.
void BM_ReadWideScene(benchmark::State& state) {
    Scene scene;
    auto* root = new RootNode();
    scene.setRoot(root);
    root->release();
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        auto* leaf = new LeafNode();
        root->addChild(leaf);
        leaf->release();
    }
    measure(state, scene);
}
BENCHMARK(BM_ReadWideScene)->RangeMultiplier(4)->Range(1024, 16384);

} // namespace
} // namespace vx
