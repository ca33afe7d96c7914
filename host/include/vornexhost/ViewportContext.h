#pragma once
// The OpenGL context of the host's viewport: made on first use, kept until the process ends.
#include <string>

namespace vxgl {
class OffscreenContext;
}

namespace vornexhost {

// The context, current on return; null with a sentence in `error` when none can be made
// (VORNEX_GL=off, or no usable OpenGL). A failure is remembered: later calls fail the same way.
vxgl::OffscreenContext* viewportContext(std::string& error);

// Whether a context exists already (no attempt is made).
bool hasViewportContext();

} // namespace vornexhost
