#pragma once
// The creator's reference on a new scene node, released when the holder goes: code that
// creates a node, links it and records it stays leak-free when a step throws.
#include "Shared/Graphics/Scene/SceneNode.h"

#include <memory>
#include <utility>

namespace vx {

struct NodeReleaser {
    void operator()(SceneNode* node) const { node->release(); }
};

template <class T>
using OwnedNode = std::unique_ptr<T, NodeReleaser>;

template <class T, class... Args>
OwnedNode<T> makeNode(Args&&... args) {
    return OwnedNode<T>(new T(std::forward<Args>(args)...));
}

} // namespace vx
