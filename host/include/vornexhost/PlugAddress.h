#pragma once
// Where a plug is: a node, an attribute, and one logical index per array attribute on the way
// from the top-level attribute down to it (-1 for an array plug taken whole).
#include <cstdint>
#include <string>
#include <vector>

namespace vornexhost {

class Node;
class Attribute;

struct PlugAddress {
    Node* node = nullptr;
    const Attribute* attribute = nullptr;
    std::vector<std::int32_t> indices;

    bool operator==(const PlugAddress& other) const {
        return node == other.node && attribute == other.attribute && indices == other.indices;
    }
    bool isNull() const { return node == nullptr || attribute == nullptr; }
    // The attributes from the top-level one down to this one.
    std::vector<const Attribute*> chain() const;
    // Whether the last attribute is an array taken whole.
    bool isArrayPlug() const;
    // "node.attr[2].child" with long or short attribute names.
    std::string name(bool longNames, bool withNode = true) const;
};

// Number of array attributes from the top down to `attribute`, itself included.
unsigned arrayDepth(const Attribute* attribute);

} // namespace vornexhost
