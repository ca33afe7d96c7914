#pragma once
// Vertex and index buffers: the bytes kept in memory, where Lock hands them out, and in an
// OpenGL buffer object that Unlock brings up to date. Devices without a rendering context keep
// the memory copy only.
#include "d3d9.h"
#include "device/ComObject.h"
#include "device/RenderCore.h"

#include <memory>
#include <vector>

namespace vornexgfx {

class GpuBufferStore {
public:
    GpuBufferStore(std::shared_ptr<RenderCore> core, UINT length);
    ~GpuBufferStore();
    GpuBufferStore(const GpuBufferStore&) = delete;
    GpuBufferStore& operator=(const GpuBufferStore&) = delete;

    HRESULT lock(UINT offset, UINT size, void** data, DWORD flags);
    HRESULT unlock();
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    GLuint name() const { return m_name; }

private:
    std::shared_ptr<RenderCore> m_core;
    std::vector<std::uint8_t> m_bytes;
    GLuint m_name = 0;
    bool m_locked = false;
    UINT m_lockOffset = 0;
    UINT m_lockSize = 0;
    DWORD m_lockFlags = 0;
};

class VertexBuffer final : public ComObject<IDirect3DVertexBuffer9> {
public:
    VertexBuffer(std::shared_ptr<RenderCore> core, UINT length)
        : m_store(std::move(core), length) {}
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override {
        return m_store.lock(offset, size, data, flags);
    }
    HRESULT Unlock() override { return m_store.unlock(); }
    const GpuBufferStore& store() const { return m_store; }

private:
    GpuBufferStore m_store;
};

class IndexBuffer final : public ComObject<IDirect3DIndexBuffer9> {
public:
    IndexBuffer(std::shared_ptr<RenderCore> core, UINT length, D3DFORMAT format)
        : m_store(std::move(core), length), m_format(format) {}
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override {
        return m_store.lock(offset, size, data, flags);
    }
    HRESULT Unlock() override { return m_store.unlock(); }
    const GpuBufferStore& store() const { return m_store; }
    // D3DFMT_INDEX16 or D3DFMT_INDEX32.
    D3DFORMAT format() const { return m_format; }
    UINT indexBytes() const { return m_format == D3DFMT_INDEX32 ? 4 : 2; }

private:
    GpuBufferStore m_store;
    D3DFORMAT m_format;
};

} // namespace vornexgfx
