#include <vornexhost/Node.h>
#include <vornexhost/PlugValues.h>
#include <vornexhost/Scene.h>
#include <vornexhost/ShaderAssignment.h>

#include <algorithm>
#include <charconv>

namespace vornexhost {

namespace {

bool parseIndex(std::string_view text, std::uint64_t& out) {
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

struct Membership {
    std::int32_t group = -1; // objectGroups index, -1 for the whole object
    Node* engine = nullptr;
};

} // namespace

bool facesOfComponents(const std::vector<std::string>& items, std::uint32_t faceCount,
                       std::vector<std::uint32_t>& faces) {
    for (const std::string& item : items) {
        const std::size_t open = item.find('[');
        if (open == std::string::npos || item.back() != ']')
            return false;
        if (item.compare(0, open, "f") != 0)
            continue;
        const std::string_view range(item.data() + open + 1, item.size() - open - 2);
        std::uint64_t first = 0;
        std::uint64_t last = 0;
        if (range == "*" || range == ":") {
            last = faceCount == 0 ? 0 : faceCount - 1;
            if (faceCount == 0)
                continue;
        } else if (const std::size_t colon = range.find(':'); colon != std::string_view::npos) {
            if (!parseIndex(range.substr(0, colon), first) ||
                !parseIndex(range.substr(colon + 1), last) || last < first)
                return false;
        } else {
            if (!parseIndex(range, first))
                return false;
            last = first;
        }
        for (std::uint64_t f = first; f <= last && f < faceCount; ++f)
            faces.push_back(static_cast<std::uint32_t>(f));
    }
    return true;
}

ShaderAssignment shaderAssignment(const Node& shape, unsigned instance, std::uint32_t faceCount) {
    ShaderAssignment out;
    out.faceEngine.assign(faceCount, -1);
    const Scene* scene = shape.scene();
    const Attribute* iog = shape.findAttribute("instObjGroups");
    const Attribute* og = iog ? iog->child("objectGroups") : nullptr;
    const Attribute* gcl = og ? og->child("objectGrpCompList") : nullptr;
    if (!scene || !iog || !og || !gcl)
        return out;

    std::vector<Membership> members;
    for (std::uint32_t index : shape.connectionsOut) {
        const Connection& c = scene->connection(index);
        if (!c.alive || c.source.node != &shape || c.source.indices.empty() ||
            c.source.indices[0] != static_cast<std::int32_t>(instance))
            continue;
        Node* engine = c.destination.node;
        if (!engine || !engine->hasFn(MFn::kShadingEngine) ||
            c.destination.attribute->longName != "dagSetMembers")
            continue;
        if (c.source.attribute == iog && c.source.indices.size() == 1)
            members.push_back({-1, engine});
        else if (c.source.attribute == og && c.source.indices.size() == 2 &&
                 c.source.indices[1] >= 0)
            members.push_back({c.source.indices[1], engine});
    }
    // The whole object first, then the groups in index order: a group overrides for its faces.
    std::stable_sort(members.begin(), members.end(),
                     [](const Membership& a, const Membership& b) { return a.group < b.group; });

    auto engineIndex = [&](Node* engine) {
        const auto at = std::find(out.engines.begin(), out.engines.end(), engine);
        if (at != out.engines.end())
            return static_cast<std::int32_t>(at - out.engines.begin());
        out.engines.push_back(engine);
        return static_cast<std::int32_t>(out.engines.size() - 1);
    };
    for (const Membership& m : members) {
        if (m.group < 0) {
            std::fill(out.faceEngine.begin(), out.faceEngine.end(), engineIndex(m.engine));
            continue;
        }
        const auto data = storedData(
            {const_cast<Node*>(&shape), gcl, {static_cast<std::int32_t>(instance), m.group}});
        std::vector<std::uint32_t> faces;
        if (!data || !facesOfComponents(data->strings, faceCount, faces) || faces.empty())
            continue;
        const std::int32_t e = engineIndex(m.engine);
        for (std::uint32_t f : faces)
            out.faceEngine[f] = e;
    }
    return out;
}

} // namespace vornexhost
