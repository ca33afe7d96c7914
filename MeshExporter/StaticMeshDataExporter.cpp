#include "MeshExporter/StaticMeshDataExporter.h"

#include "MeshExporter/FixedText.h"
#include "MeshExporter/GeomLightmapSettings.h"
#include "MeshExporter/LightmapUvStep.h"
#include "Shared/Base/LargeMemory.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Base/TextCase.h"
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
    const bool lightmapped = m_lightmapped && geomLightmapSettings().enabled(geometry);
    std::vector<MaterialTriangles> arrived = convertParts(lightmapped);
    groupMaterials(arrived);

    const bool hasTriangles = std::any_of(m_groups.begin(), m_groups.end(),
                                          [](const auto& g) { return !g.corners.empty(); });
    if (lightmapped && hasTriangles) {
        if (!createLightmapUvs(m_groups, m_uvSetCount, geomLightmapSettings().size(geometry),
                               geometry, lod, m_outputFile))
            return false;
    }

    declareTangentVertices();
    return true;
}

bool StaticMeshDataExporter::finishGeometry() {
    // Room for every converted vertex, which the weld only reduces, and an eighth more for the
    // copies tangents make at creases, so that the list is rarely copied as it grows. Its pages
    // are mostly those of the groups placed before (prepareAndPlaceGroups), so it asks for no
    // large pages: one would be taken whole ahead of the vertices, at the export's peak.
    std::size_t converted = 0;
    for (const MaterialTriangles& group : m_groups)
        converted += group.vertices.size();
    m_vertices.reserve(converted + converted / 8);
    const bool placed = prepareAndPlaceGroups(
        [](std::size_t) { return true; },
        [&](std::size_t k, PreparedGroup& prepared) {
            MaterialTriangles& group = m_groups[k];
            MaterialGroupData data;
            if (!placeGroup(group, prepared, data))
                return false;
            appendMaterialGroup(group, data, isStaticAlphaMaterial(group.name) ? 1u : 0u);
            return true;
        });
    if (!placed)
        return false;
    // The groups' converted vertices are gone, freed between blocks still in use; handed back,
    // they no longer count while the file is composed, which is the export's peak.
    releaseFreedMemory();
    return computeBoundingBox();
}

ExportVertex StaticMeshDataExporter::makeVertex(const VertexBuffer& buffer, const Vertex& vertex,
                                                const Matrix& transform, int /*part*/) const {
    return convertSceneVertex(buffer, vertex, transform);
}

bool StaticMeshDataExporter::needsReview(const ExportVertex& converted) const {
    return converted.uvs[1].u > 8.0f || converted.uvs[1].v > 8.0f;
}

void StaticMeshDataExporter::reviewConverted(const ExportVertex& converted, const Vertex& vertex) {
    // A far second set is reported once per scene vertex, however many materials convert it.
    if (vertex.m_uvs.size() > 1 && m_reportedFarUvs.insert(&vertex).second) {
        VX_INFO << "u " << fixedText(static_cast<double>(converted.uvs[1].u)) << " v "
                << fixedText(static_cast<double>(converted.uvs[1].v)) << " exceeds 8.0";
    }
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
