#include "tests/Vornex/SceneQueries.h"

#include <set>

namespace vx::test {

SceneNode* findNode(SceneNode* root, const std::string& name) {
    for (SceneNode* node : allNodes(root))
        if (node->name() == name)
            return node;
    return nullptr;
}

std::vector<std::string> childNames(const SceneNode* node) {
    std::vector<std::string> names;
    const NodeList* children = node ? node->children() : nullptr;
    for (std::size_t i = 0; children && i < children->size(); ++i)
        names.push_back((*children)[i]->name());
    return names;
}

std::vector<std::string> childKinds(const SceneNode* node) {
    std::vector<std::string> kinds;
    const NodeList* children = node ? node->children() : nullptr;
    for (std::size_t i = 0; children && i < children->size(); ++i)
        kinds.push_back((*children)[i]->getType()->name() + ":" + (*children)[i]->name());
    return kinds;
}

std::vector<SceneNode*> allNodes(SceneNode* root) {
    std::vector<SceneNode*> order;
    std::set<SceneNode*> seen;
    std::vector<SceneNode*> pending;
    if (root)
        pending.push_back(root);
    while (!pending.empty()) {
        SceneNode* node = pending.back();
        pending.pop_back();
        if (!seen.insert(node).second)
            continue;
        order.push_back(node);
        if (const NodeList* children = node->children())
            for (std::size_t i = children->size(); i-- > 0;)
                pending.push_back((*children)[i]);
    }
    return order;
}

std::string fixturePath(const std::string& name) {
    return VORNEX_TEST_DATA_DIR "/vornex/" + name;
}

std::string exampleScenesDir() {
    return VORNEX_EXAMPLES_DIR "/rawdata";
}

std::string examplePath(const std::string& name) {
    return exampleScenesDir() + "/" + name;
}

} // namespace vx::test
