#include "MeshExporter/VertexWeld.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <type_traits>

namespace vx {

namespace {

// The fields that make a vertex, as plain bytes (the source node is not one of them).
constexpr std::size_t kKeyBytes = offsetof(ExportVertex, sourceNode);
static_assert(std::is_trivially_copyable_v<ExportVertex>);
static_assert(kKeyBytes % sizeof(std::uint64_t) == 0);

std::uint64_t hashOf(const ExportVertex& v) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&v);
    std::uint64_t h = 0x9E3779B97F4A7C15ULL;
    for (std::size_t at = 0; at < kKeyBytes; at += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + at, sizeof word);
        h = (h ^ word) * 0xBF58476D1CE4E5B9ULL;
        h ^= h >> 31;
    }
    return h;
}

} // namespace

WeldedCorners weldCorners(const ExportVertexList& vertices,
                          const std::vector<std::uint32_t>& corners) {
    constexpr std::uint32_t kFree = 0xFFFFFFFFu;
    WeldedCorners out;
    out.indices.reserve(corners.size());
    out.vertices.reserve(std::min(corners.size(), vertices.size()));
    // Open addressing over welded vertex numbers, at most half full; each slot keeps the upper
    // half of its vertex's hash so that most probes settle without comparing whole vertices.
    struct Slot {
        std::uint32_t vertex = kFree;
        std::uint32_t check = 0;
    };
    const std::size_t size =
        std::bit_ceil(std::max<std::size_t>(16, std::min(corners.size(), vertices.size()) * 2));
    const std::size_t mask = size - 1;
    std::vector<Slot> slots(size);
    // What each given vertex welded to, once it has been looked up.
    std::vector<std::uint32_t> weldOf(vertices.size(), kFree);
    for (const std::uint32_t given : corners) {
        if (weldOf[given] == kFree) {
            const ExportVertex& vertex = vertices[given];
            const std::uint64_t hash = hashOf(vertex);
            const auto check = static_cast<std::uint32_t>(hash >> 32);
            std::size_t i = static_cast<std::size_t>(hash) & mask;
            while (
                slots[i].vertex != kFree &&
                !(slots[i].check == check &&
                  std::memcmp(&vertices[out.vertices[slots[i].vertex]], &vertex, kKeyBytes) == 0))
                i = (i + 1) & mask;
            if (slots[i].vertex == kFree) {
                slots[i] = {static_cast<std::uint32_t>(out.vertices.size()), check};
                out.vertices.push_back(given);
            }
            weldOf[given] = slots[i].vertex;
        }
        out.indices.push_back(weldOf[given]);
    }
    return out;
}

} // namespace vx
