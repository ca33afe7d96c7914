#include "AnimationExporter/Skeleton.h"

#include "Shared/Base/Log.h"
#include "Shared/Base/TextCase.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

namespace vx {
namespace {

constexpr std::string_view kAnimExport = "anim_export";
constexpr std::string_view kMeshSlotPrefix = "mesh";

bool contains(const std::string& name, std::string_view text) {
    return name.find(text) != std::string::npos;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

Matrix frameZeroMatrix(const UtilJointNode& joint) {
    if (joint.keyCount() == 0)
        return Matrix::identity();
    return Matrix::fromQuaternion(joint.keyRotation(0), joint.keyTranslation(0));
}

// The slot number a transform's name gives, 0 for none: "mesh%d" ignoring case, followed by
// anything but a further digit. "Mesh1_hand" is slot 1; "mesh10" is slot 10, never slot 1.
int meshSlotNumber(const std::string& name, int slots) {
    if (!startsWithIgnoringCase(name, kMeshSlotPrefix))
        return 0;
    std::size_t end = kMeshSlotPrefix.size();
    while (end < name.size() && isDigit(name[end]))
        ++end;
    const std::string_view digits(name.data() + kMeshSlotPrefix.size(),
                                  end - kMeshSlotPrefix.size());
    if (digits.empty() || digits.size() > 2 || digits.front() == '0')
        return 0;
    int number = 0;
    for (char c : digits)
        number = number * 10 + (c - '0');
    return number <= slots ? number : 0;
}

// The first "mesh%d" transform for each slot 1..slots in one pre-order walk of the subtree
// (children in stored order); null where there is none.
std::vector<const UtilTransformNode*> findMeshSlotNodes(const SceneNode& start, int slots) {
    std::vector<const UtilTransformNode*> found(static_cast<std::size_t>(slots) + 1, nullptr);
    std::vector<const SceneNode*> pending{&start};
    while (!pending.empty()) {
        const SceneNode* node = pending.back();
        pending.pop_back();
        if (const auto* transform = dynamic_cast<const UtilTransformNode*>(node)) {
            const int slot = meshSlotNumber(transform->name(), slots);
            if (slot != 0 && !found[static_cast<std::size_t>(slot)])
                found[static_cast<std::size_t>(slot)] = transform;
        }
        if (const NodeList* children = node->children())
            for (std::size_t i = children->size(); i-- > 0;)
                pending.push_back((*children)[i]);
    }
    return found;
}

// Where a bone's parent sits while the subtree is walked: kit bones are collected apart and
// placed last, so a bone below a kit bone names it by its place in the kit list.
struct ParentRef {
    std::int32_t index = -1;
    bool kit = false;
};

struct CollectedBone {
    SkeletonBone bone;
    ParentRef parent;
};

} // namespace

Skeleton::Skeleton(std::vector<SkeletonBone> bones) : m_bones(std::move(bones)) {
    indexMeshSlots();
}

void Skeleton::buildSkeleton(const SceneNode& start) {
    m_bones.clear();
    std::vector<CollectedBone> normal;
    std::vector<CollectedBone> kits;

    // Pre-order with an explicit stack: deep joint chains stay off the call stack.
    struct Pending {
        const SceneNode* node;
        ParentRef parent;
    };
    std::vector<Pending> pending{{&start, {}}};
    while (!pending.empty()) {
        const Pending current = pending.back();
        pending.pop_back();
        ParentRef childrenParent = current.parent;
        const auto* joint = dynamic_cast<const UtilJointNode*>(current.node);
        if (joint && joint->namedValues().find(kAnimExport)) {
            const std::string& name = joint->name();
            CollectedBone collected;
            collected.bone.node = joint;
            collected.bone.animated = joint->getBool(kAnimExport).value_or(false);
            collected.bone.local = frameZeroMatrix(*joint);
            collected.bone.attach = contains(name, "right_ullna") || contains(name, "torus");
            collected.parent = current.parent;
            if (contains(name, "mesh")) {
                VX_INFO << "found kitBone:" << name;
                childrenParent = {static_cast<std::int32_t>(kits.size()), true};
                kits.push_back(collected);
            } else {
                childrenParent = {static_cast<std::int32_t>(normal.size()), false};
                normal.push_back(collected);
            }
        }
        if (const NodeList* children = current.node->children())
            for (std::size_t i = children->size(); i-- > 0;)
                pending.push_back({(*children)[i], childrenParent});
    }

    const auto attach = std::find_if(normal.begin(), normal.end(),
                                     [](const CollectedBone& c) { return c.bone.attach; });
    if (attach != normal.end()) {
        const auto attachIndex = static_cast<std::int32_t>(attach - normal.begin());
        const int slots = kits.empty() ? kMeshSlots : kMeshSlotsWithKits;
        const std::vector<const UtilTransformNode*> found = findMeshSlotNodes(start, slots);
        for (int slot = 1; slot <= slots; ++slot) {
            const UtilTransformNode* node = found[static_cast<std::size_t>(slot)];
            CollectedBone collected;
            collected.bone.node = node;
            collected.bone.meshSlot = true;
            collected.bone.animated = node != nullptr;
            collected.parent = {attachIndex, false};
            if (node)
                VX_INFO << "found transformation node:" << node->name();
            else
                VX_INFO << "no transformation node found for:" << kMeshSlotPrefix << slot;
            normal.push_back(collected);
        }
    }

    // Kit bones follow everything else; whatever hangs below one (kit or normal bone) is
    // re-pointed at the kit bone's final index.
    const auto kitBase = static_cast<std::int32_t>(normal.size());
    m_bones.reserve(normal.size() + kits.size());
    for (const std::vector<CollectedBone>* list : {&normal, &kits})
        for (const CollectedBone& collected : *list) {
            SkeletonBone bone = collected.bone;
            bone.parent =
                collected.parent.kit ? kitBase + collected.parent.index : collected.parent.index;
            m_bones.push_back(bone);
        }
    indexMeshSlots();
    if (!m_bones.empty())
        logBones(start);
}

void Skeleton::indexMeshSlots() {
    const auto first = std::find_if(m_bones.begin(), m_bones.end(),
                                    [](const SkeletonBone& bone) { return bone.meshSlot; });
    m_firstMeshSlot = static_cast<std::size_t>(first - m_bones.begin());
}

std::string Skeleton::boneName(std::size_t index) const {
    VX_ASSERT(index < m_bones.size());
    const SkeletonBone& bone = m_bones[index];
    if (bone.node)
        return bone.node->name();
    if (bone.meshSlot)
        return std::string(kMeshSlotPrefix) + std::to_string(index - m_firstMeshSlot + 1);
    return "no node found error";
}

Matrix Skeleton::bindWorldMatrix(std::size_t index) const {
    VX_ASSERT(index < m_bones.size());
    Matrix world;
    std::size_t steps = 0;
    for (auto b = static_cast<std::int32_t>(index); b >= 0;
         b = m_bones[static_cast<std::size_t>(b)].parent) {
        VX_ASSERT_MSG(static_cast<std::size_t>(b) < m_bones.size() && steps++ < m_bones.size(),
                      "bone " << index << " has a broken parent chain");
        world = world * m_bones[static_cast<std::size_t>(b)].local;
    }
    return world;
}

void Skeleton::logBones(const SceneNode& start) const {
    for (std::size_t i = 0; i < m_bones.size(); ++i) {
        const SkeletonBone& bone = m_bones[i];
        VX_INFO << i << " skeleton bone:" << boneName(i)
                << " mother:" << static_cast<std::uint16_t>(bone.parent)
                << " anim_export:" << static_cast<std::int32_t>(bone.animated);
    }
    VX_INFO << "skeletonBuilt, nBones=" << m_bones.size() << " fromNode:" << start.name();
}

} // namespace vx
