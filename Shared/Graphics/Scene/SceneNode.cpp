#include "Shared/Graphics/Scene/SceneNode.h"

#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/SceneIo.h"

#include <algorithm>

namespace vx {
namespace {

std::int64_t g_liveNodes = 0;

} // namespace

SceneNode::SceneNode() {
    ++g_liveNodes;
}

SceneNode::~SceneNode() {
    --g_liveNodes;
}

std::int64_t SceneNode::liveCount() {
    return g_liveNodes;
}

void SceneNode::release() {
    if (--m_refCount == 0)
        delete this;
}

bool SceneNode::hasParent(const SceneNode* node) const {
    return node && std::find(m_parents.begin(), m_parents.end(), node) != m_parents.end();
}

bool SceneNode::detachFromParents() {
    bool any = false;
    // Each removal edits m_parents (and may release this node), so work on a copy and keep
    // this node alive until the end.
    const NodeList parents = m_parents;
    addRef();
    for (SceneNode* parent : parents)
        any = parent->removeChild(this) || any;
    release();
    return any;
}

bool SceneNode::detachFromParent(SceneNode* parent) {
    return hasParent(parent) && parent->removeChild(this);
}

bool SceneNode::read(InStream& in, Scene& scene, std::uint32_t) {
    if (!sceneio::readTerminatedText(in, scene, m_name, "node name"))
        return false;
    return scene.readNodeIds(in, scene.io().pending[this].parents, "parent");
}

void SceneNode::write(OutStream& out, Scene& scene) {
    sceneio::writeTerminatedText(out, m_name);
    scene.writeNodeIds(out, m_parents);
}

void SceneNode::visitChildren(void* argument) {
    if (const NodeList* list = children()) {
        for (SceneNode* child : *list)
            child->visitChildren(argument);
    }
}

bool SceneNode::remapLinks(Scene&, const NodeIdMap&) {
    return true;
}

bool SceneNode::addParent(SceneNode* node) {
    if (!node || hasParent(node))
        return false;
    m_parents.push_back(node);
    return true;
}

bool SceneNode::removeParent(SceneNode* node) {
    const auto at = std::find(m_parents.begin(), m_parents.end(), node);
    if (at == m_parents.end())
        return false;
    m_parents.erase(at);
    return true;
}

bool SceneNode::replaceParent(SceneNode* oldNode, SceneNode* newNode) {
    const auto at = std::find(m_parents.begin(), m_parents.end(), oldNode);
    if (at == m_parents.end() || !newNode)
        return false;
    *at = newNode;
    return true;
}

bool SceneNode::adoptParentOrder(Scene& scene, const NodeIdMap& idMap,
                                 const std::vector<std::uint32_t>& ids) {
    NodeList ordered;
    ordered.reserve(ids.size());
    for (const std::uint32_t id : ids) {
        const auto at = idMap.find(id);
        if (at == idMap.end())
            return scene.fail("parent identifier " + std::to_string(id) + " of node '" + m_name +
                              "' names nothing");
        ordered.push_back(at->second);
    }
    NodeList expected = m_parents;
    NodeList given = ordered;
    std::sort(expected.begin(), expected.end(), std::less<SceneNode*>());
    std::sort(given.begin(), given.end(), std::less<SceneNode*>());
    if (expected != given)
        return scene.fail("the parents listed for node '" + m_name +
                          "' do not match the child lists that name it");
    m_parents = std::move(ordered);
    return true;
}

} // namespace vx
