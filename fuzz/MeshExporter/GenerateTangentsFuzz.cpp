// Tangent generation on arbitrary packed meshes. Byte 0: bit 0 takes the vertex floats raw
// (NaN, infinity, huge values); otherwise each float is a small step value from one byte, so
// positions and texture coordinates repeat and vertices group and split. Byte 1: further bytes
// per vertex beyond 36, where the vertex number is written. Byte 2: vertex count. The rest:
// vertex bytes, then 16-bit indices. A success must give a consistent mesh whose every vertex
// is a copy of an input vertex with its frame appended.
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/GenerateTangents.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/LogFilter.h"

#include <vornexhost/ScriptEditor.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Rejections are an expected outcome; keep them off the terminal and out of Log.txt.
    vornexhost::setScriptEditorSink([](vornexhost::ScriptEditorKind, std::string_view) {});
    vx::logChannel()->setFileName("/dev/null");
    vx::logFilter().setThreshold("", 6);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    const bool raw = data[0] & 1;
    const std::uint32_t stride = 40 + (data[1] % 16);
    std::uint32_t vertexCount = data[2];
    std::size_t at = 3;
    std::vector<std::uint8_t> vertices(std::size_t{vertexCount} * stride);
    for (std::uint32_t v = 0; v < vertexCount; ++v) {
        std::uint8_t* out = vertices.data() + std::size_t{v} * stride;
        if (raw) {
            const std::size_t n = std::min<std::size_t>(36, size - at);
            std::memcpy(out, data + at, n);
            at += n;
        } else {
            for (std::uint32_t f = 0; f < 9; ++f) {
                const float value =
                    at < size ? static_cast<float>(static_cast<std::int8_t>(data[at++])) / 2.0f
                              : 0.0f;
                std::memcpy(out + 4 * f, &value, 4);
            }
        }
        std::memcpy(out + 36, &v, 4);
    }
    std::vector<std::uint16_t> indices;
    for (; at + 1 < size; at += 2)
        indices.push_back(static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8)));
    auto indexCount = static_cast<std::uint32_t>(indices.size());

    const std::vector<std::uint8_t> input = vertices;
    std::uint32_t newStride = stride;
    vx::exportErrorList().clear();
    if (!vx::generateTangents(vertexCount, indexCount, vertices, indices, newStride, 0, 12, 28)) {
        if (vertices != input || newStride != stride)
            __builtin_trap();
        return 0;
    }
    if (newStride != stride + 24 || vertexCount > 65535 ||
        vertices.size() != std::size_t{vertexCount} * newStride || indices.size() != indexCount)
        __builtin_trap();
    for (std::uint16_t index : indices)
        if (index >= vertexCount)
            __builtin_trap();
    const std::size_t inputCount = input.size() / stride;
    for (std::uint32_t v = 0; v < vertexCount; ++v) {
        const std::uint8_t* out = vertices.data() + std::size_t{v} * newStride;
        std::uint32_t source = 0;
        std::memcpy(&source, out + 36, 4);
        if (source >= inputCount)
            __builtin_trap();
        const std::uint8_t* in = input.data() + std::size_t{source} * stride;
        // The normal may have been replaced; everything else is the source's.
        if (std::memcmp(out, in, 12) != 0 || std::memcmp(out + 24, in + 24, stride - 24) != 0)
            __builtin_trap();
    }
    return 0;
}
