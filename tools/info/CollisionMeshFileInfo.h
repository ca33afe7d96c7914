#pragma once
// `vornex info FILE.collisionMesh [--query X Y Z]`: what a collision mesh file holds, and the
// faces whose tree leaves contain a point.
#include "tools/info/CollisionMeshFileReader.h"
#include "tools/info/InfoCommand.h"

#include <cstdint>
#include <iosfwd>
#include <vector>

namespace vx::info {

int printCollisionMeshFile(const InfoRequest& request, std::ostream& out, std::ostream& err);

// Per slot and geometry, per collision mesh: counts, materials used, box, tree shape and
// adjacency statistics.
void printCollisionSummary(const CollisionMeshFileContents& contents, std::ostream& out);

// The faces of every leaf the point reaches walking down the tree (both sides when it lies
// on a split), sorted, each once; none for a point outside the tree's box.
std::vector<std::uint16_t> queryTree(const CollisionMeshRecord& mesh, const Vector3& point);

} // namespace vx::info
