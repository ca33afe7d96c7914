#pragma once
// The Direct3D device: for mesh work only (no rendering core), or rendering on an offscreen
// OpenGL context. Keeps what is bound to it (declaration, stream, indices, render target) held
// until replaced or until the device goes.
#include "d3d9.h"
#include "device/ComObject.h"
#include "device/GpuBuffer.h"
#include "device/RenderCore.h"
#include "device/Surface.h"
#include "device/VertexDeclaration.h"

#include <memory>

namespace vornexgfx {

class Texture;

class Device final : public ComObject<IDirect3DDevice9> {
public:
    // A device for mesh work only.
    Device() = default;
    // A rendering device with a back buffer of the given size (0 counts as 1).
    Device(std::shared_ptr<RenderCore> core, UINT backBufferWidth, UINT backBufferHeight);

    HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
                                    IDirect3DVertexDeclaration9** declaration) override;
    HRESULT SetVertexDeclaration(IDirect3DVertexDeclaration9* declaration) override;
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                               IDirect3DVertexBuffer9** buffer, HANDLE* sharedHandle) override;
    HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DIndexBuffer9** buffer, HANDLE* sharedHandle) override;
    HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset,
                            UINT stride) override;
    HRESULT SetIndices(IDirect3DIndexBuffer9* buffer) override;
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DTexture9** texture, HANDLE* sharedHandle) override;
    HRESULT CreateRenderTarget(UINT width, UINT height, D3DFORMAT format,
                               D3DMULTISAMPLE_TYPE multiSample, DWORD multisampleQuality,
                               BOOL lockable, IDirect3DSurface9** surface,
                               HANDLE* sharedHandle) override;
    HRESULT GetRenderTarget(DWORD index, IDirect3DSurface9** surface) override;
    HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* surface) override;
    HRESULT SetViewport(const D3DVIEWPORT9* viewport) override;
    HRESULT GetViewport(D3DVIEWPORT9* viewport) override;
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                  DWORD stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertexIndex, UINT minVertexIndex,
                                 UINT numVertices, UINT startIndex, UINT primCount) override;

    // Null for a device that does not render.
    const std::shared_ptr<RenderCore>& core() const { return m_core; }
    // A texture of this device; null when the description is not one the device offers.
    Texture* createTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                           D3DPOOL pool);

private:
    // Attaches the render target to the draw framebuffer, with its viewport.
    void bindTarget() const;
    // Points the vertex inputs of the active program at the stream; false when the stream,
    // declaration or program is missing. `vertexCount` receives how many whole vertices the
    // stream holds.
    bool bindVertexInputs(std::uint64_t& vertexCount) const;

    std::shared_ptr<RenderCore> m_core;
    Held<Surface> m_backBuffer;
    Held<Surface> m_renderTarget;
    Held<VertexDeclaration> m_declaration;
    Held<VertexBuffer> m_stream;
    UINT m_streamOffset = 0;
    UINT m_streamStride = 0;
    Held<IndexBuffer> m_indices;
    D3DVIEWPORT9 m_viewport{0, 0, 1, 1, 0.0f, 1.0f};
    bool m_inScene = false;
};

} // namespace vornexgfx
