#pragma once
// Where one material's triangles lie in a level of detail, as the mesh data exporter builds it
// and the material exporter writes it.
#include "Shared/Base/math/Vector3.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vx {

class Material;

struct MeshMaterialRecord {
    std::string name;                   // the host shader's name
    std::shared_ptr<Material> material; // may be absent
    std::uint32_t alphaMode = 0;        // 0 opaque, 1 alpha blended, 2 alpha tested
    std::int32_t baseVertexIndex = 0;   // first vertex; made global when the LODs are merged
    std::uint32_t startIndex = 0;       // first index; made global when the LODs are merged
    std::uint32_t indexCount = 0;       // one sort copy's worth for alpha-blended materials
    std::uint32_t vertexCount = 0;
    std::uint32_t partOffset = 0;
    std::uint32_t partSize = 0;
    Vector3 boundsMin;
    Vector3 boundsMax;
    bool boundsValid = false;
};

} // namespace vx
