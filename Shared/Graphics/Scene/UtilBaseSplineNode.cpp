#include "Shared/Graphics/Scene/UtilBaseSplineNode.h"

#include "Shared/Graphics/Scene/BaseSpline.h"
#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

const SceneNodeType UtilBaseSplineNode::type("UtilBaseSplineNode");

bool UtilBaseSplineNode::read(InStream& in, Scene& scene, std::uint32_t version) {
    return LeafNode::read(in, scene, version) && readInfluences(in, scene) &&
           sceneio::readOptionalShared(in, scene, m_spline, "spline") &&
           m_namedValues.read(in, scene);
}

void UtilBaseSplineNode::write(OutStream& out, Scene& scene) {
    LeafNode::write(out, scene);
    writeInfluences(out, scene);
    sceneio::writeOptionalShared(out, scene, m_spline);
    m_namedValues.write(out);
}

} // namespace vx
