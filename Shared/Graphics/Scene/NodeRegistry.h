#pragma once
#include <map>
#include <string>
#include <string_view>

namespace vx {

class SceneNode;

// Process-wide map from node type name to a creator (a new node with a count of 1, owned by
// the caller). Filled once, on first use, with every concrete node class of the scene model.
class NodeRegistry {
public:
    using Creator = SceneNode* (*)();

    static NodeRegistry& instance();

    // The creator for a type name, or null when the name is not registered.
    Creator find(std::string_view typeName) const;
    // A new node of the type, or null when the name is not registered.
    SceneNode* create(std::string_view typeName) const;
    // Adds or replaces a creator.
    void add(std::string typeName, Creator creator);

private:
    NodeRegistry();
    std::map<std::string, Creator, std::less<>> m_creators;
};

} // namespace vx
