#pragma once
// Strict reader of the ".collisionMesh" files the exporter writes.
#include "MeshExporter/CollisionFace.h"
#include "MeshExporter/SpatialTree.h"
#include "Shared/Base/math/Vector3.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vx::info {

struct CollisionMeshRecord {
    std::uint32_t number = 0; // the "col" number
    std::vector<CollisionFace> faces;
    std::vector<Vector3> vertices;
    std::vector<std::uint16_t> vertexMaterials;
    Vector3 min;
    Vector3 max;
    bool hasTree = false;
    Vector3 treeMin;
    Vector3 treeMax;
    std::vector<SpatialTreeNode> nodes;
    std::vector<std::uint16_t> treeFaces;
    bool hasAdjacency = false;
    std::vector<std::uint32_t> neighbours; // per edge 3f + k
};

// One entry of a slot: no meshes for a geometry without collision there.
struct CollisionBlockRecord {
    std::vector<CollisionMeshRecord> meshes;
};

struct CollisionMeshFileContents {
    std::uint32_t version = 0;
    // Per slot, per geometry.
    std::vector<std::vector<CollisionBlockRecord>> slots;
};

// Reads a whole file from memory: 0, version 10, the slot count, per slot the geometry count
// and its entries, and nothing after. Every number that indexes is checked: vertex numbers
// against the vertex count, "col" numbers 0 to 9 in increasing order, tree children after their
// parent and within the node list, leaf ranges within the face list, tree and neighbour face
// numbers within the face count, the tree flag '0' or '1', adjacency present exactly when the
// box diagonal is at least 0.001. False with the reason and its byte offset in `error`.
bool readCollisionMeshFile(const unsigned char* data, std::size_t size,
                           CollisionMeshFileContents& contents, std::string& error);

} // namespace vx::info
