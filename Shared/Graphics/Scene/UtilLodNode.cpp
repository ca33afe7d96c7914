#include "Shared/Graphics/Scene/UtilLodNode.h"

#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

const SceneNodeType UtilLodNode::type("UtilLodNode");

void UtilLodNode::fitThresholds() {
    m_thresholds.resize(m_children.empty() ? 0 : m_children.size() - 1, 0.0f);
}

bool UtilLodNode::read(InStream& in, Scene& scene, std::uint32_t version) {
    if (!BranchNode::read(in, scene, version))
        return false;
    return sceneio::readArray(in, scene, m_thresholds, "LOD threshold") &&
           m_namedValues.read(in, scene);
}

void UtilLodNode::write(OutStream& out, Scene& scene) {
    fitThresholds();
    BranchNode::write(out, scene);
    sceneio::writeArray(out, m_thresholds);
    m_namedValues.write(out);
}

} // namespace vx
