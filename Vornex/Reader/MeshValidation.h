#pragma once
// Consistency checks of a mesh just read, run with the validateGeometry option. They only log
// (Warning level) and change nothing. Host-free.
#include <cstddef>
#include <vector>

namespace vx {

class MaterialGroupedMesh;
class PrimitiveBuffer;
class VertexBuffer;

// Every index of every output vertex names an element of its array, and every polygon corner
// names an output vertex. Returns the number of problems logged.
std::size_t validateVertexBuffer(const VertexBuffer& vertices, const PrimitiveBuffer& primitives);

// Every primitive index of every group names a polygon, and every vertex of a group has a UV
// in each of the first `uvSetsOfGroup[g]` channels (the UV sets group g's material uses).
// Returns the number of problems logged.
std::size_t validateGroupedMesh(const MaterialGroupedMesh& mesh,
                                const std::vector<std::size_t>& uvSetsOfGroup);

} // namespace vx
