#pragma once
// Which shading engine shades each face of one instance of a mesh, as the scene stores it: the
// instance's "instObjGroups" element in an engine's "dagSetMembers" (the whole object), or its
// "objectGroups" elements there, each with the component list of the faces it holds.
#include <cstdint>
#include <string>
#include <vector>

namespace vornexhost {

class Node;

struct ShaderAssignment {
    std::vector<Node*> engines;           // in the order first met
    std::vector<std::int32_t> faceEngine; // per face: position in `engines`, -1 for none
};

ShaderAssignment shaderAssignment(const Node& shape, unsigned instance, std::uint32_t faceCount);

// Appends the faces named by component list items such as "f[3]", "f[0:5]" or "f[*]"; other
// components are ignored and faces beyond `faceCount` are left out. False when an item is
// malformed.
bool facesOfComponents(const std::vector<std::string>& items, std::uint32_t faceCount,
                       std::vector<std::uint32_t>& faces);

} // namespace vornexhost
