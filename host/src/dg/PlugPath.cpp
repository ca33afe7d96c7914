#include <vornexhost/AttributeFactory.h>
#include <vornexhost/Node.h>
#include <vornexhost/PlugPath.h>

#include <charconv>
#include <limits>

namespace vornexhost {

namespace {

struct Component {
    std::string_view name;
    bool hasIndex = false;
    bool isRange = false;
    std::uint32_t first = 0;
    std::uint32_t last = 0;
};

bool parseIndex(std::string_view text, std::uint32_t& out) {
    if (text.empty())
        return false;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size() &&
           out <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
}

bool splitComponent(std::string_view text, Component& out, std::string& error) {
    out = Component();
    const auto open = text.find('[');
    out.name = text.substr(0, open);
    if (out.name.empty()) {
        error = "empty attribute name";
        return false;
    }
    if (open == std::string_view::npos)
        return true;
    if (text.back() != ']') {
        error = "unbalanced '[' in attribute name";
        return false;
    }
    const std::string_view inside = text.substr(open + 1, text.size() - open - 2);
    out.hasIndex = true;
    const auto colon = inside.find(':');
    if (colon == std::string_view::npos) {
        if (!parseIndex(inside, out.first)) {
            error = "bad index '" + std::string(inside) + "'";
            return false;
        }
        out.last = out.first;
        return true;
    }
    out.isRange = true;
    if (!parseIndex(inside.substr(0, colon), out.first) ||
        !parseIndex(inside.substr(colon + 1), out.last) || out.last < out.first) {
        error = "bad index range '" + std::string(inside) + "'";
        return false;
    }
    return true;
}

bool isValidName(std::string_view name) {
    for (char c : name) {
        const bool ok =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

bool resolvePlugPath(Node& node, std::string_view path, bool create, ResolvedPlug& out,
                     std::string& error) {
    out = ResolvedPlug();
    out.plug.node = &node;
    while (!path.empty() && path.front() == '.')
        path.remove_prefix(1);
    if (path.empty()) {
        error = "empty attribute name";
        return false;
    }
    const Attribute* current = nullptr;
    while (!path.empty()) {
        const auto dot = path.find('.');
        const std::string_view text = path.substr(0, dot);
        path = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
        const bool more = !path.empty();
        Component c;
        if (!splitComponent(text, c, error))
            return false;
        const std::string name(c.name);
        const Attribute* attr = current ? current->child(name) : node.findAttribute(name);
        if (attr && !current && attr->parent) {
            // A child named directly ("tx", "ig"): arrays above it take element 0, as the host
            // takes the first instance of an instanced attribute.
            std::vector<const Attribute*> above;
            for (const Attribute* a = attr->parent; a; a = a->parent)
                above.push_back(a);
            for (auto it = above.rbegin(); it != above.rend(); ++it)
                if ((*it)->array)
                    out.plug.indices.push_back(0);
        }
        if (!attr) {
            Attribute* parent = const_cast<Attribute*>(current);
            if (!create || !isValidName(c.name) || (parent && !parent->dynamic)) {
                error = "unknown attribute '" + name + "'";
                return false;
            }
            if (parent && parent->kind == AttrKind::Generic)
                parent->kind = AttrKind::Compound;
            AttributePtr made = more ? makeCompound(name, name, {}) : makeGeneric(name, name);
            made->array = c.hasIndex;
            made->implicit = true;
            attr = node.addDynamic(std::move(made), parent);
        } else if (create && attr->implicit) {
            // An attribute the file made up as it went grows into what later lines use.
            auto* grown = const_cast<Attribute*>(attr);
            if (more && grown->kind == AttrKind::Generic && grown->children.empty())
                grown->kind = AttrKind::Compound;
            if (c.hasIndex)
                grown->array = true;
        }
        if (c.hasIndex && !attr->array) {
            error = "attribute '" + name + "' is not an array";
            return false;
        }
        if (attr->array) {
            if (c.isRange) {
                if (out.rangeLevel >= 0) {
                    error = "more than one index range";
                    return false;
                }
                out.rangeLevel = static_cast<int>(out.plug.indices.size());
                out.rangeFirst = c.first;
                out.rangeLast = c.last;
            }
            // Without an index, an array followed by a child means its first element.
            // Without an index, an array followed by a child means its first element, and so
            // does an instanced attribute (one element per DAG instance) named alone in a file.
            if (!c.hasIndex && create && attr->instanced)
                out.instanceLevel = static_cast<int>(out.plug.indices.size());
            out.plug.indices.push_back(c.hasIndex ? static_cast<std::int32_t>(c.first)
                                                  : (more || (create && attr->instanced) ? 0 : -1));
        }
        current = attr;
    }
    out.plug.attribute = current;
    return true;
}

} // namespace vornexhost
