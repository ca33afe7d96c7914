#include "device/Device.h"

#include "device/Texture.h"
#include "device/TextureFormats.h"

#include <algorithm>
#include <cstring>

namespace vornexgfx {
namespace {

constexpr GLuint kMaxVertexInputs = 16;

struct AttributeFormat {
    GLint size;
    GLenum type;
    GLboolean normalised;
};

AttributeFormat attributeFormat(BYTE type) {
    switch (type) {
    case D3DDECLTYPE_FLOAT1:
        return {1, GL_FLOAT, GL_FALSE};
    case D3DDECLTYPE_FLOAT2:
        return {2, GL_FLOAT, GL_FALSE};
    case D3DDECLTYPE_FLOAT3:
        return {3, GL_FLOAT, GL_FALSE};
    case D3DDECLTYPE_FLOAT4:
        return {4, GL_FLOAT, GL_FALSE};
    case D3DDECLTYPE_D3DCOLOR:
        // Bytes B, G, R, A in memory; GL_BGRA puts them back in r, g, b, a order.
        return {GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE};
    case D3DDECLTYPE_UBYTE4:
        return {4, GL_UNSIGNED_BYTE, GL_FALSE};
    case D3DDECLTYPE_SHORT2:
        return {2, GL_SHORT, GL_FALSE};
    default:
        return {4, GL_SHORT, GL_FALSE};
    }
}

// Vertices a primitive count draws, 0 for primitive types the device does not draw.
std::uint64_t verticesFor(D3DPRIMITIVETYPE type, UINT count) {
    if (type == D3DPT_TRIANGLELIST)
        return std::uint64_t{count} * 3;
    if (type == D3DPT_TRIANGLESTRIP)
        return std::uint64_t{count} + 2;
    return 0;
}

GLenum glMode(D3DPRIMITIVETYPE type) {
    return type == D3DPT_TRIANGLESTRIP ? GL_TRIANGLE_STRIP : GL_TRIANGLES;
}

HRESULT drawResult() {
    return glGetError() == GL_NO_ERROR ? D3D_OK : D3DERR_DRIVERINTERNALERROR;
}

} // namespace

Device::Device(std::shared_ptr<RenderCore> core, UINT backBufferWidth, UINT backBufferHeight)
    : m_core(std::move(core)) {
    TextureDesc desc;
    desc.width = std::max(1u, backBufferWidth);
    desc.height = std::max(1u, backBufferHeight);
    desc.usage = D3DUSAGE_RENDERTARGET;
    desc.pool = D3DPOOL_DEFAULT;
    auto* backBuffer = new Surface(std::make_shared<TextureStorage>(m_core, desc), false);
    m_backBuffer = Held<Surface>(backBuffer);
    m_renderTarget = m_backBuffer;
    backBuffer->Release(); // the device's holds keep it
    m_viewport = {0, 0, desc.width, desc.height, 0.0f, 1.0f};
}

HRESULT Device::CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
                                        IDirect3DVertexDeclaration9** declaration) {
    if (!declaration)
        return D3DERR_INVALIDCALL;
    *declaration = VertexDeclaration::create(elements);
    return *declaration ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT Device::SetVertexDeclaration(IDirect3DVertexDeclaration9* declaration) {
    auto* own = dynamic_cast<VertexDeclaration*>(declaration);
    if (declaration && !own)
        return D3DERR_INVALIDCALL;
    m_declaration = Held<VertexDeclaration>(own);
    return D3D_OK;
}

HRESULT Device::CreateVertexBuffer(UINT length, DWORD, DWORD, D3DPOOL,
                                   IDirect3DVertexBuffer9** buffer, HANDLE* sharedHandle) {
    if (!buffer || length == 0 || sharedHandle)
        return D3DERR_INVALIDCALL;
    *buffer = new VertexBuffer(m_core, length);
    return D3D_OK;
}

HRESULT Device::CreateIndexBuffer(UINT length, DWORD, D3DFORMAT format, D3DPOOL,
                                  IDirect3DIndexBuffer9** buffer, HANDLE* sharedHandle) {
    if (!buffer || length == 0 || sharedHandle ||
        (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32))
        return D3DERR_INVALIDCALL;
    *buffer = new IndexBuffer(m_core, length, format);
    return D3D_OK;
}

HRESULT Device::SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset,
                                UINT stride) {
    auto* own = dynamic_cast<VertexBuffer*>(buffer);
    if (stream != 0 || (buffer && !own))
        return D3DERR_INVALIDCALL;
    m_stream = Held<VertexBuffer>(own);
    m_streamOffset = offset;
    m_streamStride = stride;
    return D3D_OK;
}

HRESULT Device::SetIndices(IDirect3DIndexBuffer9* buffer) {
    auto* own = dynamic_cast<IndexBuffer*>(buffer);
    if (buffer && !own)
        return D3DERR_INVALIDCALL;
    m_indices = Held<IndexBuffer>(own);
    return D3D_OK;
}

