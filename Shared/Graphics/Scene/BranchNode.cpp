#include "Shared/Graphics/Scene/BranchNode.h"

#include "Shared/Graphics/Scene/LeafNode.h"
#include "Shared/Graphics/Scene/RootNode.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/SceneIo.h"

#include <algorithm>
#include <unordered_set>

namespace vx {

const SceneNodeType LeafNode::type("LeafNode");
const SceneNodeType BranchNode::type("BranchNode");
const SceneNodeType RootNode::type("RootNode");

BranchNode::~BranchNode() {
    for (SceneNode* child : m_children) {
        child->removeParent(this);
        child->release();
    }
    m_children.clear();
}

bool BranchNode::hasChild(const SceneNode* node) const {
    return node && std::find(m_children.begin(), m_children.end(), node) != m_children.end();
}

bool BranchNode::addChild(SceneNode* child, int index) {
    // A node is never its own child (the reference would keep it alive forever).
    if (!child || child == this || hasChild(child) || !child->addParent(this))
        return false;
    insertChild(child, index);
    child->addRef();
    return true;
}

bool BranchNode::removeChild(SceneNode* child) {
    if (!hasChild(child))
        return false;
    eraseChild(child);
    child->removeParent(this);
    child->release();
    return true;
}

bool BranchNode::insertChild(SceneNode* child, int index) {
    if (!child || hasChild(child))
        return false;
    if (index < 0 || static_cast<std::size_t>(index) >= m_children.size())
        m_children.push_back(child);
    else
        m_children.insert(m_children.begin() + index, child);
    return true;
}

bool BranchNode::eraseChild(SceneNode* child) {
    const auto end = std::remove(m_children.begin(), m_children.end(), child);
    const bool any = end != m_children.end();
    m_children.erase(end, m_children.end());
    return any;
}

bool BranchNode::replaceChild(SceneNode* oldChild, SceneNode* newChild) {
    const auto at = std::find(m_children.begin(), m_children.end(), oldChild);
    if (at == m_children.end() || !newChild)
        return false;
    newChild->addRef();
    *at = newChild;
    return true;
}

bool BranchNode::read(InStream& in, Scene& scene, std::uint32_t version) {
    return SceneNode::read(in, scene, version) &&
           scene.readNodeIds(in, scene.io().pending[this].children, "child");
}

void BranchNode::write(OutStream& out, Scene& scene) {
    SceneNode::write(out, scene);
    scene.writeNodeIds(out, m_children);
}

bool BranchNode::remapLinks(Scene& scene, const NodeIdMap& idMap) {
    const auto pending = scene.io().pending.find(this);
    if (pending == scene.io().pending.end())
        return true;
    // A file may give a node any number of children or parents: link in linear time instead
    // of addChild's searches, which would make such a file take quadratic time.
    const std::vector<std::uint32_t>& ids = pending->second.children;
    std::unordered_set<std::uint32_t> seen;
    seen.reserve(ids.size());
    m_children.reserve(ids.size());
    for (const std::uint32_t id : ids) {
        const auto at = idMap.find(id);
        if (at == idMap.end())
            return scene.fail("child identifier " + std::to_string(id) + " of node '" + m_name +
                              "' names nothing");
        SceneNode* child = at->second;
        if (child == this || !seen.insert(id).second)
            return scene.fail("node '" + m_name + "' lists child '" + child->name() + "' " +
                              (child == this ? "as its own child" : "twice"));
        m_children.push_back(child);
        child->addRef();
        appendParent(*child, *this);
    }
    return true;
}

} // namespace vx
