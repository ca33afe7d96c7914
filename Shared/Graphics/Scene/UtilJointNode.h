#pragma once
#include "Shared/Base/math/Quaternion.h"
#include "Shared/Base/math/Vector3.h"
#include "Shared/Graphics/Scene/BranchNode.h"
#include "Shared/Graphics/Scene/NamedValues.h"

#include <vector>

namespace vx {

// A joint or a camera: animation keys only. The three key lists always have the same length;
// key k is (m_timeIndices[k], m_rotations[k], m_translations[k]).
class UtilJointNode : public BranchNode, public NamedValueHolder {
public:
    static const SceneNodeType type;
    const SceneNodeType* getType() const override { return &type; }

    // Key count K, K rotations (x, y, z, w), K translations, K times, named values.
    bool read(InStream& in, Scene& scene, std::uint32_t version) override;
    void write(OutStream& out, Scene& scene) override;

    void addKey(float time, const Quaternion& rotation, const Vector3& translation);
    std::size_t keyCount() const { return m_timeIndices.size(); }
    // Key access; an index at or past the key count asserts.
    float keyTime(std::size_t key) const;
    const Quaternion& keyRotation(std::size_t key) const;
    const Vector3& keyTranslation(std::size_t key) const;

    std::vector<Quaternion> m_rotations;
    std::vector<Vector3> m_translations;
    std::vector<float> m_timeIndices; // frame numbers as floats
};

} // namespace vx
