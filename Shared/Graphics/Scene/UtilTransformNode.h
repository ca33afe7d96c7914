#pragma once
#include "Shared/Base/math/Matrix.h"
#include "Shared/Base/math/Quaternion.h"
#include "Shared/Base/math/Vector3.h"
#include "Shared/Graphics/Scene/BranchNode.h"
#include "Shared/Graphics/Scene/NamedValues.h"

#include <vector>

namespace vx {

// A transform: the host's local matrix (3x3 block and translation), its pivots and, for
// sampled nodes, transform keys (three parallel lists as for joints; not part of the file).
class UtilTransformNode : public BranchNode, public NamedValueHolder {
public:
    static const SceneNodeType type;
    const SceneNodeType* getType() const override { return &type; }

    // Block (9 floats, row by row), translation (3 floats), named values, rotate pivot
    // translation (3 floats), scale pivot (3 floats).
    bool read(InStream& in, Scene& scene, std::uint32_t version) override;
    void write(OutStream& out, Scene& scene) override;

    void addKey(float time, const Quaternion& rotation, const Vector3& translation);
    std::size_t keyCount() const { return m_timeIndices.size(); }

    Matrix m_matrix;
    Vector3 m_rotatePivotTranslation;
    Vector3 m_scalePivot;
    std::vector<float> m_timeIndices;
    std::vector<Quaternion> m_rotations;
    std::vector<Vector3> m_translations;
};

} // namespace vx
