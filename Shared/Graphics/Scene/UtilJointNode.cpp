#include "Shared/Graphics/Scene/UtilJointNode.h"

#include "Shared/Base/Log.h"
#include "Shared/Base/math/Matrix.h"
#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

const SceneNodeType UtilJointNode::type("UtilJointNode");

bool UtilJointNode::read(InStream& in, Scene& scene, std::uint32_t version) {
    if (!BranchNode::read(in, scene, version))
        return false;
    std::uint32_t keys = 0;
    // Each key: a rotation (16 bytes), a translation (12) and a time (4).
    if (!sceneio::readCount(in, scene, keys, 32, "joint key"))
        return false;
    m_rotations.resize(keys);
    m_translations.resize(keys);
    m_timeIndices.resize(keys);
    if (keys != 0) {
        in.read(m_rotations.data(), keys * sizeof(Quaternion));
        in.read(m_translations.data(), keys * sizeof(Vector3));
        in.read(m_timeIndices.data(), keys * sizeof(float));
    }
    return sceneio::checkStream(in, scene, "the joint keys") && m_namedValues.read(in, scene);
}

void UtilJointNode::write(OutStream& out, Scene& scene) {
    BranchNode::write(out, scene);
    VX_ASSERT(m_rotations.size() == m_timeIndices.size() &&
              m_translations.size() == m_timeIndices.size());
    sceneio::writeCount(out, m_timeIndices.size());
    if (!m_timeIndices.empty()) {
        out.write(m_rotations.data(), m_rotations.size() * sizeof(Quaternion));
        out.write(m_translations.data(), m_translations.size() * sizeof(Vector3));
        out.write(m_timeIndices.data(), m_timeIndices.size() * sizeof(float));
    }
    m_namedValues.write(out);
}

void UtilJointNode::addKey(float time, const Quaternion& rotation, const Vector3& translation) {
    m_timeIndices.push_back(time);
    m_rotations.push_back(rotation);
    m_translations.push_back(translation);
}

float UtilJointNode::keyTime(std::size_t key) const {
    VX_ASSERT(key < m_timeIndices.size());
    return m_timeIndices[key];
}

const Quaternion& UtilJointNode::keyRotation(std::size_t key) const {
    VX_ASSERT(key < m_timeIndices.size());
    return m_rotations[key];
}

const Vector3& UtilJointNode::keyTranslation(std::size_t key) const {
    VX_ASSERT(key < m_timeIndices.size());
    return m_translations[key];
}

} // namespace vx
