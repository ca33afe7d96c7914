#pragma once
// Whether the current export's bundled meshes use animated texture coordinates, and how many
// UV matrices they need; the object template script announces the count.
#include <cstdint>

namespace vx {

struct AnimatedUvState {
    bool used = false;
    std::int32_t matrixCount = 0;

    void reset() { *this = AnimatedUvState(); }
};

// The process-wide state; the export driver resets it before the first geometry.
AnimatedUvState& animatedUvState();

} // namespace vx
