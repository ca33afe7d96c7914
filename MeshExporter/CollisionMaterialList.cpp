#include "MeshExporter/CollisionMaterialList.h"

#include <algorithm>

namespace vx {

std::uint32_t CollisionMaterialList::numberOf(std::string_view name) {
    const auto found = std::find(m_names.begin(), m_names.end(), name);
    if (found != m_names.end())
        return static_cast<std::uint32_t>(found - m_names.begin());
    m_names.emplace_back(name);
    return static_cast<std::uint32_t>(m_names.size() - 1);
}

CollisionMaterialList& collisionMaterialList() {
    static CollisionMaterialList list;
    return list;
}

} // namespace vx
