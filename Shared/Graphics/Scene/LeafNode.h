#pragma once
#include "Shared/Graphics/Scene/SceneNode.h"

namespace vx {

// A node with parents only; it never has children.
class LeafNode : public SceneNode {
public:
    static const SceneNodeType type;
    const SceneNodeType* getType() const override { return &type; }
};

} // namespace vx
