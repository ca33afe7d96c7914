#pragma once
// The host's one scene: its nodes, the DAG under the world, connections, units and time.
#include <vornexhost/Node.h>
#include <vornexhost/PlugAddress.h>
#include <vornexhost/Units.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vornexhost {

struct Connection {
    PlugAddress source;
    PlugAddress destination;
    bool alive = true;
};

class Scene {
public:
    Scene();
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Empties the scene and creates the nodes every new scene has.
    void reset();

    // Creates a node. A DAG node goes under `parent`, or under the world when there is none.
    Node* createNode(const NodeType& type, const std::string& name, Node* parent);
    // Finds a node by name, namespace-qualified name, ":name", or DAG path "|a|b" / "a|b".
    // Several DAG nodes with the same short name are ambiguous: null, `ambiguous` set.
    Node* findNode(std::string_view name, bool* ambiguous = nullptr) const;
    void rename(Node& node, const std::string& newName);
    // A name not used by any node: `base` itself, or base with a number replaced or added.
    std::string uniqueName(std::string_view base) const;

    // Makes `child` a DAG child of `parent` (appended). `addInstance` keeps its other parents.
    bool parentNode(Node& child, Node& parent, bool addInstance);

    Node* world() const { return m_world.get(); }
    const std::vector<std::shared_ptr<Node>>& nodes() const { return m_nodes; }
    std::shared_ptr<Node> handle(const Node* node) const;
    // Every node with exactly this name (no namespace stripping), or null.
    const std::vector<Node*>* nodesNamed(std::string_view name) const;

    bool connect(const PlugAddress& source, const PlugAddress& destination);
    bool disconnect(const PlugAddress& source, const PlugAddress& destination);
    const Connection& connection(std::uint32_t index) const { return m_connections[index]; }
    // The connection whose destination is exactly `destination`, or null.
    const Connection* incoming(const PlugAddress& destination) const;

    Units units;
    std::string currentFile;
    std::vector<std::pair<std::string, std::string>> fileInfo;
    std::vector<std::pair<std::string, std::string>> requirements;
    std::vector<std::string> dataStructures;
    // Playback range and current time, in seconds.
    double minTime = 0.0;
    double maxTime = 0.0;
    double currentTime = 0.0;
    std::vector<std::shared_ptr<Node>> selection;

private:
    void addName(Node* node);
    void removeName(Node* node);
    Node* findByPath(std::string_view path) const;

    std::shared_ptr<Node> m_world;
    std::vector<std::shared_ptr<Node>> m_nodes;
    std::unordered_map<std::string, std::vector<Node*>> m_byName;
    // Per name stem, a number below which every stem+number is known taken: uniqueName starts
    // there, so naming many nodes alike is not quadratic. Lowered when such a name is freed.
    mutable std::unordered_map<std::string, unsigned> m_freeFrom;
    std::vector<Connection> m_connections;
};

// The scene the host has open.
Scene& activeScene();

} // namespace vornexhost
