#pragma once
// Looking things up in a scene graph, for tests that check what the reader built or what a
// scene graph file holds.
#include "Shared/Graphics/Scene/SceneNode.h"

#include <string>
#include <vector>

namespace vx::test {

// The first node named `name` in a depth-first walk from `root`, or null.
SceneNode* findNode(SceneNode* root, const std::string& name);
// Like findNode, and the node must be of class T (a failed lookup returns null).
template <class T>
T* findNodeAs(SceneNode* root, const std::string& name) {
    return dynamic_cast<T*>(findNode(root, name));
}
// The names of a node's children, in order.
std::vector<std::string> childNames(const SceneNode* node);
// "TypeName:name" of each child, in order.
std::vector<std::string> childKinds(const SceneNode* node);
// The path to a fixture under tests/data/vornex.
std::string fixturePath(const std::string& name);
// The path to a scene below the shipped examples' studio tree.
std::string examplePath(const std::string& name);

} // namespace vx::test
