// Unique node names: the lowest free number after the stem, however many nodes share a stem and
// whatever names renames free on the way.
#include <vornexhost/Node.h>
#include <vornexhost/NodeType.h>
#include <vornexhost/Scene.h>

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

namespace vornexhost::test {
namespace {

// The rule as written: `base` when free, else the stem (trailing digits dropped) with the
// lowest number from 1 that no node has.
std::string lowestFree(const std::set<std::string>& taken, const std::string& base) {
    if (!taken.count(base))
        return base;
    std::string stem = base;
    while (!stem.empty() && std::isdigit(static_cast<unsigned char>(stem.back())))
        stem.pop_back();
    for (unsigned n = 1;; ++n)
        if (!taken.count(stem + std::to_string(n)))
            return stem + std::to_string(n);
}

TEST(SceneNames, NumbersFollowTheLowestFreeRuleThroughRenames) {
    Scene scene;
    const NodeType& lambert = *NodeTypeRegistry::instance().find("lambert");
    std::set<std::string> taken;
    for (const auto& node : scene.nodes())
        taken.insert(node->name());
    std::vector<Node*> made;
    std::mt19937 random(7);
    const std::vector<std::string> requests = {"", "", "lambert3", "a", "a", "a7", "b2", "a"};
    for (int step = 0; step < 3000; ++step) {
        if (!made.empty() && random() % 3 == 0) {
            // Rename a node: to a fresh name (freeing its number) or to a clashing one.
            Node* node = made[random() % made.size()];
            const std::string wanted = random() % 2 ? "free" + std::to_string(step) : "a";
            taken.erase(node->name());
            const std::string expected = lowestFree(taken, wanted);
            scene.rename(*node, wanted);
            ASSERT_EQ(node->name(), expected) << "step " << step;
            taken.insert(expected);
            continue;
        }
        const std::string& request = requests[random() % requests.size()];
        const std::string expected = lowestFree(taken, request.empty() ? "lambert1" : request);
        Node* node = scene.createNode(lambert, request, nullptr);
        ASSERT_EQ(node->name(), expected) << "step " << step;
        taken.insert(expected);
        made.push_back(node);
    }
}

} // namespace
} // namespace vornexhost::test
