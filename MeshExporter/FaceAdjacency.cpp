#include "MeshExporter/FaceAdjacency.h"

#include <algorithm>
#include <tuple>

namespace vx {

std::vector<std::uint32_t> faceAdjacency(const std::vector<CollisionFace>& faces) {
    struct Edge {
        std::uint16_t low;
        std::uint16_t high;
        std::uint32_t index;
    };
    std::vector<Edge> edges;
    edges.reserve(faces.size() * 3);
    for (std::size_t f = 0; f < faces.size(); ++f) {
        for (unsigned k = 0; k < 3; ++k) {
            const std::uint16_t a = faces[f].corners[k];
            const std::uint16_t b = faces[f].corners[(k + 1) % 3];
            edges.push_back(
                {std::min(a, b), std::max(a, b), static_cast<std::uint32_t>(3 * f + k)});
        }
    }
    std::sort(edges.begin(), edges.end(), [](const Edge& l, const Edge& r) {
        return std::tie(l.low, l.high, l.index) < std::tie(r.low, r.high, r.index);
    });
    std::vector<std::uint32_t> neighbours(edges.size(), kNoNeighbour);
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        if (edges[i].low != edges[i + 1].low || edges[i].high != edges[i + 1].high)
            continue;
        neighbours[edges[i].index] = edges[i + 1].index / 3;
        neighbours[edges[i + 1].index] = edges[i].index / 3;
        ++i;
    }
    return neighbours;
}

} // namespace vx
