#include "MeshExporter/VertexWeld.h"

#include <cstddef>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <unordered_map>

namespace vx {

namespace {

// The fields that make a vertex, as plain bytes (the source node is not one of them).
struct VertexKey {
    std::array<unsigned char, offsetof(ExportVertex, sourceNode)> bytes;
};
static_assert(std::is_trivially_copyable_v<ExportVertex>);

VertexKey keyOf(const ExportVertex& v) {
    VertexKey key;
    std::memcpy(key.bytes.data(), &v, key.bytes.size());
    return key;
}

struct KeyHash {
    std::size_t operator()(const VertexKey& k) const {
        return std::hash<std::string_view>()(
            std::string_view(reinterpret_cast<const char*>(k.bytes.data()), k.bytes.size()));
    }
};
struct KeyEqual {
    bool operator()(const VertexKey& a, const VertexKey& b) const { return a.bytes == b.bytes; }
};

} // namespace

WeldedGroup weldCorners(const std::vector<ExportVertex>& corners) {
    WeldedGroup out;
    out.indices.reserve(corners.size());
    std::unordered_map<VertexKey, std::uint32_t, KeyHash, KeyEqual> seen;
    seen.reserve(corners.size());
    for (const ExportVertex& corner : corners) {
        const auto [it, added] =
            seen.emplace(keyOf(corner), static_cast<std::uint32_t>(out.vertices.size()));
        if (added)
            out.vertices.push_back(corner);
        out.indices.push_back(it->second);
    }
    return out;
}

} // namespace vx
