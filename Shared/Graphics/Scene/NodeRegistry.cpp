#include "Shared/Graphics/Scene/NodeRegistry.h"

#include "Shared/Graphics/Scene/BranchNode.h"
#include "Shared/Graphics/Scene/LeafNode.h"
#include "Shared/Graphics/Scene/RootNode.h"
#include "Shared/Graphics/Scene/UtilBaseSplineNode.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilLocatorNode.h"
#include "Shared/Graphics/Scene/UtilLodNode.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"

namespace vx {
namespace {

template <typename T>
SceneNode* createNode() {
    return new T();
}

template <typename T>
void addCreator(NodeRegistry& registry) {
    registry.add(T::type.name(), &createNode<T>);
}

} // namespace

NodeRegistry& NodeRegistry::instance() {
    static NodeRegistry registry;
    return registry;
}

NodeRegistry::NodeRegistry() {
    addCreator<RootNode>(*this);
    addCreator<BranchNode>(*this);
    addCreator<LeafNode>(*this);
    addCreator<UtilTransformNode>(*this);
    addCreator<UtilJointNode>(*this);
    addCreator<UtilLodNode>(*this);
    addCreator<UtilBaseSplineNode>(*this);
    addCreator<UtilMeshNode>(*this);
    // Locators too: without a creator a file holding one could not be read back.
    addCreator<UtilLocatorNode>(*this);
}

NodeRegistry::Creator NodeRegistry::find(std::string_view typeName) const {
    const auto at = m_creators.find(typeName);
    return at == m_creators.end() ? nullptr : at->second;
}

SceneNode* NodeRegistry::create(std::string_view typeName) const {
    const Creator creator = find(typeName);
    return creator ? creator() : nullptr;
}

void NodeRegistry::add(std::string typeName, Creator creator) {
    m_creators[std::move(typeName)] = creator;
}

} // namespace vx
