#pragma once
// One part of a level of detail: a mesh or locator found by the hierarchy walk, with the
// transform the object template script and the mesh file give it.
#include "Shared/Base/math/Matrix.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vx {

class SceneNode;

struct MeshPart {
    // The transform node the part was made from (not owned).
    const SceneNode* sourceNode = nullptr;
    // The part's "nonvis" child, under which collision and shadow geometry hang; may be null.
    SceneNode* node = nullptr;
    // Set for parts made from locators: a transform and no triangles.
    bool noGeometry = false;
    // Index of the parent part in the same list; -1 for a root part.
    std::int32_t parentIndex = -1;
    std::string name;
    // Relative to the parent part (to the level of detail for a root part); row vectors, the
    // translation in the last row.
    Matrix transform;
    // From the level of detail's own space: where the part's vertices are placed.
    Matrix lodTransform;
};

using MeshPartList = std::vector<MeshPart>;

} // namespace vx
