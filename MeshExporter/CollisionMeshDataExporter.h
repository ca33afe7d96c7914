#pragma once
// Collision meshes: the "col0" to "col9" nodes under a part's "nonvis" node, each welded into
// a triangle mesh with collision material numbers, and written with its box, spatial tree and
// face adjacency as one block of the ".collisionMesh" file.
#include "MeshExporter/CollisionFace.h"
#include "Shared/Base/math/Vector3.h"

#include <vector>

namespace vx {

class OutStream;
class SceneNode;

struct CollisionMesh {
    std::vector<Vector3> vertices;
    std::vector<CollisionFace> faces;
};

// Two corners closer than this on every axis are one vertex.
inline constexpr float kCollisionWeldTolerance = 1.1920929e-07f;

// Builds the mesh of one "col" node: its subtree's transforms applied, corners welded, each
// mesh's materials numbered through the collision material list. False (with the artist's
// message) for a polygon that is not a triangle or a corner the mesh does not have.
bool buildCollisionMesh(SceneNode& colNode, CollisionMesh& mesh);

// Writes the block for one part's "nonvis" node: the count of "col" nodes found, then each
// collision mesh in increasing "col" number. False when the block cannot be written; the
// reason is logged and, where the artist must act, appended to the export's error list.
bool writeCollisionBlock(SceneNode* nonvis, OutStream& out);

} // namespace vx
