#pragma once
// Which of a mesh's UV sets a material uses, in the order its UV channels take them.
// Host-free.
#include <string>
#include <vector>

namespace vx {

class Material;

// A hardware-shader material uses every set of the mesh, in the mesh's order. Any other
// material uses the sets of the file textures under its "color" and "bumpmap" channels, in
// the order met, each once: the set the texture recorded for `shapeName`, or the mesh's first
// set. No material uses none.
std::vector<std::string> materialUvSets(const Material* material, const std::string& shapeName,
                                        const std::vector<std::string>& meshSets);

} // namespace vx
