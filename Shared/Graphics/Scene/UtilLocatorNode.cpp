#include "Shared/Graphics/Scene/UtilLocatorNode.h"

#include "Shared/Base/math/Matrix.h"
#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

const SceneNodeType UtilLocatorNode::type("UtilLocatorNode");

bool UtilLocatorNode::read(InStream& in, Scene& scene, std::uint32_t version) {
    if (!BranchNode::read(in, scene, version))
        return false;
    in >> m_position;
    return sceneio::checkStream(in, scene, "the locator") && m_namedValues.read(in, scene);
}

void UtilLocatorNode::write(OutStream& out, Scene& scene) {
    BranchNode::write(out, scene);
    out << m_position;
    m_namedValues.write(out);
}

} // namespace vx
