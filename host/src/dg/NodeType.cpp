#include <vornexhost/NodeType.h>

namespace vornexhost {

NodeType::NodeType(std::string typeName, MFn::Type type, unsigned id, const NodeType* parentType)
    : name(std::move(typeName)), apiType(type), typeId(id), parent(parentType) {
    if (parent) {
        dag = parent->dag;
        transform = parent->transform;
        m_top = parent->m_top;
        m_all = parent->m_all;
        m_byName = parent->m_byName;
    }
}

Attribute* NodeType::add(std::shared_ptr<Attribute> attribute) {
    attribute->topIndex = static_cast<unsigned>(m_top.size());
    Attribute* raw = attribute.get();
    m_top.push_back(std::move(attribute));
    index(raw);
    return raw;
}

void NodeType::index(Attribute* attribute) {
    m_all.push_back(attribute);
    m_byName.emplace(attribute->longName, attribute);
    m_byName.emplace(attribute->shortName, attribute);
    for (const auto& c : attribute->children)
        index(c.get());
}

const Attribute* NodeType::find(std::string_view attributeName) const {
    const auto it = m_byName.find(std::string(attributeName));
    return it == m_byName.end() ? nullptr : it->second;
}

bool NodeType::isA(std::string_view typeName) const {
    for (const NodeType* t = this; t; t = t->parent)
        if (t->name == typeName)
            return true;
    return false;
}

NodeTypeRegistry& NodeTypeRegistry::instance() {
    static NodeTypeRegistry registry;
    return registry;
}

NodeTypeRegistry::NodeTypeRegistry() {
    defineBuiltinTypes(*this);
}

const NodeType* NodeTypeRegistry::find(std::string_view typeName) const {
    const auto it = m_types.find(std::string(typeName));
    return it == m_types.end() ? nullptr : it->second.get();
}

const NodeType* NodeTypeRegistry::findById(unsigned id) const {
    for (const auto& [name, type] : m_types)
        if (type->typeId == id && type->pluginKind >= 0)
            return type.get();
    return nullptr;
}

NodeType* NodeTypeRegistry::create(const std::string& typeName, MFn::Type apiType, unsigned id,
                                   const std::string& parentName) {
    const NodeType* parent = parentName.empty() ? nullptr : find(parentName);
    auto type = std::make_unique<NodeType>(typeName, apiType, id, parent);
    NodeType* raw = type.get();
    m_types[typeName] = std::move(type);
    return raw;
}

const NodeType* NodeTypeRegistry::generic(std::string_view typeName, bool dag) {
    // A generic DAG type and a generic DG type of one name are kept apart.
    const std::string key = std::string(dag ? "dag:" : "dg:") + std::string(typeName);
    if (const auto it = m_types.find(key); it != m_types.end())
        return it->second.get();
    const NodeType* parent = find(dag ? "dagNode" : "dependNode");
    auto type = std::make_unique<NodeType>(std::string(typeName),
                                           dag ? MFn::kDagNode : MFn::kDependencyNode, 0, parent);
    NodeType* raw = type.get();
    m_types[key] = std::move(type);
    return raw;
}

NodeType* NodeTypeRegistry::addPluginType(const std::string& typeName, unsigned id,
                                          MFn::Type apiType, const std::string& base) {
    if (find(typeName) || findById(id))
        return nullptr;
    NodeType* type = create(typeName, apiType, id, base);
    return type;
}

bool NodeTypeRegistry::removePluginType(unsigned id) {
    for (auto it = m_types.begin(); it != m_types.end(); ++it)
        if (it->second->typeId == id && it->second->pluginKind >= 0) {
            // Nodes of the type may still exist in the scene: keep the definition alive.
            static std::vector<std::unique_ptr<NodeType>> retired;
            retired.push_back(std::move(it->second));
            m_types.erase(it);
            return true;
        }
    return false;
}

} // namespace vornexhost
