#include "Vornex/Reader/MeshValidation.h"

#include "Shared/Base/Log.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"

#include <cstdint>

namespace vx {
namespace {

// -1 means none; anything else must index the array.
bool invalidIndex(std::int32_t index, std::size_t size) {
    return index != Vertex::kNone && (index < 0 || static_cast<std::size_t>(index) >= size);
}

} // namespace

std::size_t validateVertexBuffer(const VertexBuffer& vertices, const PrimitiveBuffer& primitives) {
    std::size_t problems = 0;
    for (std::size_t i = 0; i < vertices.m_vertices.size(); ++i) {
        const Vertex& vertex = vertices.m_vertices[i];
        if (invalidIndex(vertex.getPosition(), vertices.m_positions.size())) {
            VX_WARNING << "<" << vertices.m_name << "> Vertex: " << i
                       << " has invalid postition index: " << vertex.getPosition();
            ++problems;
        }
        const struct {
            std::int32_t index;
            std::size_t size;
            const char* what;
        } others[] = {
            {vertex.getNormal(), vertices.m_normals.size(), " has invalid normal index: "},
            {vertex.getDiffuse(), vertices.m_diffuseColors.size(), " has invalid diffuse index: "},
            {vertex.getSpecular(), vertices.m_specularColors.size(),
             " has invalid specular index: "},
            {vertex.getBlendWeight(), vertices.m_skinWeights.size(),
             " has invalid blendweights index: "},
        };
        for (const auto& other : others)
            if (invalidIndex(other.index, other.size)) {
                VX_WARNING << "<" << vertices.m_name << "> Vertex: " << i
                           << "MayaVertex: " << vertex.getPosition() << other.what << other.index;
                ++problems;
            }
    }
    for (std::size_t p = 0; p < primitives.m_primitives.size(); ++p) {
        const Primitive& primitive = primitives.m_primitives[p];
        for (std::size_t corner = 0; corner < primitive.size(); ++corner)
            if (primitive[corner] < 0 ||
                static_cast<std::size_t>(primitive[corner]) >= vertices.m_vertices.size()) {
                VX_WARNING << "<" << primitives.m_name << "> Primitive: " << p
                           << " LocalVtx: " << corner << " is invalid: " << primitive[corner];
                ++problems;
            }
    }
    return problems;
}

std::size_t validateGroupedMesh(const MaterialGroupedMesh& mesh,
                                const std::vector<std::size_t>& uvSetsOfGroup) {
    std::size_t problems = 0;
    const MeshGeometry* geometry = mesh.m_geometry.get();
    const PrimitiveBuffer* primitives = geometry ? geometry->m_primitiveBuffer.get() : nullptr;
    const VertexBuffer* vertices = geometry ? geometry->m_vertexBuffer.get() : nullptr;
    for (std::size_t g = 0; g < mesh.m_groups.size(); ++g) {
        const MaterialGroup& group = mesh.m_groups[g];
        const std::size_t uvSets = g < uvSetsOfGroup.size() ? uvSetsOfGroup[g] : 0;
        for (const std::int32_t index : group.m_primitives) {
            if (!primitives || index < 0 ||
                static_cast<std::size_t>(index) >= primitives->m_primitives.size()) {
                VX_WARNING << "<" << mesh.m_name << "> Primitive: " << index
                           << " not a valid primitive index";
                ++problems;
                continue;
            }
            const Primitive& primitive = primitives->m_primitives[static_cast<std::size_t>(index)];
            for (std::size_t corner = 0; corner < primitive.size(); ++corner) {
                const std::int32_t v = primitive[corner];
                if (!vertices || v < 0 || static_cast<std::size_t>(v) >= vertices->vertexCount())
                    continue; // reported by the vertex buffer's check
                const Vertex& vertex = vertices->m_vertices[static_cast<std::size_t>(v)];
                for (std::size_t set = 0; set < uvSets; ++set) {
                    // A vertex with fewer channels than the material uses lacks the rest.
                    if (set < vertex.getUvCount() &&
                        vertex.getUv(static_cast<int>(set)) != Vertex::kNone)
                        continue;
                    VX_WARNING << "f[" << index << "].vtx[" << corner << "] (" << v
                               << " missing uvcoord for uvset " << set << " material "
                               << (group.m_material ? group.m_material->m_name : "");
                    ++problems;
                }
            }
        }
    }
    return problems;
}

} // namespace vx
