#pragma once
// The names of the materials met on collision meshes; a material's number is its position.
// The object template script maps each number back to its name.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

class CollisionMaterialList {
public:
    // The name's number, appending it when new (exact, case-sensitive comparison).
    std::uint32_t numberOf(std::string_view name);
    const std::vector<std::string>& names() const { return m_names; }
    void clear() { m_names.clear(); }

private:
    std::vector<std::string> m_names;
};

// The process-wide list; the export driver empties it at the start of every export, so the
// numbers of one asset's script never name another asset's materials.
CollisionMaterialList& collisionMaterialList();

} // namespace vx
