#include "Shared/Graphics/Scene/UtilBaseSplineNode.h"

#include "Shared/Graphics/Scene/BaseSpline.h"
#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

const SceneNodeType UtilBaseSplineNode::type("UtilBaseSplineNode");

bool UtilBaseSplineNode::readObject(InStream& in, Scene& scene) {
    return sceneio::readOptionalShared(in, scene, m_spline, "spline");
}

void UtilBaseSplineNode::writeObject(OutStream& out, Scene& scene) const {
    sceneio::writeOptionalShared(out, scene, m_spline);
}

} // namespace vx
