#include "Shared/Graphics/Scene/UtilTransformNode.h"

#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

const SceneNodeType UtilTransformNode::type("UtilTransformNode");

bool UtilTransformNode::read(InStream& in, Scene& scene, std::uint32_t version) {
    if (!BranchNode::read(in, scene, version))
        return false;
    m_matrix.readBlock(in);
    in >> m_matrix.translation;
    if (!sceneio::checkStream(in, scene, "the transform") || !m_namedValues.read(in, scene))
        return false;
    in >> m_rotatePivotTranslation >> m_scalePivot;
    return sceneio::checkStream(in, scene, "the transform's pivots");
}

void UtilTransformNode::write(OutStream& out, Scene& scene) {
    BranchNode::write(out, scene);
    m_matrix.writeBlock(out);
    out << m_matrix.translation;
    m_namedValues.write(out);
    out << m_rotatePivotTranslation << m_scalePivot;
}

void UtilTransformNode::addKey(float time, const Quaternion& rotation, const Vector3& translation) {
    m_timeIndices.push_back(time);
    m_rotations.push_back(rotation);
    m_translations.push_back(translation);
}

} // namespace vx
