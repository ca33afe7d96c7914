#include "AnimationExporter/SkeletonFileWriter.h"

#include "AnimationExporter/BoneKey.h"
#include "AnimationExporter/OutputFile.h"
#include "AnimationExporter/Skeleton.h"
#include "MeshExporter/ExportErrorList.h"
#include "Shared/Base/File/PathNames.h"
#include "Shared/Base/Log.h"
#include "Shared/Base/Streams/Buffers/StringOutBuffer.h"
#include "Shared/Base/Streams/OutStream.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"

#include <limits>

namespace vx {
namespace {

constexpr std::uint16_t kNoParent = 0xFFFF;

// Key 0 of the bone's node, as its local pose. A found mesh slot's transform key (sampled in
// world space) is taken relative to the bone it hangs on, as the animation file takes every
// later key. A mesh slot without a transform node, or whose transform has no keys, sits on
// that bone: identity rotation, zero position, as its local matrix says.
bool framePose(const Skeleton& skeleton, const SkeletonBone& bone, BoneKey& pose) {
    if (const auto* joint = dynamic_cast<const UtilJointNode*>(bone.node)) {
        if (joint->keyCount() == 0)
            return false;
        pose = {joint->keyRotation(0), joint->keyTranslation(0)};
    } else if (const auto* transform = dynamic_cast<const UtilTransformNode*>(bone.node)) {
        if (transform->keyCount() == 0)
            return true;
        pose = {transform->m_rotations[0], transform->m_translations[0]};
        if (bone.meshSlot)
            pose = relativeKey(pose, boneWorldMatrix(skeleton, bone.parent, 0).rigidInverse());
    }
    return true;
}

} // namespace

bool encodeSkeletonFile(const Skeleton& skeleton, std::string& bytes, std::string& error) {
    // 0xFFFF marks a root, so the last index a parent can name is 0xFFFE.
    if (skeleton.size() > kNoParent) {
        error = std::to_string(skeleton.size()) + " bones are more than the 65535 it can hold";
        return false;
    }
    StringOutBuffer buffer;
    OutStream out(&buffer);
    out << kSkeletonFileVersion << static_cast<std::uint32_t>(skeleton.size());
    for (std::size_t i = 0; i < skeleton.size(); ++i) {
        const SkeletonBone& bone = skeleton.bones()[i];
        const std::string name = skeleton.boneName(i);
        if (name.size() >= std::numeric_limits<std::uint16_t>::max()) {
            error = "the name of bone " + std::to_string(i) + " is " + std::to_string(name.size()) +
                    " characters long, more than 65534";
            return false;
        }
        BoneKey pose;
        if (!framePose(skeleton, bone, pose)) {
            error = "joint " + name + " has no keys, so it has no pose at frame 0";
            return false;
        }
        out << static_cast<std::uint16_t>(name.size() + 1) << name;
        out.writeTerminator();
        VX_ASSERT(bone.parent < static_cast<std::int32_t>(skeleton.size()));
        out << (bone.parent < 0 ? kNoParent : static_cast<std::uint16_t>(bone.parent));
        out << pose.rotation.x << pose.rotation.y << pose.rotation.z << pose.rotation.w;
        out << pose.position.x << pose.position.y << pose.position.z;
    }
    bytes = buffer.text();
    return true;
}

bool exportSkeletonToFile(const Skeleton& skeleton, const std::string& path) {
    if (!hasExtension(path))
        return failExport("skeleton not written: the output path " + path +
                          " has no file extension");
    const std::string file = replaceExtension(path, ".ske");
    VX_INFO << "exportSkeletonToFile:" << file << " nBones:" << skeleton.size();
    std::string bytes;
    std::string error;
    if (!encodeSkeletonFile(skeleton, bytes, error))
        return failExport("skeleton file " + file + " not written: " + error);
    return writeWholeFile(file, bytes);
}

} // namespace vx
