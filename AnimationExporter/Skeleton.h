#pragma once
// The bone list of a skeleton, built from the joints of a scene subtree by their
// "anim_export" attribute and their names.
#include "AnimationExporter/SkeletonBone.h"

#include <string>
#include <vector>

namespace vx {

class SceneNode;

class Skeleton {
public:
    // Normal bones below the first attach bone get this many mesh slot bones; half as many
    // when the skeleton has kit bones.
    static constexpr int kMeshSlots = 16;
    static constexpr int kMeshSlotsWithKits = 8;

    Skeleton() = default;
    // A skeleton made by hand (tests, tools); mesh slot bones must be contiguous.
    explicit Skeleton(std::vector<SkeletonBone> bones);

    // Replaces the bones with those found under `node` (node included): the normal bones in
    // depth-first pre-order, then the mesh slot bones, then the kit bones. Every parent index
    // is a skeleton index or -1. Logs what it built at Info level.
    void buildSkeleton(const SceneNode& node);

    const std::vector<SkeletonBone>& bones() const { return m_bones; }
    std::size_t size() const { return m_bones.size(); }
    bool empty() const { return m_bones.empty(); }

    // The name a bone is known by in files and logs: its node's name; a mesh slot bone
    // without a node "mesh%d" with its slot number (1 for the first slot); any other bone
    // without a node "no node found error".
    std::string boneName(std::size_t index) const;
    // The bone's world matrix in its frame-0 pose: its local matrix, then each ancestor's in
    // turn up to the root (row vectors). A parent chain that does not end asserts.
    Matrix bindWorldMatrix(std::size_t index) const;

private:
    void indexMeshSlots();
    void logBones(const SceneNode& start) const;

    std::vector<SkeletonBone> m_bones;
    std::size_t m_firstMeshSlot = 0;
};

} // namespace vx
