#include "AnimationExporter/BoneKey.h"

#include "AnimationExporter/Skeleton.h"
#include "Shared/Base/Log.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"

namespace vx {

Matrix boneWorldMatrix(const Skeleton& skeleton, std::int32_t bone, std::size_t frame) {
    Matrix world;
    std::size_t steps = 0;
    for (std::int32_t b = bone; b >= 0; b = skeleton.bones()[static_cast<std::size_t>(b)].parent) {
        VX_ASSERT_MSG(static_cast<std::size_t>(b) < skeleton.size() && steps++ < skeleton.size(),
                      "bone " << bone << " has a broken parent chain");
        const auto* joint =
            dynamic_cast<const UtilJointNode*>(skeleton.bones()[static_cast<std::size_t>(b)].node);
        if (joint)
            world = world *
                    Matrix::fromQuaternion(joint->keyRotation(frame), joint->keyTranslation(frame));
    }
    return world;
}

BoneKey relativeKey(const BoneKey& world, const Matrix& toParent) {
    const Matrix relative = Matrix::fromQuaternion(world.rotation, world.position) * toParent;
    return {relative.toQuaternion(), relative.translation};
}

} // namespace vx