Texture* Device::createTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                               D3DPOOL pool) {
    if (!m_core || width == 0 || height == 0 || width > kMaxTextureSide ||
        height > kMaxTextureSide || !isTextureFormat(format) ||
        (usage & ~(D3DUSAGE_RENDERTARGET | D3DUSAGE_DYNAMIC)) != 0)
        return nullptr;
    const UINT chain = fullMipChain(width, height);
    if (levels == 0)
        levels = chain;
    if (levels > chain)
        return nullptr;
    if ((usage & D3DUSAGE_RENDERTARGET) &&
        (pool != D3DPOOL_DEFAULT || (format != D3DFMT_A8R8G8B8 && format != D3DFMT_X8R8G8B8)))
        return nullptr;
    const TextureDesc desc{width, height, levels, format, usage, pool};
    return new Texture(std::make_shared<TextureStorage>(m_core, desc));
}

HRESULT Device::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                              D3DPOOL pool, IDirect3DTexture9** texture, HANDLE* sharedHandle) {
    if (!texture || sharedHandle)
        return D3DERR_INVALIDCALL;
    *texture = createTexture(width, height, levels, usage, format, pool);
    return *texture ? D3D_OK : D3DERR_INVALIDCALL;
}

HRESULT Device::CreateRenderTarget(UINT width, UINT height, D3DFORMAT format,
                                   D3DMULTISAMPLE_TYPE multiSample, DWORD, BOOL lockable,
                                   IDirect3DSurface9** surface, HANDLE* sharedHandle) {
    if (!surface || sharedHandle)
        return D3DERR_INVALIDCALL;
    *surface = nullptr;
    if (!m_core || width == 0 || height == 0 || width > kMaxTextureSide ||
        height > kMaxTextureSide || multiSample != D3DMULTISAMPLE_NONE ||
        (format != D3DFMT_A8R8G8B8 && format != D3DFMT_X8R8G8B8))
        return D3DERR_INVALIDCALL;
    const TextureDesc desc{width, height, 1, format, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT};
    *surface = new Surface(std::make_shared<TextureStorage>(m_core, desc), lockable != 0);
    return D3D_OK;
}

HRESULT Device::GetRenderTarget(DWORD index, IDirect3DSurface9** surface) {
    if (!surface || index != 0 || !m_renderTarget)
        return D3DERR_INVALIDCALL;
    m_renderTarget->AddRef();
    *surface = m_renderTarget.get();
    return D3D_OK;
}

HRESULT Device::SetRenderTarget(DWORD index, IDirect3DSurface9* surface) {
    auto* own = dynamic_cast<Surface*>(surface);
    if (!m_core || index != 0 || !own || !own->isRenderTarget() ||
        &own->storage().core() != m_core.get())
        return D3DERR_INVALIDCALL;
    m_renderTarget = Held<Surface>(own);
    m_viewport = {0, 0, own->width(), own->height(), 0.0f, 1.0f};
    return D3D_OK;
}

HRESULT Device::SetViewport(const D3DVIEWPORT9* viewport) {
    if (!viewport || !m_renderTarget)
        return D3DERR_INVALIDCALL;
    const D3DVIEWPORT9& v = *viewport;
    if (v.Width == 0 || v.Height == 0 || std::uint64_t{v.X} + v.Width > m_renderTarget->width() ||
        std::uint64_t{v.Y} + v.Height > m_renderTarget->height() || !(v.MinZ >= 0.0f) ||
        !(v.MaxZ <= 1.0f) || !(v.MinZ <= v.MaxZ))
        return D3DERR_INVALIDCALL;
    m_viewport = v;
    return D3D_OK;
}

HRESULT Device::GetViewport(D3DVIEWPORT9* viewport) {
    if (!viewport)
        return D3DERR_INVALIDCALL;
    *viewport = m_viewport;
    return D3D_OK;
}

void Device::bindTarget() const {
    m_core->use();
    const Surface& target = *m_renderTarget;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_core->drawFramebuffer());
    glNamedFramebufferTexture(m_core->drawFramebuffer(), GL_COLOR_ATTACHMENT0,
                              target.storage().name(), static_cast<GLint>(target.level()));
    glNamedFramebufferDrawBuffer(m_core->drawFramebuffer(), GL_COLOR_ATTACHMENT0);
    // Row 0 of every surface is its top row, so viewport and scissor rows need no flip.
    glViewport(static_cast<GLint>(m_viewport.X), static_cast<GLint>(m_viewport.Y),
               static_cast<GLsizei>(m_viewport.Width), static_cast<GLsizei>(m_viewport.Height));
    glDepthRangef(m_viewport.MinZ, m_viewport.MaxZ);
    const GLboolean alpha = target.storage().desc().format == D3DFMT_X8R8G8B8 ? GL_FALSE : GL_TRUE;
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, alpha);
}

