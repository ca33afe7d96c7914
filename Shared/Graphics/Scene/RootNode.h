#pragma once
#include "Shared/Graphics/Scene/BranchNode.h"

namespace vx {

// The scene's root; its name is the scene file's path.
class RootNode : public BranchNode {
public:
    static const SceneNodeType type;
    const SceneNodeType* getType() const override { return &type; }
};

} // namespace vx
