#pragma once
// What a rendering device shares with every object it made: the OpenGL context, the
// framebuffer objects it draws and copies through, the sampler objects, and the effect pass in
// progress. Objects keep the core alive, so the context outlives every GL name made in it.
#include "vornexgfx/EffectSource.h"
#include "vornexgl/OffscreenContext.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <memory>
#include <string>

namespace vornexgfx {

class RenderCore {
public:
    // Null with a sentence in `error` when no context can be had.
    static std::shared_ptr<RenderCore> create(std::string& error);
    ~RenderCore();
    RenderCore(const RenderCore&) = delete;
    RenderCore& operator=(const RenderCore&) = delete;

    // Makes the context current on this thread; every GL call of the device is preceded by it,
    // since other contexts (the host's viewport, other devices) share the thread.
    void use() const;

    GLuint drawFramebuffer() const { return m_drawFramebuffer; }
    GLuint readFramebuffer() const { return m_readFramebuffer; }
    GLuint vertexArray() const { return m_vertexArray; }
    GLuint sampler(SamplerFilter filter, SamplerAddress address) const;

    // The program of the effect pass begun on the device, 0 when none.
    GLuint activeProgram = 0;

private:
    explicit RenderCore(std::unique_ptr<vxgl::OffscreenContext> context);
    std::unique_ptr<vxgl::OffscreenContext> m_context;
    GLuint m_drawFramebuffer = 0;
    GLuint m_readFramebuffer = 0;
    GLuint m_vertexArray = 0;
    std::array<GLuint, 6> m_samplers{};
};

} // namespace vornexgfx
