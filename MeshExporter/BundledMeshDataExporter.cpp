#include "MeshExporter/BundledMeshDataExporter.h"

#include "MeshExporter/AnimatedTextureCoordinates.h"
#include "MeshExporter/AnimatedUvState.h"
#include "MeshExporter/ExportErrorList.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Base/TextCase.h"
#include "Shared/Base/math/Matrix.h"
#include "Shared/Graphics/Scene/SceneNode.h"
#include "Shared/Graphics/Scene/Vertex.h"
#include "Shared/Graphics/Scene/VertexBuffer.h"

#include <algorithm>

namespace vx {

std::uint32_t bundledAlphaMode(const std::string& materialName) {
    const std::string lower = toLowerAscii(materialName);
    if (lower.find("alpha_test") != std::string::npos)
        return 2;
    return beginsWithAlpha(materialName) ? 1 : 0;
}

int BundledMeshDataExporter::partNumberOf(const SceneNode* node) {
    if (!node)
        return -1;
    if (node == m_lastAsked)
        return m_lastAnswer;
    int answer = -1;
    int withGeometry = 0;
    for (const MeshPart& part : *m_parts) {
        if (part.sourceNode == node && !part.noGeometry) {
            answer = withGeometry;
            break;
        }
        if (!part.noGeometry)
            ++withGeometry;
    }
    if (answer < 0) {
        for (const SceneNode* parent : node->parents()) {
            answer = partNumberOf(parent);
            if (answer >= 0)
                break;
        }
    }
    m_lastAsked = node;
    m_lastAnswer = answer;
    return answer;
}

bool BundledMeshDataExporter::buildGeometry(SceneNode& node, int /*geometry*/, int /*lod*/) {
    collectParts(node, nullptr, Matrix::identity(), Matrix::identity(), -1);
    std::vector<MaterialTriangles> arrived = convertParts();
    groupMaterials(arrived);
    // The meshes' own count: detection makes an animated level of detail's count 2.
    const std::uint32_t ownUvSets = m_uvSetCount;
    applyAnimatedTextureCoordinates(m_groups, m_uvSetCount, m_outputFile);

    const bool animated = animatedUvState().used;
    if (!animated && m_uvSetCount > 1) {
        exportErrorList().append("BundledMesh has unsupported amount of UV sets used! Max UV count "
                                 "in this version is 1 (if animatedUV 2) .\nExport of this mesh "
                                 "will be flawed");
        return false;
    }
    if (animated && std::max(ownUvSets, m_uvSetCount) > 2) {
        exportErrorList().append(
            "BundledMesh has unsupported amount of UV sets used! Max UV count "
            "for animatedUV geometry is 2.\nExport of this mesh will be flawed");
        return false;
    }
    // The packed sets follow the declaration: the second set whenever the export animates UVs.
    if (animated)
        m_uvSetCount = 2;
    declareTangentVertices();
    return true;
}

bool BundledMeshDataExporter::finishGeometry() {
    // Part numbers first, so that corners of different parts never weld together. What stops
    // a group is only reported when the groups before it are placed, as one group after the
    // other would report it.
    std::vector<const char*> problems(m_groups.size(), nullptr);
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        MaterialTriangles& group = m_groups[g];
        if (group.corners.empty()) {
            problems[g] = "no mesh found for material!";
            break;
        }
        for (const std::uint32_t used : group.corners) {
            ExportVertex& corner = group.vertices[used];
            const int part = partNumberOf(corner.sourceNode);
            if (part < 0) {
                problems[g] = "no parent part mesh found";
                break;
            }
            corner.indices[0] = part;
            corner.indices[1] = corner.uvMatrix;
            corner.indices[2] = corner.animationType;
        }
        if (problems[g])
            break;
    }
    const bool placed = prepareAndPlaceGroups(
        [&](std::size_t k) { return !problems[k]; },
        [&](std::size_t k, PreparedGroup& prepared) {
            if (problems[k])
                return failExport(problems[k]);
            MaterialTriangles& group = m_groups[k];
            const std::uint32_t mode = bundledAlphaMode(group.name);
            VX_INFO << "addTangentSpaceData to material";
            MaterialGroupData data;
            if (!placeGroup(group, prepared, data, mode == 1 ? m_sortCopies : 1))
                return false;
            appendMaterialGroup(group, data, mode);
            return true;
        });
    if (!placed)
        return false;
    VX_INFO << "Found vertices: " << static_cast<std::uint32_t>(m_vertices.size())
            << " indices:" << static_cast<std::uint32_t>(m_indices.size());
    m_placement.clear();
    for (const MeshPart& part : *m_parts) {
        if (!part.noGeometry)
            m_placement.push_back(&part.lodTransform);
    }
    return computeBoundingBox();
}

Vector3 BundledMeshDataExporter::placedPosition(const ExportVertex& v) const {
    const auto part = static_cast<std::size_t>(v.indices[0]);
    VX_ASSERT(part < m_placement.size());
    return part < m_placement.size() ? m_placement[part]->transformPoint(v.position) : v.position;
}

ExportVertex BundledMeshDataExporter::makeVertex(const VertexBuffer& buffer, const Vertex& vertex,
                                                 const Matrix& transform, int /*part*/) const {
    ExportVertex out = convertSceneVertex(buffer, vertex, transform);
    // A second set of 65535 tells the animated UV step that the mesh has none.
    if (vertex.m_uvs.size() < 2)
        out.uvs[1] = {65535.0f, 0.0f};
    return out;
}

void BundledMeshDataExporter::writeLodBlock(OutStream& out) const {
    MeshDataExporter::writeLodBlock(out);
    const auto withGeometry = static_cast<std::uint32_t>(std::count_if(
        m_parts->begin(), m_parts->end(), [](const MeshPart& p) { return !p.noGeometry; }));
    out << withGeometry;
}

} // namespace vx
