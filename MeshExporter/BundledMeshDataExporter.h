#pragma once
// The mesh data exporter of bundled meshes (vehicles, weapons, movable props) and mesh-particle
// meshes: every vertex carries the number of its part, so the engine moves each part with the
// part's own transform. Vertices stay in their part's space, so a part turns about its pivot.
#include "MeshExporter/MeshDataExporter.h"

namespace vx {

class BundledMeshDataExporter : public MeshDataExporter {
public:
    bool buildGeometry(SceneNode& node, int geometry, int lod) override;
    bool finishGeometry() override;
    ExportVertex makeVertex(const VertexBuffer& buffer, const Vertex& vertex,
                            const Matrix& transform, int part) const override;
    // The base block, then the number of parts with geometry.
    void writeLodBlock(OutStream& out) const override;

protected:
    bool duplicatesWithinMeshOnly() const override { return true; }
    const Matrix& vertexTransform(const MeshPart&) const override { return kPartSpace; }
    // The engine culls the whole object with the box, so it encloses every part as placed.
    Vector3 placedPosition(const ExportVertex& v) const override;
    bool countsAfterTangents() const override { return true; }

private:
    static constexpr Matrix kPartSpace = Matrix::identity();
    // The number the vertices of a part carry: its place among the parts with geometry, as the
    // object template script counts them. -1 when no part holds the node or its ancestors.
    int partNumberOf(const SceneNode* node);

    // Per part number, the transform from the part into the level of detail's space.
    std::vector<const Matrix*> m_placement;
    const SceneNode* m_lastAsked = nullptr;
    int m_lastAnswer = -1;
};

// Bundled alpha modes: "alpha_test" anywhere in the name (any case) tests, a name beginning
// with "alpha" blends, anything else is opaque.
std::uint32_t bundledAlphaMode(const std::string& materialName);

} // namespace vx
