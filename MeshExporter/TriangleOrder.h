#pragma once
// Reorders one material's triangles for the vertex cache through the graphics services: the
// same triangles over the same vertices, in a cache-friendly order.
#include <d3d9.h>

#include <cstdint>
#include <vector>

namespace vx {

// The mesh has `vertexCount` vertices laid out by `declaration` (ended by the end element);
// `indices`, three per triangle, are replaced by the reordered list. The order depends on the
// vertex numbers alone, so the vertices' contents are not handed over. A failing graphics call
// is an assertion (the operation stops with AssertionFailed).
void optimizeTriangleOrder(const std::vector<D3DVERTEXELEMENT9>& declaration,
                           std::uint32_t vertexCount, std::vector<std::uint16_t>& indices);

} // namespace vx
