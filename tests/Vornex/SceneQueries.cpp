#include "tests/Vornex/SceneQueries.h"

namespace vx::test {

SceneNode* findNode(SceneNode* root, const std::string& name) {
    if (!root || root->name() == name)
        return root;
    if (const NodeList* children = root->children())
        for (SceneNode* child : *children)
            if (SceneNode* found = findNode(child, name))
                return found;
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

std::string fixturePath(const std::string& name) {
    return VORNEX_TEST_DATA_DIR "/vornex/" + name;
}

std::string examplePath(const std::string& name) {
    return VORNEX_EXAMPLES_DIR "/rawdata/" + name;
}

} // namespace vx::test
