#include <vornexhost/DagPaths.h>
#include <vornexhost/Scene.h>

namespace vornexhost {

std::vector<NodePath> allPathsTo(const Node* node) {
    std::vector<NodePath> out;
    if (!node || !node->isDag())
        return out;
    for (Node* parent : node->parents) {
        if (parent->apiType() == MFn::kWorld) {
            out.push_back({const_cast<Node*>(node)});
            continue;
        }
        for (NodePath& path : allPathsTo(parent)) {
            path.push_back(const_cast<Node*>(node));
            out.push_back(std::move(path));
        }
    }
    return out;
}

std::string fullPathName(const NodePath& path) {
    std::string out;
    for (const Node* n : path)
        out += "|" + n->name();
    return out;
}

namespace {

// Whether `other` ends with the same `count` names as `path`.
bool sameSuffix(const NodePath& path, const NodePath& other, std::size_t count) {
    if (other.size() < count)
        return false;
    for (std::size_t i = 1; i <= count; ++i)
        if (path[path.size() - i]->name() != other[other.size() - i]->name())
            return false;
    return true;
}

} // namespace

std::string partialPathName(const NodePath& path) {
    if (path.empty())
        return "";
    const Node* leaf = path.back();
    std::vector<NodePath> rivals;
    if (const Scene* scene = leaf->scene())
        if (const auto* named = scene->nodesNamed(leaf->name()))
            for (const Node* n : *named)
                for (NodePath& p : allPathsTo(n))
                    rivals.push_back(std::move(p));
    for (std::size_t count = 1; count <= path.size(); ++count) {
        std::size_t matches = 0;
        for (const NodePath& other : rivals)
            if (sameSuffix(path, other, count))
                ++matches;
        if (matches <= 1) {
            std::string out;
            for (std::size_t i = path.size() - count; i < path.size(); ++i)
                out += (out.empty() ? "" : "|") + path[i]->name();
            return out;
        }
    }
    // Not unique even with every name: the full path.
    return fullPathName(path);
}

unsigned instanceNumberOf(const NodePath& path) {
    if (path.empty())
        return 0;
    const std::vector<NodePath> all = allPathsTo(path.back());
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i] == path)
            return static_cast<unsigned>(i);
    return 0;
}

} // namespace vornexhost
