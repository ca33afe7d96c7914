#include "tests/graphics/RenderTestSupport.h"

#include <win32window.h>

#include <cstring>
#include <fstream>

namespace vx::test {

const QuadVertex kQuad[4] = {
    {{1, 0, 2, 0}, 0.0f, 0.0f},
    {{1, 0, 2, 2}, 1.0f, 0.0f},
    {{1, 0, 0, 0}, 0.0f, 1.0f},
    {{1, 0, 0, 2}, 1.0f, 1.0f},
};

const D3DVERTEXELEMENT9 kQuadDeclaration[3] = {
    {0, 0, D3DDECLTYPE_UBYTE4, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {0, 4, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    D3DDECL_END()};

void RenderingDevice::SetUp() {
    m_d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(m_d3d, nullptr);
    D3DPRESENT_PARAMETERS parameters = {};
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    const HRESULT hr = m_d3d->CreateDevice(
        D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, GetDesktopWindow(),
        D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_PUREDEVICE, &parameters, &m_device);
    ASSERT_EQ(hr, D3D_OK) << DXGetErrorString9A(hr);
    ASSERT_EQ(m_device->CreateVertexDeclaration(kQuadDeclaration, m_quadDeclaration.out()), D3D_OK);
    *m_quadBuffer.out() = vertexBufferWith(kQuad, sizeof kQuad, D3DUSAGE_WRITEONLY);
}

IDirect3DVertexBuffer9* RenderingDevice::vertexBufferWith(const void* data, UINT bytes,
                                                          DWORD usage) {
    IDirect3DVertexBuffer9* buffer = nullptr;
    EXPECT_EQ(m_device->CreateVertexBuffer(bytes, usage, 0, D3DPOOL_MANAGED, &buffer, nullptr),
              D3D_OK);
    void* locked = nullptr;
    EXPECT_EQ(buffer->Lock(0, 0, &locked, 0), D3D_OK);
    std::memcpy(locked, data, bytes);
    EXPECT_EQ(buffer->Unlock(), D3D_OK);
    return buffer;
}

void RenderingDevice::TearDown() {
    m_quadBuffer.reset();
    m_quadDeclaration.reset();
    if (m_device) {
        EXPECT_EQ(m_device->Release(), 0u);
    }
    if (m_d3d) {
        EXPECT_EQ(m_d3d->Release(), 0u);
    }
}

ID3DXEffect* RenderingDevice::loadEffect(const std::string& text) {
    const std::string path = m_dir.file("effect" + std::to_string(m_effectFiles++) + ".fx");
    std::ofstream(path, std::ios::binary) << text;
    ID3DXEffect* effect = nullptr;
    ID3DXBuffer* errors = nullptr;
    const HRESULT hr =
        D3DXCreateEffectFromFileA(m_device, path.c_str(), nullptr, nullptr,
                                  D3DXSHADER_SKIPOPTIMIZATION, nullptr, &effect, &errors);
    if (errors) {
        ADD_FAILURE() << static_cast<const char*>(errors->GetBufferPointer());
        errors->Release();
    }
    EXPECT_EQ(hr, D3D_OK) << DXGetErrorString9A(hr);
    return effect;
}

IDirect3DTexture9* RenderingDevice::renderTarget(UINT width, UINT height) {
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(m_device->CreateTexture(width, height, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                                      D3DPOOL_DEFAULT, &texture, nullptr),
              D3D_OK);
    return texture;
}

IDirect3DTexture9* RenderingDevice::textureWith(UINT width, UINT height,
                                                const std::vector<std::uint32_t>& argb) {
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(m_device->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                      &texture, nullptr),
              D3D_OK);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    for (UINT y = 0; y < height; ++y)
        std::memcpy(static_cast<std::uint8_t*>(locked.pBits) + y * UINT(locked.Pitch),
                    argb.data() + y * width, width * 4);
    EXPECT_EQ(texture->UnlockRect(0), D3D_OK);
    return texture;
}

std::vector<std::uint32_t> RenderingDevice::texels(IDirect3DTexture9* texture) {
    D3DSURFACE_DESC desc{};
    EXPECT_EQ(texture->GetLevelDesc(0, &desc), D3D_OK);
    ComPtr<IDirect3DTexture9> copy;
    EXPECT_EQ(m_device->CreateTexture(desc.Width, desc.Height, 1, 0, D3DFMT_A8R8G8B8,
                                      D3DPOOL_SYSTEMMEM, copy.out(), nullptr),
              D3D_OK);
    ComPtr<IDirect3DSurface9> from;
    ComPtr<IDirect3DSurface9> to;
    EXPECT_EQ(texture->GetSurfaceLevel(0, from.out()), D3D_OK);
    EXPECT_EQ(copy->GetSurfaceLevel(0, to.out()), D3D_OK);
    EXPECT_EQ(D3DXLoadSurfaceFromSurface(to.get(), nullptr, nullptr, from.get(), nullptr, nullptr,
                                         D3DX_DEFAULT, 0),
              D3D_OK);
    D3DLOCKED_RECT locked{};
    EXPECT_EQ(copy->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    std::vector<std::uint32_t> out(std::size_t{desc.Width} * desc.Height);
    for (UINT y = 0; y < desc.Height; ++y)
        std::memcpy(out.data() + y * desc.Width,
                    static_cast<const std::uint8_t*>(locked.pBits) + y * UINT(locked.Pitch),
                    desc.Width * 4);
    EXPECT_EQ(copy->UnlockRect(0), D3D_OK);
    return out;
}

void RenderingDevice::drawQuad(ID3DXEffect* effect, IDirect3DSurface9* target) {
    if (target) {
        ASSERT_EQ(m_device->SetRenderTarget(0, target), D3D_OK);
    }
    ASSERT_EQ(m_device->SetVertexDeclaration(m_quadDeclaration.get()), D3D_OK);
    ASSERT_EQ(m_device->SetStreamSource(0, m_quadBuffer.get(), 0, sizeof(QuadVertex)), D3D_OK);
    drawInPass(effect,
               [&] { EXPECT_EQ(m_device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3D_OK); });
}

void RenderingDevice::drawInPass(ID3DXEffect* effect, const std::function<void()>& draw) {
    UINT passes = 0;
    ASSERT_EQ(effect->Begin(&passes, 0), D3D_OK);
    ASSERT_GE(passes, 1u);
    ASSERT_EQ(effect->BeginPass(0), D3D_OK);
    EXPECT_EQ(m_device->BeginScene(), D3D_OK);
    draw();
    EXPECT_EQ(m_device->EndScene(), D3D_OK);
    EXPECT_EQ(effect->EndPass(), D3D_OK);
    EXPECT_EQ(effect->End(), D3D_OK);
}

} // namespace vx::test
