#include "Shared/Graphics/Scene/UtilGeometryNode.h"

#include "Shared/Base/Log.h"
#include "Shared/Graphics/Scene/SceneIo.h"

namespace vx {

UtilGeometryNode::~UtilGeometryNode() {
    clearInfluenceObjects();
}

bool UtilGeometryNode::addInfluenceObject(SceneNode* node) {
    if (!node)
        return false;
    node->addRef();
    m_influenceObjects.push_back(node);
    return true;
}

SceneNode* UtilGeometryNode::influenceObject(std::size_t index) const {
    VX_ASSERT(index < m_influenceObjects.size());
    return m_influenceObjects[index];
}

void UtilGeometryNode::clearInfluenceObjects() {
    NodeList influences;
    influences.swap(m_influenceObjects);
    for (SceneNode* node : influences)
        node->release();
}

bool UtilGeometryNode::read(InStream& in, Scene& scene, std::uint32_t version) {
    return LeafNode::read(in, scene, version) &&
           scene.readNodeIds(in, scene.io().pending[this].influences, "influence") &&
           readObject(in, scene) && m_namedValues.read(in, scene);
}

void UtilGeometryNode::write(OutStream& out, Scene& scene) {
    LeafNode::write(out, scene);
    // Scene::write has checked that every influence is part of the file.
    scene.writeNodeIds(out, m_influenceObjects);
    writeObject(out, scene);
    m_namedValues.write(out);
}

bool UtilGeometryNode::remapLinks(Scene& scene, const NodeIdMap& idMap) {
    const auto pending = scene.io().pending.find(this);
    if (pending == scene.io().pending.end())
        return true;
    for (const std::uint32_t id : pending->second.influences) {
        const auto at = idMap.find(id);
        if (at == idMap.end())
            return scene.fail("influence identifier " + std::to_string(id) + " of node '" + m_name +
                              "' names nothing");
        addInfluenceObject(at->second);
    }
    return true;
}

} // namespace vx
