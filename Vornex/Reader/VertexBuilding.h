#pragma once
// Splits each host vertex of a mesh into the output vertices the game needs: one per group of
// face corners around the vertex that agree in edge smoothness, material, UV ids and colour.
#include "Vornex/Reader/MeshBlindData.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class MDagPath;
class MFnMesh;

namespace vx {

struct PolygonTable;
class VertexBuffer;

struct VertexBuildSettings {
    std::string prefix;                   // "<type::name>", starts the topology warnings
    std::vector<std::int32_t> faceShader; // per face: its shader index, -1 for none
    // Per shader index: per UV channel, the mesh UV set (index) the channel takes, -1 when the
    // mesh lacks the set. Faces without a shader have no UV channels.
    std::vector<std::vector<std::int32_t>> channelSets;
    bool skinned = false; // blend-weight index = host vertex index
    std::vector<BlindDataType> vertexBlindData;
};

// Appends the output vertices (and their UVs, colours and blind data) to `out`, whose UV
// channel count is already set, and fills `table` with every corner's output vertex. Corners
// that the walk cannot place keep PolygonTable::kUnassigned. The host vertices are taken in
// slices of `verticesPerSlice` side by side (0: as many as suit the helper threads); every
// slicing gives the same result and the same log.
void buildVertices(const MDagPath& path, const MFnMesh& mesh, const VertexBuildSettings& settings,
                   VertexBuffer& out, PolygonTable& table, std::size_t verticesPerSlice = 0);

} // namespace vx
