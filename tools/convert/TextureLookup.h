#pragma once
// The textures a mesh file names, found in a folder and decoded by the project's image decoder
// (DDS, and the formats stb reads).
#include "vximage/RgbaImage.h"

#include <string>

namespace vx::convert {

// The file for `name` in `folder`: the name as written (backslashes read as slashes), else its
// last path element, else a file of the folder whose name matches that element ignoring case.
// Empty when none is found.
std::string findTexture(const std::string& folder, const std::string& name);

// Finds and decodes the texture; false with a sentence naming it in `error`.
bool loadTexture(const std::string& folder, const std::string& name, vximage::RgbaImage& image,
                 std::string& error);

} // namespace vx::convert
