#include "device/RenderCore.h"

namespace vornexgfx {

std::shared_ptr<RenderCore> RenderCore::create(std::string& error) {
    auto context = vxgl::OffscreenContext::create(error);
    if (!context)
        return nullptr;
    return std::shared_ptr<RenderCore>(new RenderCore(std::move(context)));
}

RenderCore::RenderCore(std::unique_ptr<vxgl::OffscreenContext> context)
    : m_context(std::move(context)) {
    use();
    // Created, not only named: the direct-state calls need the objects to exist.
    glCreateFramebuffers(1, &m_drawFramebuffer);
    glCreateFramebuffers(1, &m_readFramebuffer);
    glCreateVertexArrays(1, &m_vertexArray);
    glCreateSamplers(static_cast<GLsizei>(m_samplers.size()), m_samplers.data());
    const GLint wraps[] = {GL_CLAMP_TO_EDGE, GL_REPEAT, GL_MIRRORED_REPEAT};
    for (std::size_t i = 0; i < m_samplers.size(); ++i) {
        const bool linear = i < 3;
        const GLint wrap = wraps[i % 3];
        glSamplerParameteri(m_samplers[i], GL_TEXTURE_MIN_FILTER,
                            linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_NEAREST);
        glSamplerParameteri(m_samplers[i], GL_TEXTURE_MAG_FILTER, linear ? GL_LINEAR : GL_NEAREST);
        glSamplerParameteri(m_samplers[i], GL_TEXTURE_WRAP_S, wrap);
        glSamplerParameteri(m_samplers[i], GL_TEXTURE_WRAP_T, wrap);
    }
    // Direct3D's conventions: clip-space y = +1 lands on row 0 (the top row of every surface)
    // and z runs 0 to 1.
    glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

RenderCore::~RenderCore() {
    use();
    glDeleteSamplers(static_cast<GLsizei>(m_samplers.size()), m_samplers.data());
    glDeleteVertexArrays(1, &m_vertexArray);
    glDeleteFramebuffers(1, &m_readFramebuffer);
    glDeleteFramebuffers(1, &m_drawFramebuffer);
}

void RenderCore::use() const {
    m_context->makeCurrent();
}

GLuint RenderCore::sampler(SamplerFilter filter, SamplerAddress address) const {
    const std::size_t row = filter == SamplerFilter::Linear ? 0 : 3;
    return m_samplers[row + static_cast<std::size_t>(address)];
}

} // namespace vornexgfx
