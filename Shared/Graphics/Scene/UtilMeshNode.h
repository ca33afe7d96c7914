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

    const std::shared_ptr<MaterialGroupedMesh>& mesh() const { return m_mesh; }
    void setMesh(std::shared_ptr<MaterialGroupedMesh> mesh) { m_mesh = std::move(mesh); }

protected:
    bool readObject(InStream& in, Scene& scene) override;
    void writeObject(OutStream& out, Scene& scene) const override;

private:
    std::shared_ptr<MaterialGroupedMesh> m_mesh;
};

} // namespace vx