HRESULT Device::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float,
                      DWORD) {
    if (!m_core || flags != D3DCLEAR_TARGET || (count > 0 && !rects))
        return D3DERR_INVALIDCALL;
    bindTarget();
    glClearColor(static_cast<float>((color >> 16) & 0xFF) / 255.0f,
                 static_cast<float>((color >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(color & 0xFF) / 255.0f,
                 static_cast<float>((color >> 24) & 0xFF) / 255.0f);
    const D3DRECT whole{static_cast<LONG>(m_viewport.X), static_cast<LONG>(m_viewport.Y),
                        static_cast<LONG>(m_viewport.X + m_viewport.Width),
                        static_cast<LONG>(m_viewport.Y + m_viewport.Height)};
    glEnable(GL_SCISSOR_TEST);
    for (DWORD i = 0; i < std::max<DWORD>(count, 1); ++i) {
        const D3DRECT area = count > 0 ? rects[i] : whole;
        const LONG x1 = std::max(area.x1, whole.x1);
        const LONG y1 = std::max(area.y1, whole.y1);
        const LONG x2 = std::min(area.x2, whole.x2);
        const LONG y2 = std::min(area.y2, whole.y2);
        if (x1 >= x2 || y1 >= y2)
            continue;
        glScissor(x1, y1, x2 - x1, y2 - y1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
    return drawResult();
}

HRESULT Device::BeginScene() {
    if (!m_core || m_inScene)
        return D3DERR_INVALIDCALL;
    m_inScene = true;
    return D3D_OK;
}

HRESULT Device::EndScene() {
    if (!m_inScene)
        return D3DERR_INVALIDCALL;
    m_inScene = false;
    return D3D_OK;
}

bool Device::bindVertexInputs(std::uint64_t& vertexCount) const {
    if (!m_core || !m_inScene || m_core->activeProgram == 0 || !m_declaration || !m_stream ||
        m_streamStride == 0)
        return false;
    std::uint64_t vertexEnd = 0;
    for (const D3DVERTEXELEMENT9& e : m_declaration->elements()) {
        if (e.Stream != 0)
            return false;
        vertexEnd = std::max<std::uint64_t>(vertexEnd, e.Offset + D3DDeclTypeSize(e.Type));
    }
    const std::uint64_t size = m_stream->store().bytes().size();
    vertexCount = size < m_streamOffset + vertexEnd
                      ? 0
                      : (size - m_streamOffset - vertexEnd) / m_streamStride + 1;
    m_core->use();
    const GLuint program = m_core->activeProgram;
    glBindVertexArray(m_core->vertexArray());
    for (GLuint i = 0; i < kMaxVertexInputs; ++i)
        glDisableVertexAttribArray(i);
    glBindBuffer(GL_ARRAY_BUFFER, m_stream->store().name());
    const auto& elements = m_declaration->elements();
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const GLint location = glGetAttribLocation(program, m_declaration->inputNames()[i].c_str());
        if (location < 0 || static_cast<GLuint>(location) >= kMaxVertexInputs)
            continue;
        const AttributeFormat format = attributeFormat(elements[i].Type);
        const std::uintptr_t offset = std::uintptr_t{m_streamOffset} + elements[i].Offset;
        glVertexAttribPointer(static_cast<GLuint>(location), format.size, format.type,
                              format.normalised, static_cast<GLsizei>(m_streamStride),
                              reinterpret_cast<const void*>(offset));
        glEnableVertexAttribArray(static_cast<GLuint>(location));
    }
    return true;
}

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) {
    const std::uint64_t count = verticesFor(type, primitiveCount);
    if (count == 0)
        return D3DERR_INVALIDCALL;
    std::uint64_t vertexCount = 0;
    if (!bindVertexInputs(vertexCount) || startVertex + count > vertexCount)
        return D3DERR_INVALIDCALL;
    bindTarget();
    glDrawArrays(glMode(type), static_cast<GLint>(startVertex), static_cast<GLsizei>(count));
    return drawResult();
}

HRESULT Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertexIndex, UINT, UINT,
                                     UINT startIndex, UINT primCount) {
    const std::uint64_t count = verticesFor(type, primCount);
    if (count == 0 || !m_indices)
        return D3DERR_INVALIDCALL;
    std::uint64_t vertexCount = 0;
    if (!bindVertexInputs(vertexCount))
        return D3DERR_INVALIDCALL;
    const std::vector<std::uint8_t>& bytes = m_indices->store().bytes();
    const UINT indexBytes = m_indices->indexBytes();
    if (std::uint64_t{startIndex} + count > bytes.size() / indexBytes)
        return D3DERR_INVALIDCALL;
    // Every vertex an index reaches must lie in the stream: the GPU would read past it.
    for (std::uint64_t i = startIndex; i < startIndex + count; ++i) {
        std::uint32_t index = 0;
        std::memcpy(&index, bytes.data() + i * indexBytes, indexBytes);
        const std::int64_t vertex = std::int64_t{index} + baseVertexIndex;
        if (vertex < 0 || static_cast<std::uint64_t>(vertex) >= vertexCount)
            return D3DERR_INVALIDCALL;
    }
    bindTarget();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indices->store().name());
    glDrawElementsBaseVertex(glMode(type), static_cast<GLsizei>(count),
                             indexBytes == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                             reinterpret_cast<const void*>(std::uintptr_t{startIndex} * indexBytes),
                             baseVertexIndex);
    return drawResult();
}

} // namespace vornexgfx
