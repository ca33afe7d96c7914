#include <vornexhost/NameMatch.h>
#include <vornexhost/Scene.h>

namespace vornexhost {

bool wildcardMatch(std::string_view pattern, std::string_view text) {
    // Iterative glob with backtracking to the last star: linear in practice.
    std::size_t p = 0, t = 0, star = std::string_view::npos, mark = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = t;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            t = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool matchesPath(const NodePath& path, std::string_view pattern) {
    const bool absolute = !pattern.empty() && pattern.front() == '|';
    if (absolute)
        pattern.remove_prefix(1);
    std::vector<std::string_view> parts;
    while (true) {
        const auto bar = pattern.find('|');
        parts.push_back(pattern.substr(0, bar));
        if (bar == std::string_view::npos)
            break;
        pattern = pattern.substr(bar + 1);
    }
    if (parts.size() > path.size() || (absolute && parts.size() != path.size()))
        return false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string_view part = parts[parts.size() - 1 - i];
        while (!part.empty() && part.front() == ':')
            part.remove_prefix(1);
        if (!wildcardMatch(part, path[path.size() - 1 - i]->name()))
            return false;
    }
    return true;
}

std::vector<Node*> nodesMatching(const Scene& scene, std::string_view pattern) {
    std::vector<Node*> out;
    while (!pattern.empty() && pattern.front() == ':' &&
           pattern.find('|') == std::string_view::npos)
        pattern.remove_prefix(1);
    const bool isPath = pattern.find('|') != std::string_view::npos;
    for (const auto& node : scene.nodes()) {
        if (isPath) {
            if (!node->isDag())
                continue;
            for (const NodePath& p : allPathsTo(node.get()))
                if (matchesPath(p, pattern)) {
                    out.push_back(node.get());
                    break;
                }
        } else if (wildcardMatch(pattern, node->name())) {
            out.push_back(node.get());
        }
    }
    return out;
}

} // namespace vornexhost
