// The object-space conversion of one 2048 x 2048 normal map for a mesh of about 10k triangles:
// load, two passes, outlining twice, and saving the two DDS files.
#include "MeshExporter/MeshMaterialExporter.h"
#include "MeshExporter/TransformNormalMap.h"
#include "Shared/Base/LogFilter.h"
#include "tests/MeshExporter/FrameMesh.h"
#include "vximage/DdsCodec.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

constexpr unsigned kMapSide = 2048;
constexpr int kCells = 71; // 71 x 71 quads: 10,082 triangles

void writeMap(const std::string& path) {
    vximage::RgbaImage image;
    image.width = kMapSide;
    image.height = kMapSide;
    image.pixels.resize(std::size_t{kMapSide} * kMapSide * 4);
    for (unsigned y = 0; y < kMapSide; ++y)
        for (unsigned x = 0; x < kMapSide; ++x) {
            std::uint8_t* p = &image.pixels[(std::size_t{y} * kMapSide + x) * 4];
            p[0] = static_cast<std::uint8_t>(128 + 60 * std::sin(static_cast<float>(x) * 0.05f));
            p[1] = static_cast<std::uint8_t>(128 + 60 * std::cos(static_cast<float>(y) * 0.07f));
            p[2] = 230;
            p[3] = 255;
        }
    const std::vector<std::uint8_t> bytes =
        vximage::encodeDds(vximage::DdsFormat::A8R8G8B8, {image});
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

void BM_ConvertNormalMap2048(benchmark::State& state) {
    vx::logFilter().setThreshold("", static_cast<std::uint32_t>(vx::LogLevel::Warning));
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "vornex_normalmap_bench";
    writeMap((folder / "Textures" / "body_n.dds").string());
    vx::test::FrameMesh mesh((folder / "soldier.skinnedMesh").string());
    vx::MeshMaterialExporter::Entry entry;
    entry.effectFile = "skinnedMesh.fx";
    entry.record = mesh.addGrid({0, 1, 0}, {0, 0, 1}, 0.0f, 1.0f, kCells);

    vx::TransformNormalMap transform;
    if (!transform.initContext()) {
        state.SkipWithError("no rendering device (is transform.fx beside the program?)");
        return;
    }
    for (auto _ : state) {
        vx::MeshMaterialExporter materials;
        entry.textures = {"body_n.dds"};
        materials.entries().push_back(entry);
        if (!transform.convertSkinnedMesh(mesh, materials)) {
            state.SkipWithError("conversion failed");
            break;
        }
    }
    transform.release();
    state.counters["triangles"] = static_cast<double>(2 * kCells * kCells);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ConvertNormalMap2048)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
