#pragma once
// Blind data of a mesh: the polyBlindData nodes connected to its "blindDataNodes", each with a
// type id and, per component kind, a compound array ("faceBlindData", "vertexBlindData",
// "edgeBlindData") whose children are the data's attributes and whose logical indices are the
// component ids that carry values.
#include <maya/MFn.h>

#include <string>
#include <vector>

namespace vornexhost {

class Node;
class Attribute;

struct BlindDataAttribute {
    std::string longName;
    std::string shortName;
    std::string format; // "int", "float", "double", "boolean", "string" or "binary"
    const Attribute* attribute = nullptr;
};

struct BlindDataSource {
    int id = 0;
    Node* node = nullptr;
    const Attribute* values = nullptr; // the compound array for the component kind
    std::vector<BlindDataAttribute> attributes;

    bool has(int componentId) const;
    const BlindDataAttribute* find(const std::string& name) const;
};

// The blind data of one component kind, in connection order.
std::vector<BlindDataSource> blindDataSources(const Node& shape, MFn::Type componentType);

} // namespace vornexhost
