#pragma once
// Fixtures for the scene model tests: a hex dump of expected bytes and a reference scene using
// every node kind, channel value kind and named value kind.
#include "Shared/Graphics/Scene/RootNode.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "tests/Shared/Base/Bytes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vx::test {

// Hex dump "ff ff ff ff 05 ..." for readable failures.
std::string hex(const std::string& bytes);

// A new RootNode named `name` as the scene's root; the scene holds the only reference.
RootNode* setNewRoot(Scene& scene, const std::string& name = "");

// A new node of class T named `name` under `parent`, which holds the only reference.
template <typename T>
T* addNew(SceneNode& parent, const std::string& name = "") {
    auto* node = new T();
    node->setName(name);
    parent.addChild(node);
    node->release();
    return node;
}

// Root "scene.ma" with transforms, a LOD group, joints with keys, a locator, a curve with a
// material, mesh nodes sharing one geometry (and one mesh node reached through two parents),
// every channel value kind and every named value kind.
void buildReferenceScene(Scene& scene);

// The file bytes of a scene (Scene::write through a growing buffer).
std::string writeToBytes(Scene& scene);
// Scene::read over the bytes.
bool readFromBytes(Scene& scene, const std::string& bytes);

} // namespace vx::test
