#pragma once
// A dependency-graph node: name, type, dynamic attributes, stored values, DAG links and
// connections.
#include <vornexhost/NodeType.h>
#include <vornexhost/PlugStore.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class MPxNode;

namespace vornexhost {

class Scene;
struct MeshGeometry;

class Node : public Object {
public:
    Node(Scene& scene, const NodeType& type, std::string name);

    MFn::Type apiType() const override { return m_type->apiType; }
    bool hasFn(MFn::Type type) const override { return typeHasFn(m_type->apiType, type); }

    const std::string& name() const { return m_name; }
    const NodeType& type() const { return *m_type; }
    Scene* scene() const { return m_scene; }
    bool isAlive() const { return m_scene != nullptr; }
    bool isDag() const { return m_type->dag; }

    // Static attributes first, then dynamic ones, each followed by its children.
    const Attribute* findAttribute(std::string_view name) const;
    unsigned attributeCount() const;
    const Attribute* attributeAt(unsigned index) const;
    // Adds a dynamic attribute: top-level when `parent` is null, else a child of that compound.
    Attribute* addDynamic(std::shared_ptr<Attribute> attribute, Attribute* parent);
    bool ownsAttribute(const Attribute* attribute) const;

    // The stored value of a top-level attribute.
    PlugStore& topStore(const Attribute& top);
    const PlugStore* findTopStore(const Attribute& top) const;

    std::vector<Node*> parents;
    std::vector<Node*> children;
    std::vector<std::uint32_t> connectionsIn;
    std::vector<std::uint32_t> connectionsOut;
    std::string uuid;
    bool locked = false;
    // One of the nodes every scene starts with that no loaded file has named yet (a startup
    // camera the scene never saved, for example).
    bool startupDefault = false;
    // A shape's evaluated mesh, with the scene revision and time it was computed at: shared by
    // every function set and iterator until the scene changes, and gone with the node.
    struct EvaluatedMesh {
        std::shared_ptr<const MeshGeometry> mesh;
        std::uint64_t revision = 0;
        double time = 0.0;
        // What evaluating it ahead found to warn about, and the shape each warning is told once
        // for, told at the first request.
        std::vector<std::pair<const Node*, std::string>> warnings;
    };
    mutable EvaluatedMesh evaluatedMesh;
    // The plug-in's object of a node whose type a plug-in registered with a creator.
    std::shared_ptr<MPxNode> userNode;

private:
    friend class Scene;
    void detach() { m_scene = nullptr; }

    Scene* m_scene;
    const NodeType* m_type;
    std::string m_name;
    std::vector<std::shared_ptr<Attribute>> m_dynamic; // top-level dynamic attributes
    std::vector<const Attribute*> m_dynamicAll;
    std::unordered_map<std::string, Attribute*> m_dynamicByName;
    std::vector<PlugStore> m_values;
};

} // namespace vornexhost
