#pragma once
// Finding nodes by name patterns as MEL and selection lists take them: a name, a namespace
// qualified name, a DAG path ("a|b" or "|a|b"), with "*" matching any run of characters.
#include <vornexhost/DagPaths.h>

#include <string_view>
#include <vector>

namespace vornexhost {

class Scene;

bool wildcardMatch(std::string_view pattern, std::string_view text);
// Whether a path's trailing names match a "a|b" pattern ("|a|b" must match all of it).
bool matchesPath(const NodePath& path, std::string_view pattern);
// Nodes in creation order whose name or some path matches `pattern`.
std::vector<Node*> nodesMatching(const Scene& scene, std::string_view pattern);

} // namespace vornexhost
