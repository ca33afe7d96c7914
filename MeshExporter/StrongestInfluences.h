#pragma once
// The two influences a skinned vertex keeps out of the up to four the scene stores.
#include "Shared/Graphics/Scene/VertexBuffer.h"

#include <array>

namespace vx {

// Slots (0..3) of the record's influences, -1 where there is none.
struct StrongestInfluences {
    std::array<int, 2> slots = {-1, -1};
};

// The first pick is the slot with a bone and the greatest weight, the second the same among
// the remaining slots. Weights are compared strictly greater, starting from -1, so of equal
// weights the lower slot wins and a zero weight still beats none. A slot has a bone when its
// influence position is not negative and `known` accepts the slot (the caller's check that
// the position names an influence of the mesh).
StrongestInfluences pickStrongestInfluences(const SkinWeight& weights,
                                            const std::array<bool, 4>& known);

} // namespace vx
