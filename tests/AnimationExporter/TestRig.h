#pragma once
// Scene graphs of joints and transforms built in memory for the skeleton and animation tests.
#include "Shared/Graphics/Scene/OwnedNode.h"
#include "Shared/Graphics/Scene/RootNode.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"

#include <optional>
#include <string>

namespace vx::test {

class TestRig {
public:
    TestRig() : m_root(makeNode<RootNode>()) { m_root->setName("rig.ma"); }

    SceneNode& root() { return *m_root; }
    // A joint below `parent`; with a value, it carries "anim_export" with that value.
    UtilJointNode& joint(const std::string& name, SceneNode& parent,
                         std::optional<bool> animExport = true) {
        return add<UtilJointNode>(name, parent, animExport);
    }
    UtilTransformNode& transform(const std::string& name, SceneNode& parent,
                                 std::optional<bool> animExport = std::nullopt) {
        return add<UtilTransformNode>(name, parent, animExport);
    }

private:
    template <class T>
    T& add(const std::string& name, SceneNode& parent, std::optional<bool> animExport) {
        OwnedNode<T> node = makeNode<T>();
        node->setName(name);
        if (animExport)
            node->setBool("anim_export", *animExport);
        T* added = node.get();
        parent.addChild(added);
        return *added; // the parent holds it now
    }

    OwnedNode<RootNode> m_root;
};

// Gives a joint or transform `frames` keys, all the same.
template <class T>
void addStillKeys(T& node, std::size_t frames, const Quaternion& rotation = {},
                  const Vector3& position = {}) {
    for (std::size_t f = 0; f < frames; ++f)
        node.addKey(static_cast<float>(f), rotation, position);
}

} // namespace vx::test
