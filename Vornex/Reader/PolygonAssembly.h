#pragma once
// Turns the output vertices assigned to every face corner into the primitive buffer's
// polygons. Host-free.
#include <cstdint>
#include <string>
#include <vector>

namespace vx {

class PrimitiveBuffer;

// The output vertex of every face corner, faces one after another in face order.
struct PolygonTable {
    static constexpr std::int32_t kUnassigned = -2;

    std::vector<std::uint32_t> faceStart; // face count + 1 offsets into cornerVertex
    std::vector<std::int32_t> cornerVertex;

    std::size_t faceCount() const { return faceStart.empty() ? 0 : faceStart.size() - 1; }
    // Sets up `faceSizes.size()` faces with every corner unassigned.
    void reset(const std::vector<std::uint32_t>& faceSizes);
};

// Appends one primitive per face in face order, with its face index and `faceShader[face]`.
// A face with fewer than 3 corners, or with a corner that has no output vertex, is dropped
// with a Warning-level log line that starts with `prefix` ("<type::name>").
void assemblePolygons(const PolygonTable& table, const std::vector<std::int32_t>& faceShader,
                      const std::string& prefix, PrimitiveBuffer& out);

} // namespace vx
