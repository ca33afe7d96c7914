#include "Shared/Graphics/Scene/UtilMeshNode.h"

#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

const SceneNodeType UtilMeshNode::type("UtilMeshNode");

bool UtilMeshNode::readObject(InStream& in, Scene& scene) {
    return sceneio::readOptionalShared(in, scene, m_mesh, "mesh");
}

void UtilMeshNode::writeObject(OutStream& out, Scene& scene) const {
    sceneio::writeOptionalShared(out, scene, m_mesh);
}

} // namespace vx
