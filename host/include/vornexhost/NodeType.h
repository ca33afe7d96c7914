#pragma once
// A node type: its name, type number, id, static attributes and place in the type hierarchy.
#include <vornexhost/Attribute.h>

#include <maya/MFn.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class MStatus;

namespace vornexhost {

class NodeType {
public:
    NodeType(std::string name, MFn::Type apiType, unsigned typeId, const NodeType* parent);

    // Adds a top-level static attribute (children already attached).
    Attribute* add(std::shared_ptr<Attribute> attribute);
    const Attribute* find(std::string_view name) const;
    // Every attribute, children after their parent, inherited ones first.
    const std::vector<const Attribute*>& allAttributes() const { return m_all; }
    unsigned topCount() const { return unsigned(m_top.size()); }
    const Attribute* top(unsigned index) const { return m_top[index].get(); }
    bool isA(std::string_view typeName) const;

    std::string name;
    MFn::Type apiType;
    unsigned typeId;
    const NodeType* parent;
    bool dag = false;
    bool transform = false;
    // Types whose definition lists every attribute a file may set: others take undeclared
    // attributes as they come, as a generic node does.
    bool closed = false;
    // Plug-in node types: their kind (MPxNode::Type), creator and classification.
    int pluginKind = -1;
    void* (*creator)() = nullptr;
    std::string classification;

private:
    void index(Attribute* attribute);

    std::vector<std::shared_ptr<Attribute>> m_top;
    std::vector<const Attribute*> m_all;
    std::unordered_map<std::string, Attribute*> m_byName;
};

// The host's table of node types: the built-in ones and those plug-ins register.
class NodeTypeRegistry {
public:
    static NodeTypeRegistry& instance();

    const NodeType* find(std::string_view name) const;
    const NodeType* findById(unsigned typeId) const;
    // A type the stand-in does not know: a generic type that takes any attribute. `dag` types
    // are placed in the DAG (the file parents them).
    const NodeType* generic(std::string_view name, bool dag);
    // Registers a plug-in type derived from the built-in `base` type name.
    NodeType* addPluginType(const std::string& name, unsigned typeId, MFn::Type apiType,
                            const std::string& base);
    bool removePluginType(unsigned typeId);
    NodeType* create(const std::string& name, MFn::Type apiType, unsigned typeId,
                     const std::string& parentName);

private:
    NodeTypeRegistry();
    std::unordered_map<std::string, std::unique_ptr<NodeType>> m_types;
};

// Defines the built-in node types (dependNode, dagNode, transform, joint, mesh, ...).
void defineBuiltinTypes(NodeTypeRegistry& registry);
// Mesh construction history the stand-in evaluates (primitive creators) and blind data nodes.
void defineMeshHistoryTypes(NodeTypeRegistry& registry);
// The cgfxShader hardware shader node of the CgFX stand-in.
void defineCgfxShaderType(NodeTypeRegistry& registry);

} // namespace vornexhost
