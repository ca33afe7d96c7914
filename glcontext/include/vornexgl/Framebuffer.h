#pragma once
// A colour (RGBA8) and depth (24-bit) framebuffer object, bound while it lives: the target of
// every offscreen draw, since the context has no default framebuffer. Needs a current context.
namespace vxgl {

class Framebuffer {
public:
    Framebuffer(int width, int height);
    ~Framebuffer();
    Framebuffer(const Framebuffer&) = delete;
    Framebuffer& operator=(const Framebuffer&) = delete;

    // False when the driver cannot draw into this combination of buffers and size.
    bool complete() const;

private:
    unsigned m_framebuffer = 0;
    unsigned m_renderbuffers[2] = {0, 0};
};

} // namespace vxgl
