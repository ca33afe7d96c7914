#pragma once
#include "Shared/Graphics/Scene/UtilGeometryNode.h"

#include <memory>

namespace vx {

class MaterialGroupedMesh;

// A polygon mesh instance: points at the material-grouped view of a shared geometry, which
// may be absent (exporters skip such nodes).
class UtilMeshNode : public UtilGeometryNode {
public:
    static const SceneNodeType type;
    const SceneNodeType* getType() const override { return &type; }

    bool read(InStream& in, Scene& scene, std::uint32_t version) override;
    void write(OutStream& out, Scene& scene) override;

    const std::shared_ptr<MaterialGroupedMesh>& mesh() const { return m_mesh; }
    void setMesh(std::shared_ptr<MaterialGroupedMesh> mesh) { m_mesh = std::move(mesh); }

private:
    std::shared_ptr<MaterialGroupedMesh> m_mesh;
};

} // namespace vx
