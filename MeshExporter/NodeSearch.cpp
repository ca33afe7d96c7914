#include "MeshExporter/NodeSearch.h"

#include "MeshExporter/ExportType.h"
#include "Shared/Base/TextCase.h"
#include "Shared/Graphics/Scene/SceneNode.h"

#include <string>
#include <vector>

namespace vx {
namespace {

constexpr std::string_view kRootPrefix = "root_";

// Visits `node` and its descendants in pre-order until `visit` returns true; returns that
// node. An explicit stack keeps deep joint chains off the call stack.
template <typename Visit>
SceneNode* firstInPreOrder(SceneNode* node, Visit visit) {
    std::vector<SceneNode*> pending;
    if (node)
        pending.push_back(node);
    while (!pending.empty()) {
        SceneNode* current = pending.back();
        pending.pop_back();
        if (visit(*current))
            return current;
        if (const NodeList* children = current->children())
            for (std::size_t i = children->size(); i-- > 0;)
                pending.push_back((*children)[i]);
    }
    return nullptr;
}

} // namespace

SceneNode* findNodeByPrefix(SceneNode* node, std::string_view text) {
    return firstInPreOrder(
        node, [text](const SceneNode& n) { return startsWithIgnoringCase(n.name(), text); });
}

SceneNode* findChildNumbered(SceneNode* node, std::string_view prefix, int number) {
    return findNodeByPrefix(node, std::string(prefix) + std::to_string(number));
}

SceneNode* findRoot(SceneNode* node) {
    return firstInPreOrder(node, [](const SceneNode& n) {
        if (!startsWithIgnoringCase(n.name(), kRootPrefix))
            return false;
        const ExportType type =
            exportTypeFromName(std::string_view(n.name()).substr(kRootPrefix.size()));
        currentExportType() = type;
        return type != kNoExportType;
    });
}

} // namespace vx
