#pragma once
// A mesh shape cut into triangle batches for the viewport, one per shading engine, in the
// arrays the hardware-shader draw protocol hands over: one vertex per face corner (positions
// and normals 3 floats, texture coordinates 2 floats per requested UV set) and 32-bit indices.
#include <cstdint>
#include <string>
#include <vector>

namespace vornexhost {

struct MeshGeometry;
struct ShaderAssignment;

struct MeshBatch {
    int engine = -1; // position in ShaderAssignment::engines; -1 for faces no engine shades
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<std::vector<float>> uvs; // one array per UV set found, in the requested order
    std::vector<int> vertexIds;          // the mesh vertex of each corner
    std::vector<std::uint32_t> indices;  // triangles
};

// Batches in order of first engine met (faces without an engine last). `uvSetNames` are the
// sets the drawer reads: arrays are made for the longest run of them, from the first, that the
// mesh has; when the mesh has none of them (or none was asked for) its current set is used,
// if it has one. Faces are fanned from their first corner over their outer loop.
std::vector<MeshBatch> buildMeshBatches(const MeshGeometry& mesh, const ShaderAssignment& shading,
                                        const std::vector<std::string>& uvSetNames);

} // namespace vornexhost
