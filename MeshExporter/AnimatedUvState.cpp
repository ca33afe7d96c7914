#include "MeshExporter/AnimatedUvState.h"

namespace vx {

AnimatedUvState& animatedUvState() {
    static AnimatedUvState state;
    return state;
}

} // namespace vx
