#include "MeshExporter/StrongestInfluences.h"

namespace vx {

StrongestInfluences pickStrongestInfluences(const SkinWeight& weights,
                                            const std::array<bool, 4>& known) {
    std::array<bool, 4> hasBone{};
    for (std::size_t slot = 0; slot < 4; ++slot)
        hasBone[slot] = weights.m_bones[slot] >= 0 && known[slot];
    StrongestInfluences out;
    for (int& pick : out.slots) {
        float best = -1.0f;
        for (std::size_t slot = 0; slot < 4; ++slot) {
            if (hasBone[slot] && weights.m_weights[slot] > best) {
                best = weights.m_weights[slot];
                pick = static_cast<int>(slot);
            }
        }
        if (pick < 0)
            break;
        // A picked influence has no bone for the next pick.
        hasBone[static_cast<std::size_t>(pick)] = false;
    }
    return out;
}

} // namespace vx
