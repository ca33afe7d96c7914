#pragma once
// A colour (RGBA8) and depth (24-bit) framebuffer object, bound while it lives: the target of
// every offscreen draw, since the context has no default framebuffer. Needs a current context.
#include <vector>

namespace vxgl {

class Framebuffer {
public:
    Framebuffer(int width, int height);
    ~Framebuffer();
    Framebuffer(const Framebuffer&) = delete;
    Framebuffer& operator=(const Framebuffer&) = delete;

    // False when the driver cannot draw into this combination of buffers and size.
    bool complete() const;

    // What was drawn, as RGBA8 rows from the top (OpenGL reads them from the bottom).
    std::vector<unsigned char> readTopDown() const;

private:
    int m_width;
    int m_height;
    unsigned m_framebuffer = 0;
    unsigned m_renderbuffers[2] = {0, 0};
};

} // namespace vxgl
