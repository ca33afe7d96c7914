#pragma once
// Writes a glTF model as a binary ".glb" file. The file appears only when complete: it is
// written under a temporary name beside the target and renamed.
#include <tiny_gltf.h>

#include <string>

namespace vx::convert {

// False with a sentence naming the file in `error` when it cannot be written.
bool writeGlb(const tinygltf::Model& model, const std::string& path, std::string& error);

} // namespace vx::convert
