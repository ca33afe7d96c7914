#pragma once
// Tangent generation over the exporter's packed vertices and 16-bit indices.
#include <cstdint>
#include <vector>

namespace vx {

// Reads each vertex's position, normal and first texture coordinates (3, 3 and 2 floats) at
// the given byte offsets, mends the mesh (NVMeshMender2.h) and replaces the buffers and counts:
// every output vertex is its source input vertex with the mended position, normal and texture
// coordinates written back at their offsets, followed by the tangent and binormal (6 floats),
// so the stride grows by 24. The exporter's layout puts them at 0, 12 and 28, with a 4-byte
// value at 24 and further bytes from 36 to the stride, all copied from the source vertex.
// False, with the reason logged and in exportErrorList(), when the input cannot be mended or
// the result would need more than 65535 vertices; the buffers and counts are then unchanged.
// With `grownPast16Bit`, a result of more than 65535 vertices is left for the caller to report:
// its vertex count is stored there and nothing is logged or listed.
bool generateTangents(std::uint32_t& vertexCount, std::uint32_t& indexCount,
                      std::vector<std::uint8_t>& vertices, std::vector<std::uint16_t>& indices,
                      std::uint32_t& stride, std::uint32_t positionOffset,
                      std::uint32_t normalOffset, std::uint32_t texCoordOffset,
                      std::uint32_t* grownPast16Bit = nullptr);

} // namespace vx
