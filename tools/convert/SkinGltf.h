#pragma once
// A skeleton as glTF joints: one node per bone in its pose of the skeleton file (local
// rotation and position under its parent), and a skin whose joint j is skeleton bone j, with
// the inverse bind matrices of the mesh file's bone tables.
#include "tools/convert/GltfBuilder.h"
#include "tools/info/MeshFile.h"
#include "tools/info/SkeletonFileReader.h"

#include <string>
#include <vector>

namespace vx::convert {

struct SkeletonNodes {
    std::vector<int> bones; // node per skeleton bone
    std::vector<int> roots; // nodes of the bones without a parent
    int skin = -1;          // -1 until addSkin
};

SkeletonNodes addSkeletonNodes(GltfBuilder& builder, const info::SkeletonFile& skeleton);

// The skin of `mesh` over the joints. A bone no bone table lists gets the inverse of its world
// matrix in the skeleton's pose. False with a sentence in `error` when a bone table names a
// bone the skeleton does not have.
bool addSkin(GltfBuilder& builder, const info::SkeletonFile& skeleton,
             const meshfile::MeshFile& mesh, SkeletonNodes& nodes, std::string& error);

} // namespace vx::convert
