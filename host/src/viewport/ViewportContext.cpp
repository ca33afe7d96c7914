#include <vornexhost/ViewportContext.h>

#include "vornexgl/OffscreenContext.h"

#include <memory>

namespace vornexhost {
namespace {

struct ContextState {
    std::unique_ptr<vxgl::OffscreenContext> context;
    bool tried = false;
    std::string error;
};

ContextState& state() {
    static ContextState s;
    return s;
}

} // namespace

vxgl::OffscreenContext* viewportContext(std::string& error) {
    ContextState& s = state();
    if (!s.tried) {
        s.tried = true;
        s.context = vxgl::OffscreenContext::create(s.error);
    }
    if (!s.context) {
        error = s.error;
        return nullptr;
    }
    if (!s.context->makeCurrent()) {
        error = "the viewport's OpenGL context cannot be made current";
        return nullptr;
    }
    return s.context.get();
}

bool hasViewportContext() {
    return state().context != nullptr;
}

} // namespace vornexhost
