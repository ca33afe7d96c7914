#pragma once
// TEMPORARY SHIM (not committed): replaced by the tangent generator branch.
#include <cstdint>
#include <vector>
namespace vx {
bool generateTangents(std::uint32_t& vertexCount, std::uint32_t& indexCount,
                      std::vector<std::uint8_t>& vertices, std::vector<std::uint16_t>& indices,
                      std::uint32_t& stride, std::uint32_t positionOffset,
                      std::uint32_t normalOffset, std::uint32_t texCoordOffset);
}
