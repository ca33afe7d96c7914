#include "vornexgl/OffscreenContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vxgl {
namespace {

std::string eglErrorText(const char* what) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(eglGetError()));
    return std::string(what) + " failed (EGL error " + code + ")";
}

bool disabledByEnvironment() {
    const char* value = std::getenv("VORNEX_GL");
    return value != nullptr && std::strcmp(value, "off") == 0;
}

} // namespace

std::unique_ptr<OffscreenContext> OffscreenContext::create(std::string& error) {
    if (disabledByEnvironment()) {
        error = "no OpenGL context: disabled by VORNEX_GL=off";
        return nullptr;
    }
    const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (clientExtensions == nullptr ||
        std::strstr(clientExtensions, "EGL_MESA_platform_surfaceless") == nullptr) {
        error = "no OpenGL context: EGL offers no surfaceless platform (is Mesa's EGL installed?)";
        return nullptr;
    }
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) {
        error = "no OpenGL context: eglGetPlatformDisplayEXT is missing";
        return nullptr;
    }
    EGLDisplay display =
        getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0;
    EGLint minor = 0;
    if (display == EGL_NO_DISPLAY || eglInitialize(display, &major, &minor) != EGL_TRUE) {
        error = "no OpenGL context: " + eglErrorText("eglInitialize");
        return nullptr;
    }
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) {
        error = "no OpenGL context: " + eglErrorText("eglBindAPI");
        eglTerminate(display);
        return nullptr;
    }
    const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT) {
        error = "no OpenGL context: " + eglErrorText("eglCreateContext");
        eglTerminate(display);
        return nullptr;
    }
    std::unique_ptr<OffscreenContext> result(new OffscreenContext(display, context));
    if (!result->makeCurrent()) {
        error = "no OpenGL context: " + eglErrorText("eglMakeCurrent");
        return nullptr;
    }
    return result;
}

OffscreenContext::OffscreenContext(void* display, void* context)
    : m_display(display), m_context(context) {}

OffscreenContext::~OffscreenContext() {
    if (eglGetCurrentContext() == m_context)
        eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(m_display, m_context);
    // The display is shared by every context of the process (EGL hands out one per platform), so
    // terminating it here would pull it from under a context that is still alive.
}

bool OffscreenContext::makeCurrent() const {
    return eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, m_context) == EGL_TRUE;
}

} // namespace vxgl
