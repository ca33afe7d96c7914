#pragma once
#include "Shared/Graphics/Scene/SceneNode.h"

namespace vx {

// A node with parents and children; it holds one reference on each child.
class BranchNode : public SceneNode {
public:
    static const SceneNodeType type;
    const SceneNodeType* getType() const override { return &type; }

    std::size_t childCount() const override { return m_children.size(); }
    bool hasChild(const SceneNode* node) const override;
    bool canHaveChildren() const override { return true; }
    // False when the child is null or already a child, or refuses this node as a parent;
    // otherwise inserted (at the end, or before the index-th child) with one reference taken.
    bool addChild(SceneNode* child) override { return addChild(child, -1); }
    bool addChild(SceneNode* child, int index) override;
    // Erases every occurrence, removes this node from the child's parents, releases the child.
    bool removeChild(SceneNode* child) override;
    const NodeList* children() const override { return &m_children; }
    bool read(InStream& in, Scene& scene, std::uint32_t version) override;
    void write(OutStream& out, Scene& scene) override;
    ~BranchNode() override;
    bool remapLinks(Scene& scene, const NodeIdMap& idMap) override;
    bool insertChild(SceneNode* child, int index) override;
    bool eraseChild(SceneNode* child) override;
    bool replaceChild(SceneNode* oldChild, SceneNode* newChild) override;

protected:
    NodeList m_children; // one reference per entry
};

} // namespace vx
