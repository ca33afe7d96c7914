#pragma once
// Builds the skin weight records of a skinned mesh, one per vertex: the vertex's non-zero
// weights in the host's influence order, each with the position of its influence in the
// used-influence list (influences in the order of their first non-zero weight). Host-free.
#include "Shared/Graphics/Scene/VertexBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vx {

class SkinWeightRecords {
public:
    // The host's influences by name (partial path names), in its order.
    explicit SkinWeightRecords(std::vector<std::string> influenceNames);

    // One weight per influence. Weights are kept as given: no normalising, no sorting. A fifth
    // non-zero weight logs a Warning naming its influence and fails the "weightCount < 4"
    // assertion (AssertionFailed).
    SkinWeight addVertex(const float* weights, std::size_t count);

    // Positions into the host's influence list, in order of first use.
    const std::vector<std::uint32_t>& usedInfluences() const { return m_used; }

private:
    std::vector<std::string> m_names;
    std::vector<std::int32_t> m_positionOf; // per host influence: its used position, or -1
    std::vector<std::uint32_t> m_used;
};

// Renumbers the influence positions of `records` by `newPosition` (old position -> new, -1 for
// an influence that is dropped). A dropped influence's weight goes with it; the remaining
// weights keep their order and move up into the freed slots.
void renumberInfluences(std::vector<SkinWeight>& records,
                        const std::vector<std::int32_t>& newPosition);

} // namespace vx
