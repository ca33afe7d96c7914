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
    std::size_t level = 0;
    bool first = true;
    for (const Attribute* a : chain()) {
        if (!first)
            out += '.';
        first = false;
        out += longNames ? a->longName : a->shortName;
        if (a->array) {
            if (level < indices.size() && indices[level] >= 0)
                out += "[" + std::to_string(indices[level]) + "]";
            ++level;
        }
    }
    return out;
}

} // namespace vornexhost
