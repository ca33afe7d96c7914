#include "Shared/Graphics/Scene/UtilMeshNode.h"

#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

const SceneNodeType UtilMeshNode::type("UtilMeshNode");

bool UtilMeshNode::read(InStream& in, Scene& scene, std::uint32_t version) {
    return LeafNode::read(in, scene, version) && readInfluences(in, scene) &&
           sceneio::readOptionalShared(in, scene, m_mesh, "mesh") && m_namedValues.read(in, scene);
}

void UtilMeshNode::write(OutStream& out, Scene& scene) {
    LeafNode::write(out, scene);
    writeInfluences(out, scene);
    sceneio::writeOptionalShared(out, scene, m_mesh);
    m_namedValues.write(out);
}

} // namespace vx
