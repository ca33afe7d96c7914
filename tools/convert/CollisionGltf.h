#pragma once
// A collision mesh file as glTF: one node per collision mesh ("slot0_geom0_col0", ...), its
// faces split into one primitive per collision material, each material in its own colour
// ("collision material N").
#include "tools/convert/GltfBuilder.h"
#include "tools/convert/MaterialGltf.h"
#include "tools/info/CollisionMeshFileReader.h"

#include <string>
#include <vector>

namespace vx::convert {

// A colour per collision material number, the same for a number in every file.
std::array<float, 3> collisionColour(unsigned material);

// Appends the nodes and returns them in `roots`.
void addCollisionNodes(GltfBuilder& builder, MaterialTable& materials,
                       const info::CollisionMeshFileContents& contents, std::vector<int>& roots);

} // namespace vx::convert
