// Reading a static mesh file in memory: one geometry of one LOD with n vertices of 48 bytes
// (position, normal, blend index bytes, one UV set, tangent), 3n indices and 16 materials.
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"
#include "tools/info/MeshFileReader.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace vx::meshfile {
namespace {

std::string staticFile(std::uint32_t vertices) {
    StringOutBuffer buffer;
    OutStream out(&buffer);
    out << 0u << 11u << 0u << 0u << 0u << std::uint8_t{0} << 1u << 1u;
    const std::uint8_t elements[5][3] = {{2, 0, 0}, {2, 3, 0}, {4, 2, 0}, {1, 5, 0}, {2, 6, 0}};
    const std::uint16_t sizes[5] = {12, 12, 4, 8, 12};
    out << 6u;
    std::uint16_t offset = 0;
    for (int k = 0; k < 5; ++k) {
        out << std::uint16_t{0} << offset << elements[k][0] << std::uint8_t{0} << elements[k][1]
            << elements[k][2];
        offset = static_cast<std::uint16_t>(offset + sizes[k]);
    }
    out << std::uint16_t{0xFF} << std::uint16_t{0} << std::uint8_t{17} << std::uint8_t{0}
        << std::uint8_t{0} << std::uint8_t{0};
    out << 4u << 48u << vertices;
    const std::string vertex(48, '\x3f');
    for (std::uint32_t v = 0; v < vertices; ++v)
        out << vertex;
    out << 3 * vertices;
    for (std::uint32_t i = 0; i < 3 * vertices; ++i)
        out << static_cast<std::uint16_t>(i % 65535);
    out << 8u;
    for (int f = 0; f < 6; ++f)
        out << 0.0f;
    out << 0u << 16u;
    for (std::uint32_t m = 0; m < 16; ++m) {
        out << 13u << "StaticMesh.fx" << 4u << "Base" << 1u << 5u << "a.dds";
        out << 0 << m * 3 * vertices / 16 << 3 * vertices / 16 << vertices / 16 << 0u << 0u;
        for (int f = 0; f < 6; ++f)
            out << 0.0f;
    }
    return buffer.text();
}

void BM_ReadStaticMeshFile(benchmark::State& state) {
    const std::string bytes = staticFile(static_cast<std::uint32_t>(state.range(0)));
    for (auto _ : state) {
        MeshFile file;
        std::string error;
        if (!readMeshFile(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                          MeshKind::Static, file, error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(file.indices.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadStaticMeshFile)->Arg(65535)->Arg(170000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vx::meshfile
