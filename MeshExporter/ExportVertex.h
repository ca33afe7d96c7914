#pragma once
// The exporter's own vertex: everything a mesh file's vertex may carry, converted from a scene
// vertex by a mesh data exporter's makeVertex and packed by its declaration.
#include "Shared/Base/LargeMemory.h"
#include "Shared/Base/math/Vector3.h"
#include "Shared/Graphics/Scene/VertexBuffer.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vx {

class SceneNode;

struct ExportVertex {
    static constexpr unsigned kMaxUvSets = 5;

    Vector3 position;
    Vector3 normal;
    // Four index words; the packed vertex carries the low byte of each (bundled meshes: the
    // part number in the first, skinned meshes: part and bone indices).
    std::array<std::int32_t, 4> indices = {0, 0, 0, 0};
    std::array<UvCoord, kMaxUvSets> uvs{};
    Vector3 tangent;
    Vector3 binormal;
    // Skinning: local bone indices and weights of the two strongest influences.
    std::array<std::int32_t, 2> bones = {-1, 0};
    std::array<float, 2> weights = {-1.0f, 0.0f};
    // Diffuse colour; -1 in every channel when the scene vertex has none.
    Color color{-1.0f, -1.0f, -1.0f, -1.0f};
    std::int32_t animationType = 0;
    std::int32_t uvMatrix = 0;
    // The scene node whose mesh produced the vertex (not owned); finds the vertex's part.
    const SceneNode* sourceNode = nullptr;
};

// Lists of export vertices run to tens of megabytes, filled once: they start on a large-page
// boundary so that the large pages asked for over them cover them whole.
using ExportVertexList = std::vector<ExportVertex, LargeBlockAllocator<ExportVertex>>;

} // namespace vx
