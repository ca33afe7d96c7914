#include "MeshExporter/PartBoneMap.h"

#include "Shared/Base/Log.h"

namespace vx {

std::int32_t PartBoneMap::localIndexOf(const SceneNode* node) const {
    const auto found = m_localIndices.find(node);
    return found == m_localIndices.end() ? -1 : found->second;
}

std::int32_t PartBoneMap::insert(const SceneNode* node, std::int32_t skeletonIndex) {
    const auto local = static_cast<std::int32_t>(m_entries.size());
    const bool added = m_localIndices.emplace(node, local).second;
    VX_ASSERT_MSG(added, "a bone is registered in a part once");
    m_entries.push_back({node, skeletonIndex});
    return local;
}

} // namespace vx
