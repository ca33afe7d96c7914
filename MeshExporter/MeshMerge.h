#pragma once
// The vertex and index buffers every level of detail of an export is merged into, and the
// mesh file's vertex block written from them.
#include "MeshExporter/ExportVertex.h"

#include <d3d9.h>

#include <cstdint>
#include <vector>

namespace vx {

class MeshDataExporter;
class MeshMaterialExporter;
class OutStream;

struct MergedMeshData {
    // The levels of detail's vertex lists in order (not owned: they live as long as their
    // levels of detail, until the vertex block is written); packed one after another.
    std::vector<const ExportVertexList*> vertexLists;
    std::vector<std::uint16_t> indices;
    // Declaration, stride and packing come from the first level of detail merged.
    const MeshDataExporter* first = nullptr;
    std::uint32_t vertexOffset = 0;
    std::uint32_t indexOffset = 0;

    void reset() { *this = MergedMeshData(); }
};

// The process-wide merge state; the driver resets it before the first geometry.
MergedMeshData& meshMergeState();

// Appends a level of detail: its material records' base vertex and start index become global;
// static meshes also get each material's bounding box.
void mergeLod(MergedMeshData& merged, const MeshDataExporter& lod, MeshMaterialExporter& materials,
              int lodNumber, bool materialBounds);

// Vertex memory of at least this many bytes cannot be loaded by the game.
inline constexpr std::uint64_t kVertexMemoryLimit = 8192000;

// False, with the reason logged, when the merged data break the limits; out-of-range indices
// are only warned of. Called before the file is opened, so a refusal leaves it as it was.
bool checkVertexBlock(const MergedMeshData& merged);

// Writes the declaration, primitive type, stride, vertices, indices and the first level of
// detail's trailer, of merged data that passed checkVertexBlock.
void writeVertexBlock(OutStream& out, const MergedMeshData& merged);

} // namespace vx
