#include <vornexhost/Attribute.h>
#include <vornexhost/Node.h>
#include <vornexhost/PlugAddress.h>

#include <algorithm>

namespace vornexhost {

unsigned arrayDepth(const Attribute* attribute) {
    unsigned depth = 0;
    for (const Attribute* a = attribute; a; a = a->parent)
        if (a->array)
            ++depth;
    return depth;
}

std::vector<const Attribute*> PlugAddress::chain() const {
    std::vector<const Attribute*> out;
    for (const Attribute* a = attribute; a; a = a->parent)
        out.push_back(a);
    std::reverse(out.begin(), out.end());
    return out;
}

bool PlugAddress::isArrayPlug() const {
    return attribute && attribute->array && !indices.empty() && indices.back() < 0;
}

std::string PlugAddress::name(bool longNames, bool withNode) const {
    std::string out;
    if (withNode && node)
        out = node->name() + ".";
    // Children of plain compounds are named alone ("translateY"); below an array element
    // the whole path is needed ("instObjGroups[0].objectGroups[1]").
    const std::vector<const Attribute*> attributes = chain();
    std::size_t first = attributes.size() - 1;
    for (std::size_t i = 0; i + 1 < attributes.size(); ++i)
        if (attributes[i]->array) {
            first = 0;
            break;
        }
    std::size_t level = 0;
    for (std::size_t i = 0; i < attributes.size(); ++i) {
        const Attribute* a = attributes[i];
        if (i >= first) {
            if (i > first)
                out += '.';
            out += longNames ? a->longName : a->shortName;
        }
        if (a->array) {
            if (i >= first && level < indices.size() && indices[level] >= 0)
                out += "[" + std::to_string(indices[level]) + "]";
            ++level;
        }
    }
    return out;
}

} // namespace vornexhost
