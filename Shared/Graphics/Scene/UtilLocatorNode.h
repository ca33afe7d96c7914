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
    NamedValueTable& namedValues() override { return m_namedValues; }
    const NamedValueTable& namedValues() const override { return m_namedValues; }

    // Position (3 floats), named values.
    bool read(InStream& in, Scene& scene, std::uint32_t version) override;
    void write(OutStream& out, Scene& scene) override;

    NamedValueTable m_namedValues;
    Vector3 m_position;
};

} // namespace vx
