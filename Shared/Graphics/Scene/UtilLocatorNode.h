#pragma once
#include "Shared/Base/math/Vector3.h"
#include "Shared/Graphics/Scene/BranchNode.h"
#include "Shared/Graphics/Scene/NamedValues.h"

namespace vx {

// A locator: a position.
class UtilLocatorNode : public BranchNode, public NamedValueHolder {
public:
    static const SceneNodeType type;
    UtilLocatorNode() = default;
    explicit UtilLocatorNode(const Vector3& position) : m_position(position) {}
    const SceneNodeType* getType() const override { return &type; }

    // Position (3 floats), named values.
    bool read(InStream& in, Scene& scene, std::uint32_t version) override;
    void write(OutStream& out, Scene& scene) override;

    Vector3 m_position;
};

} // namespace vx
