#pragma once
// An OpenGL context without a window or display: Mesa's surfaceless EGL platform, which renders
// on the CPU (llvmpipe) when there is no GPU. Drawing goes to framebuffer objects; there is no
// default framebuffer. Shared by the host's viewport and the graphics stand-in's device.
#include <memory>
#include <string>

namespace vxgl {

class OffscreenContext {
public:
    // A compatibility-profile context (fixed-function calls and GLSL both work), made current on
    // the calling thread. Returns null and sets `error` to a sentence naming what failed when the
    // machine offers no such context, or when VORNEX_GL=off asks to behave as if it did not.
    static std::unique_ptr<OffscreenContext> create(std::string& error);

    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    // Makes this context current on the calling thread again (another context may have been).
    bool makeCurrent() const;

private:
    OffscreenContext(void* display, void* context);
    void* m_display;
    void* m_context;
};

} // namespace vxgl
