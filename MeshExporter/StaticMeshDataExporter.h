#pragma once
// The mesh data exporter of static meshes: immobile scenery whose vertices are placed in the
// level of detail's space, lightmapped when the geometry asks for it.
#include "MeshExporter/MeshDataExporter.h"

#include <unordered_set>

namespace vx {

class StaticMeshDataExporter : public MeshDataExporter {
public:
    bool buildGeometry(SceneNode& node, int geometry, int lod) override;
    bool finishGeometry() override;
    ExportVertex makeVertex(const VertexBuffer& buffer, const Vertex& vertex,
                            const Matrix& transform, int part) const override;
    bool needsReview(const ExportVertex& converted) const override;
    void reviewConverted(const ExportVertex& converted, const Vertex& vertex) override;
    // The base block, then the part count and each part's transform (16 floats, row-major,
    // translation in the last row) from the level of detail's space.
    void writeLodBlock(OutStream& out) const override;
    // Off for helper geometry (shadow blocks), which gets no lightmap or sample file.
    void setLightmapped(bool on) { m_lightmapped = on; }

private:
    bool m_lightmapped = true;
    // Scene vertices whose far second set was reported (not owned).
    std::unordered_set<const Vertex*> m_reportedFarUvs;
};

// A static material is alpha blended when its name begins with "alpha" and does not contain
// "alphatest" (both ignoring case).
bool isStaticAlphaMaterial(const std::string& materialName);

} // namespace vx
