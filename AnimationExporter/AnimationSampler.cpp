#include "AnimationExporter/AnimationSampler.h"

#include "AnimationExporter/AnimationKeys.h"
#include "AnimationExporter/BoneKey.h"
#include "AnimationExporter/Skeleton.h"
#include "MeshExporter/ExportErrorList.h"
#include "Shared/Base/Log.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"

#include <algorithm>
#include <limits>

namespace vx {
namespace {

constexpr std::size_t kMaxIndex = std::numeric_limits<std::uint16_t>::max();

const UtilJointNode* jointOf(const SkeletonBone& bone) {
    return dynamic_cast<const UtilJointNode*>(bone.node);
}

class Sampler {
public:
    Sampler(const Skeleton& skeleton, AnimationKeys& keys, std::string& error)
        : m_skeleton(skeleton), m_keys(keys), m_error(error) {}

    bool run();

private:
    bool fail(std::string text) {
        m_error = std::move(text);
        return false;
    }
    bool checkKeyCount(std::size_t bone);
    BoneKey keyOf(std::size_t animated, std::size_t frame, const Matrix& toSlotParent);

    const Skeleton& m_skeleton;
    AnimationKeys& m_keys;
    std::string& m_error;
    std::vector<bool> m_reportedMissing;
};

bool Sampler::checkKeyCount(std::size_t bone) {
    const UtilJointNode* joint = jointOf(m_skeleton.bones()[bone]);
    if (!joint || joint->keyCount() >= m_keys.frameCount)
        return true;
    return fail("joint " + joint->name() + " has " + std::to_string(joint->keyCount()) +
                " keys, fewer than the animation's " + std::to_string(m_keys.frameCount) +
                " frames");
}

bool Sampler::run() {
    const std::vector<SkeletonBone>& bones = m_skeleton.bones();
    const UtilJointNode* firstJoint = nullptr;
    for (std::size_t i = 0; i < bones.size() && !firstJoint; ++i)
        firstJoint = jointOf(bones[i]);
    if (!firstJoint)
        return fail("no bone is a joint, so no bone gives the frame count");
    const std::size_t frames = firstJoint->keyCount();
    if (frames == 0)
        return fail("the playback range holds no frame, so joint " + firstJoint->name() +
                    " has no keys");
    if (frames > std::numeric_limits<std::uint32_t>::max())
        return fail(std::to_string(frames) + " frames are more than the file can count");
    m_keys.frameCount = static_cast<std::uint32_t>(frames);

    // Mesh slots hang on the first attach bone; their keys are taken relative to it.
    std::int32_t slotParent = -1;
    for (std::size_t i = 0; i < bones.size(); ++i) {
        if (!bones[i].animated)
            continue;
        if (i > kMaxIndex)
            return fail("animated bone " + m_skeleton.boneName(i) + " has the index " +
                        std::to_string(i) + ", more than 16 bits can name");
        if (!checkKeyCount(i))
            return false;
        m_keys.boneIndices.push_back(static_cast<std::uint16_t>(i));
        m_keys.boneNames.push_back(m_skeleton.boneName(i));
        if (bones[i].meshSlot && slotParent < 0)
            slotParent = bones[i].parent;
    }
    if (m_keys.boneCount() > kMaxIndex)
        return fail(std::to_string(m_keys.boneCount()) +
                    " animated bones are more than 16 bits can count");
    for (std::int32_t b = slotParent; b >= 0; b = bones[static_cast<std::size_t>(b)].parent) {
        VX_ASSERT(static_cast<std::size_t>(b) < bones.size());
        if (!checkKeyCount(static_cast<std::size_t>(b)))
            return false;
    }

    m_reportedMissing.assign(m_keys.boneCount(), false);
    m_keys.values.assign(m_keys.boneCount() * frames * AnimationKeys::kComponents, 0.0f);
    for (std::size_t f = 0; f < frames; ++f) {
        const Matrix toSlotParent =
            slotParent < 0 ? Matrix() : boneWorldMatrix(m_skeleton, slotParent, f).rigidInverse();
        for (std::size_t b = 0; b < m_keys.boneCount(); ++b) {
            const BoneKey key = keyOf(b, f, toSlotParent);
            float* out = &m_keys.values[(b * frames + f) * AnimationKeys::kComponents];
            const float values[AnimationKeys::kComponents] = {
                key.rotation.x, key.rotation.y, key.rotation.z, key.rotation.w,
                key.position.x, key.position.y, key.position.z};
            std::copy(std::begin(values), std::end(values), out);
        }
    }
    return true;
}

BoneKey Sampler::keyOf(std::size_t animated, std::size_t frame, const Matrix& toSlotParent) {
    const SkeletonBone& bone = m_skeleton.bones()[m_keys.boneIndices[animated]];
    if (!bone.node) {
        VX_WARNING << "no keys found, use dummy";
        return {};
    }
    if (const UtilJointNode* joint = jointOf(bone))
        return {joint->keyRotation(frame), joint->keyTranslation(frame)};
    const auto* transform = dynamic_cast<const UtilTransformNode*>(bone.node);
    if (!transform || transform->keyCount() <= frame) {
        // Once per bone: the artist needs the node's name, not one line per frame.
        if (!m_reportedMissing[animated]) {
            m_reportedMissing[animated] = true;
            const std::string text =
                "(ERROR) no keyframes found, possibly missing anim_export attribute in node: " +
                bone.node->name();
            VX_WARNING << text;
            exportErrorList().append(text);
        }
        // The rest key as it stands: the slot sits on its attach bone, as in the skeleton.
        return {};
    }
    const BoneKey key{transform->m_rotations[frame], transform->m_translations[frame]};
    return bone.meshSlot ? relativeKey(key, toSlotParent) : key;
}

} // namespace

bool sampleAnimation(const Skeleton& skeleton, AnimationKeys& keys, std::string& error) {
    keys = AnimationKeys();
    return Sampler(skeleton, keys, error).run();
}

} // namespace vx
