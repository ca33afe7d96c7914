#pragma once
// One key of a bone as the files store it, and how a mesh slot's key is taken relative to the
// bone it hangs on.
#include "Shared/Base/math/Matrix.h"

#include <cstdint>

namespace vx {

class Skeleton;

struct BoneKey {
    Quaternion rotation; // identity unless set
    Vector3 position;
};

// The bone's world matrix at `frame`: its joint key's matrix (rotation, translation row),
// then each ancestor's in turn (row vectors). Bones that are not joints contribute nothing.
// Every joint on the way must have a key at `frame` (asserted).
Matrix boneWorldMatrix(const Skeleton& skeleton, std::int32_t bone, std::size_t frame);

// `world` (a transform's sampled key, in world space) seen from the bone whose world matrix
// has the rigid inverse `toParent`.
BoneKey relativeKey(const BoneKey& world, const Matrix& toParent);

} // namespace vx
