#include "MeshExporter/StaticMeshDataExporter.h"

#include "MeshExporter/FixedText.h"
#include "MeshExporter/GeomLightmapSettings.h"
#include "MeshExporter/LightmapUvStep.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Base/TextCase.h"
#include "Shared/Base/WorkSharing.h"
#include "Shared/Base/math/Matrix.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/Vertex.h"
#include "Shared/Graphics/Scene/VertexBuffer.h"

#include <algorithm>

namespace vx {

bool isStaticAlphaMaterial(const std::string& materialName) {
    return beginsWithAlpha(materialName) &&
           toLowerAscii(materialName).find("alphatest") == std::string::npos;
}

bool StaticMeshDataExporter::buildGeometry(SceneNode& node, int geometry, int lod) {
    collectParts(node, nullptr, Matrix::identity(), Matrix::identity(), -1);
    std::vector<MaterialTriangles> arrived = convertParts();
    groupMaterials(arrived);

    const bool hasTriangles = std::any_of(m_groups.begin(), m_groups.end(),
                                          [](const auto& g) { return !g.corners.empty(); });
    if (m_lightmapped && geomLightmapSettings().enabled(geometry) && hasTriangles) {
        if (!createLightmapUvs(m_groups, m_uvSetCount, geomLightmapSettings().size(geometry),
                               geometry, lod, m_outputFile))
            return false;
    }

    declareTangentVertices();
    return true;
}

bool StaticMeshDataExporter::finishGeometry() {
    // Room for every converted vertex, which the weld only reduces, and an eighth more for the
    // copies tangents make at creases, so that the list is rarely copied as it grows.
    std::size_t converted = 0;
    for (const MaterialTriangles& group : m_groups)
        converted += group.vertices.size();
    m_vertices.reserve(converted + converted / 8);
    // Groups are prepared side by side a few at a time, which bounds the memory their
    // preparation holds, and placed in order, which keeps the list, the log and the first
    // failure as one group after the other gives them.
    const std::size_t wave = std::size_t{workHelpers()} + 1;
    for (std::size_t first = 0; first < m_groups.size(); first += wave) {
        const std::size_t count = std::min(wave, m_groups.size() - first);
        std::vector<PreparedGroup> prepared(count);
        shareWork(count, [&](std::size_t k) { prepared[k] = prepareGroup(m_groups[first + k]); });
        for (std::size_t k = 0; k < count; ++k) {
            MaterialTriangles& group = m_groups[first + k];
            MaterialGroupData data;
            if (!placeGroup(group, prepared[k], data))
                return false;
            appendMaterialGroup(group, data, isStaticAlphaMaterial(group.name) ? 1u : 0u);
        }
    }
    return computeBoundingBox();
}

ExportVertex StaticMeshDataExporter::makeVertex(const VertexBuffer& buffer, const Vertex& vertex,
                                                const Matrix& transform, int /*part*/) const {
    ExportVertex out = convertSceneVertex(buffer, vertex, transform);
    // Reported once per scene vertex, however many triangles share it.
    if (vertex.m_uvs.size() > 1 && (out.uvs[1].u > 8.0f || out.uvs[1].v > 8.0f) &&
        m_reportedFarUvs.insert(&vertex).second) {
        VX_INFO << "u " << fixedText(static_cast<double>(out.uvs[1].u)) << " v "
                << fixedText(static_cast<double>(out.uvs[1].v)) << " exceeds 8.0";
    }
    return out;
}

void StaticMeshDataExporter::writeLodBlock(OutStream& out) const {
    MeshDataExporter::writeLodBlock(out);
    out << static_cast<std::uint32_t>(m_parts->size());
    for (const MeshPart& part : *m_parts) {
        const Matrix4 m = part.lodTransform.toMatrix4();
        for (const auto& row : m.m)
            for (float value : row)
                out << value;
    }
}

} // namespace vx
