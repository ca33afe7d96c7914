#pragma once
// The bones one part of a skinned mesh uses: each bone node with its local index (the number
// the part's vertices carry, in order of first registration) and its index in the skeleton.
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace vx {

class SceneNode;

class PartBoneMap {
public:
    struct Entry {
        const SceneNode* node = nullptr; // not owned
        std::int32_t skeletonIndex = -1;
    };

    // The node's local index, or -1 when the part does not hold it.
    std::int32_t localIndexOf(const SceneNode* node) const;
    // Appends the node (which must not be held yet) and returns its local index: the size of
    // the map before the call.
    std::int32_t insert(const SceneNode* node, std::int32_t skeletonIndex);

    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    // By local index.
    const std::vector<Entry>& entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
    std::unordered_map<const SceneNode*, std::int32_t> m_localIndices;
};

} // namespace vx
