#pragma once
// One triangle of a collision mesh as the collision mesh file stores it: three vertex numbers
// and a collision material number, 16 bits each.
#include <cstdint>

namespace vx {

struct CollisionFace {
    std::uint16_t corners[3] = {0, 0, 0};
    std::uint16_t material = 0;
    bool operator==(const CollisionFace&) const = default;
};

} // namespace vx
