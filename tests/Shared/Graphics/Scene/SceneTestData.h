#pragma once
// Fixtures for the scene model tests: a hex dump of expected bytes, a reference scene using
// every node kind, channel value kind and named value kind, and a structural comparison of two
// graphs.
#include "Shared/Graphics/Scene/Scene.h"
#include "tests/Shared/Base/Bytes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vx::test {

// Hex dump "ff ff ff ff 05 ..." for readable failures.
std::string hex(const std::string& bytes);

// Root "scene.ma" with transforms, a LOD group, joints with keys, a locator, a curve with a
// material, mesh nodes sharing one geometry (and one mesh node reached through two parents),
// every channel value kind and every named value kind.
void buildReferenceScene(Scene& scene);

// The file bytes of a scene (Scene::write through a growing buffer).
std::string writeToBytes(Scene& scene);
// Scene::read over the bytes.
bool readFromBytes(Scene& scene, const std::string& bytes);

// Empty when the two graphs are equal in everything the file carries, with the same sharing
// of nodes and shared objects; otherwise the first difference.
std::string compareScenes(const Scene& a, const Scene& b);

} // namespace vx::test
