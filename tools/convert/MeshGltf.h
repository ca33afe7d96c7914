#pragma once
// A mesh file's geometry as glTF: one node per geometry and LOD ("geom0_lod0", ...), one
// primitive per material range (the alpha sort copies after a range are not repeated).
// Bundled files get a child node per part ("part0", ...) holding that part's triangles, placed
// by `parts` when given, else at the origin of its own space. Skinned files, given a skin, bind
// every vertex to its two bones through its part's bone table.
#include "Shared/Base/math/Matrix.h"
#include "tools/convert/GltfBuilder.h"
#include "tools/convert/MaterialGltf.h"
#include "tools/info/MeshFile.h"

#include <map>
#include <string>
#include <vector>

namespace vx::convert {

struct MeshGltfInput {
    const meshfile::MeshFile* file = nullptr;
    const std::map<unsigned, Matrix>* parts = nullptr; // bundled: part number -> transform
    int skin = -1;                                     // skinned: joint j is skeleton bone j
};

// Appends the nodes and returns them in `roots`. False with a sentence in `error` when a
// range cannot be decoded or a vertex's bone lies outside its part's table.
bool addMeshNodes(GltfBuilder& builder, MaterialTable& materials, const MeshGltfInput& input,
                  std::vector<int>& roots, std::string& error);

} // namespace vx::convert
