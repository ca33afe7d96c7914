#pragma once
// Paths through the DAG: every path to a node, path names and instance numbers.
#include <string>
#include <vector>

namespace vornexhost {

class Node;

// Nodes from the top (a child of the world) down to the node; the world is not listed.
using NodePath = std::vector<Node*>;

// Every path to `node`, ordered by the order in which parents were added, recursively.
std::vector<NodePath> allPathsTo(const Node* node);
// "|a|b|c"; "" for the world.
std::string fullPathName(const NodePath& path);
// The shortest trailing part of the full name that names this path alone: "c" or "b|c".
std::string partialPathName(const NodePath& path);
// The position of this path among all paths to its last node.
unsigned instanceNumberOf(const NodePath& path);

} // namespace vornexhost
