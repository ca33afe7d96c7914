#include "device/GpuBuffer.h"

namespace vornexgfx {

GpuBufferStore::GpuBufferStore(std::shared_ptr<RenderCore> core, UINT length)
    : m_core(std::move(core)), m_bytes(length, 0) {
    if (!m_core)
        return;
    m_core->use();
    glCreateBuffers(1, &m_name);
    glNamedBufferData(m_name, static_cast<GLsizeiptr>(length), m_bytes.data(), GL_DYNAMIC_DRAW);
}

GpuBufferStore::~GpuBufferStore() {
    if (!m_core)
        return;
    m_core->use();
    glDeleteBuffers(1, &m_name);
}

HRESULT GpuBufferStore::lock(UINT offset, UINT size, void** data, DWORD flags) {
    if (!data || m_locked || offset > m_bytes.size())
        return D3DERR_INVALIDCALL;
    if (size == 0)
        size = static_cast<UINT>(m_bytes.size() - offset);
    if (std::uint64_t{offset} + size > m_bytes.size())
        return D3DERR_INVALIDCALL;
    m_locked = true;
    m_lockOffset = offset;
    m_lockSize = size;
    m_lockFlags = flags;
    *data = m_bytes.data() + offset;
    return D3D_OK;
}

HRESULT GpuBufferStore::unlock() {
    if (!m_locked)
        return D3DERR_INVALIDCALL;
    m_locked = false;
    if (m_core && !(m_lockFlags & D3DLOCK_READONLY) && m_lockSize > 0) {
        m_core->use();
        glNamedBufferSubData(m_name, static_cast<GLintptr>(m_lockOffset),
                             static_cast<GLsizeiptr>(m_lockSize), m_bytes.data() + m_lockOffset);
    }
    return D3D_OK;
}

} // namespace vornexgfx
