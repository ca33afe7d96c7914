#pragma once
#include "Shared/Base/math/Matrix.h"

#include <cstdint>

namespace vx {

class SceneNode;

// One bone of a skeleton. The node is borrowed from the scene the skeleton was built from and
// must outlive the skeleton's use.
struct SkeletonBone {
    // The joint it stands for; for a mesh slot bone the "mesh%d" transform, or null.
    const SceneNode* node = nullptr;
    // Skeleton index of the parent bone; -1 for a root.
    std::int32_t parent = -1;
    // Local transform at frame 0 (rotation key 0, translation key 0); identity when unknown.
    Matrix local;
    // The "anim_export" value; for a mesh slot bone: its transform node was found.
    bool animated = false;
    bool meshSlot = false;
    bool attach = false;
};

} // namespace vx
