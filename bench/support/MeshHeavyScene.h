#pragma once
// A generated Maya ASCII scene dominated by mesh data, written the way Maya writes meshes:
// grids of 120 x 120 quads with vertices, edges, polyFaces with UVs, UV points and normals.
#include <cstddef>
#include <string>

namespace vx::bench {

// Whole grid meshes are appended until the text holds at least `minimumBytes`.
std::string meshHeavyScene(std::size_t minimumBytes);

} // namespace vx::bench
