#include "MeshExporter/GenerateTangents.h"
#include <cstring>
namespace vx {
bool generateTangents(std::uint32_t& vertexCount, std::uint32_t&,
                      std::vector<std::uint8_t>& vertices, std::vector<std::uint16_t>&,
                      std::uint32_t& stride, std::uint32_t, std::uint32_t, std::uint32_t) {
    std::vector<std::uint8_t> out(std::size_t{vertexCount} * (stride + 24), 0);
    for (std::size_t i = 0; i < vertexCount; ++i)
        std::memcpy(out.data() + i * (stride + 24), vertices.data() + i * stride, stride);
    vertices = std::move(out);
    stride += 24;
    return true;
}
} // namespace vx
