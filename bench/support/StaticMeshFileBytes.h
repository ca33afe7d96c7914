#pragma once
// A static mesh file in memory: one geometry of one LOD with n vertices of 48 bytes (position,
// normal, blend index bytes, one UV set, tangent; every byte 0x3F), 3n indices and 16
// materials of equal shares.
#include <cstdint>
#include <string>

namespace vx::meshfile {

std::string staticMeshFileBytes(std::uint32_t vertices);

} // namespace vx::meshfile
