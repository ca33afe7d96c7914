// The rendering device: passes drawn into render targets, sampling, target switches, indexed
// and strip draws over a UBYTE4 quad, buffer range checks, and reference counts; and the hidden
// window it is made for.
#include "tests/graphics/RenderTestSupport.h"

#include <win32window.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <tuple>

namespace vx::test {
namespace {

std::string effect(const char* name) {
    return readWholeFile(VORNEX_TEST_DATA_DIR "/graphics/" + std::string(name));
}

const std::string kFill = effect("fill.fx");
const std::string kCopy = effect("copy.fx");
const std::string kShowUv = effect("show_uv.fx");

IDirect3DSurface9* level0(IDirect3DTexture9* texture) {
    IDirect3DSurface9* surface = nullptr;
    EXPECT_EQ(texture->GetSurfaceLevel(0, &surface), D3D_OK);
    return surface;
}

void setColour(ID3DXEffect* effect, float r, float g, float b, float a) {
    const D3DXVECTOR4 value(r, g, b, a);
    ASSERT_EQ(effect->SetVector(effect->GetParameterByName(nullptr, "colour"), &value), D3D_OK);
}

TEST_F(RenderingDevice, ConstantColourPassFillsTheViewportOfARenderTargetTexture) {
    ComPtr<ID3DXEffect> effect(loadEffect(kFill));
    ASSERT_TRUE(effect);
    const D3DXHANDLE technique = effect->GetTechniqueByName("Main");
    ASSERT_NE(technique, nullptr);
    EXPECT_EQ(effect->GetTechniqueByName("Missing"), nullptr);
    EXPECT_EQ(effect->ValidateTechnique(technique), D3D_OK);
    EXPECT_EQ(effect->SetTechnique(technique), D3D_OK);
    const D3DXHANDLE colour = effect->GetParameterByName(nullptr, "colour");
    ASSERT_NE(colour, nullptr);
    EXPECT_EQ(effect->GetParameterByName(nullptr, "nothing"), nullptr);
    EXPECT_EQ(effect->SetFloat(colour, 1.0f), D3DERR_INVALIDCALL); // a vec4 takes vectors

    ComPtr<IDirect3DTexture9> target(renderTarget(4, 3));
    ComPtr<IDirect3DSurface9> surface(level0(target.get()));
    ASSERT_EQ(m_device->SetRenderTarget(0, surface.get()), D3D_OK);
    ASSERT_EQ(m_device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0), D3D_OK);
    setColour(effect.get(), 0.2f, 0.4f, 0.6f, 0.8f);
    drawQuad(effect.get(), nullptr);
    std::vector<std::uint32_t> expected(12, 0xCC336699);
    EXPECT_EQ(texels(target.get()), expected);

    // Viewports count from the top-left: the top row's right half only.
    const D3DVIEWPORT9 topRight{2, 0, 2, 1, 0.0f, 1.0f};
    ASSERT_EQ(m_device->SetViewport(&topRight), D3D_OK);
    setColour(effect.get(), 1.0f, 0.0f, 0.0f, 1.0f);
    drawQuad(effect.get(), nullptr);
    expected[2] = expected[3] = 0xFFFF0000;
    EXPECT_EQ(texels(target.get()), expected);
    // Saved, the top row comes first too.
    const std::string saved = m_dir.file("target.dds");
    ASSERT_EQ(D3DXSaveTextureToFileA(saved.c_str(), D3DXIFF_DDS, target.get(), nullptr), D3D_OK);
    const std::string file = readWholeFile(saved);
    ASSERT_EQ(file.size(), 128u + 48);
    EXPECT_EQ(std::memcmp(file.data() + 128, expected.data(), 48), 0);

    // Clears stay inside the viewport; rectangles count from the top-left too.
    const D3DRECT bottomLeft{0, 2, 1, 3};
    ASSERT_EQ(m_device->Clear(1, &bottomLeft, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0), D3D_OK);
    EXPECT_EQ(texels(target.get()), expected);
    const D3DVIEWPORT9 whole{0, 0, 4, 3, 0.0f, 1.0f};
    ASSERT_EQ(m_device->SetViewport(&whole), D3D_OK);
    ASSERT_EQ(m_device->Clear(1, &bottomLeft, D3DCLEAR_TARGET, 0xFF00FF00, 1.0f, 0), D3D_OK);
    expected[8] = 0xFF00FF00;
    EXPECT_EQ(texels(target.get()), expected);

    const D3DVIEWPORT9 tooWide{1, 0, 4, 3, 0.0f, 1.0f};
    EXPECT_EQ(m_device->SetViewport(&tooWide), D3DERR_INVALIDCALL);
    EXPECT_EQ(m_device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_INVALIDCALL);
}

TEST_F(RenderingDevice, RenderTargetsKeepTheirContentAcrossSwitches) {
    ComPtr<IDirect3DSurface9> backBuffer;
    ASSERT_EQ(m_device->GetRenderTarget(0, backBuffer.out()), D3D_OK);
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(backBuffer->GetDesc(&desc), D3D_OK);
    // Presentation parameters of size 0.
    EXPECT_EQ(std::tie(desc.Width, desc.Height, desc.Format),
              std::make_tuple(1u, 1u, D3DFMT_A8R8G8B8));

    ComPtr<ID3DXEffect> effect(loadEffect(kFill));
    ASSERT_TRUE(effect);
    ComPtr<IDirect3DTexture9> a(renderTarget(2, 2));
    ComPtr<IDirect3DTexture9> b(renderTarget(2, 2));
    ComPtr<IDirect3DSurface9> aSurface(level0(a.get()));
    ComPtr<IDirect3DSurface9> bSurface(level0(b.get()));
    setColour(effect.get(), 1.0f, 0.0f, 0.0f, 1.0f);
    drawQuad(effect.get(), aSurface.get());
    setColour(effect.get(), 0.0f, 1.0f, 0.0f, 1.0f);
    drawQuad(effect.get(), bSurface.get());
    ASSERT_EQ(m_device->SetRenderTarget(0, aSurface.get()), D3D_OK);
    const D3DVIEWPORT9 leftColumn{0, 0, 1, 2, 0.0f, 1.0f};
    ASSERT_EQ(m_device->SetViewport(&leftColumn), D3D_OK);
    setColour(effect.get(), 0.0f, 0.0f, 1.0f, 1.0f);
    drawQuad(effect.get(), nullptr);
    EXPECT_EQ(texels(a.get()),
              (std::vector<std::uint32_t>{0xFF0000FF, 0xFFFF0000, 0xFF0000FF, 0xFFFF0000}));
    EXPECT_EQ(texels(b.get()), std::vector<std::uint32_t>(4, 0xFF00FF00));

    ASSERT_EQ(m_device->SetRenderTarget(0, backBuffer.get()), D3D_OK);
    ComPtr<IDirect3DSurface9> current;
    ASSERT_EQ(m_device->GetRenderTarget(0, current.out()), D3D_OK);
    EXPECT_EQ(current.get(), backBuffer.get());
    D3DVIEWPORT9 viewport{};
    ASSERT_EQ(m_device->GetViewport(&viewport), D3D_OK);
    EXPECT_EQ(viewport.Width, 1u);

    // Only render targets can be drawn into.
    ComPtr<IDirect3DTexture9> plain(textureWith(1, 1, {0}));
    ComPtr<IDirect3DSurface9> plainSurface(level0(plain.get()));
    EXPECT_EQ(m_device->SetRenderTarget(0, plainSurface.get()), D3DERR_INVALIDCALL);
    EXPECT_EQ(m_device->SetRenderTarget(0, nullptr), D3DERR_INVALIDCALL);
}

TEST_F(RenderingDevice, IndexedListIndexedStripAndPlainStripDrawTheSameQuad) {
    // Four decoy vertices (a sliver in a corner) ahead of the quad catch a base vertex ignored.
    std::vector<QuadVertex> vertices = {{{1, 0, 0, 0}, 0.0f, 0.0f},
                                        {{1, 0, 0, 1}, 0.0f, 0.0f},
                                        {{1, 0, 1, 0}, 0.0f, 0.0f},
                                        {{1, 0, 1, 1}, 0.0f, 0.0f}};
    vertices.insert(vertices.end(), std::begin(kQuad), std::end(kQuad));
    ComPtr<IDirect3DVertexBuffer9> buffer(
        vertexBufferWith(vertices.data(), UINT(vertices.size() * sizeof(QuadVertex))));

    auto indexBuffer = [&](D3DFORMAT format, const std::vector<std::uint32_t>& indices) {
        const UINT size = format == D3DFMT_INDEX16 ? 2 : 4;
        IDirect3DIndexBuffer9* ib = nullptr;
        EXPECT_EQ(m_device->CreateIndexBuffer(UINT(indices.size()) * size, D3DUSAGE_WRITEONLY,
                                              format, D3DPOOL_MANAGED, &ib, nullptr),
                  D3D_OK);
        void* bytes = nullptr;
        EXPECT_EQ(ib->Lock(0, 0, &bytes, 0), D3D_OK);
        for (std::size_t i = 0; i < indices.size(); ++i)
            std::memcpy(static_cast<char*>(bytes) + i * size, &indices[i], size);
        EXPECT_EQ(ib->Unlock(), D3D_OK);
        return ib;
    };
    ComPtr<IDirect3DIndexBuffer9> list(indexBuffer(D3DFMT_INDEX16, {0, 1, 2, 2, 1, 3}));
    ComPtr<IDirect3DIndexBuffer9> strip(indexBuffer(D3DFMT_INDEX32, {0, 1, 2, 3}));
    ComPtr<IDirect3DIndexBuffer9> outside(indexBuffer(D3DFMT_INDEX16, {0, 1, 4}));

    ComPtr<ID3DXEffect> effect(loadEffect(kShowUv));
    ASSERT_TRUE(effect);
    ComPtr<IDirect3DVertexDeclaration9> declaration;
    ASSERT_EQ(m_device->CreateVertexDeclaration(kQuadDeclaration, declaration.out()), D3D_OK);
    ASSERT_EQ(m_device->SetVertexDeclaration(declaration.get()), D3D_OK);
    ASSERT_EQ(m_device->SetStreamSource(0, buffer.get(), 0, sizeof(QuadVertex)), D3D_OK);

    // Each way of drawing goes to its own target.
    const int kWays = 3;
    std::vector<std::vector<std::uint32_t>> images;
    for (int way = 0; way < kWays; ++way) {
        ComPtr<IDirect3DTexture9> target(renderTarget(4, 4));
        ComPtr<IDirect3DSurface9> surface(level0(target.get()));
        ASSERT_EQ(m_device->SetRenderTarget(0, surface.get()), D3D_OK);
        drawInPass(effect.get(), [&] {
            if (way == 0) {
                ASSERT_EQ(m_device->SetIndices(list.get()), D3D_OK);
                EXPECT_EQ(m_device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 4, 0, 4, 0, 2),
                          D3D_OK);
            } else if (way == 1) {
                ASSERT_EQ(m_device->SetIndices(strip.get()), D3D_OK);
                EXPECT_EQ(m_device->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 4, 0, 4, 0, 2),
                          D3D_OK);
            } else {
                EXPECT_EQ(m_device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 4, 2), D3D_OK);
            }
            // Whatever would read past a buffer is refused, not drawn.
            EXPECT_EQ(m_device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 5, 2), D3DERR_INVALIDCALL);
            EXPECT_EQ(m_device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 4, 0, 4, 3, 2),
                      D3DERR_INVALIDCALL); // six indices from the fourth: past either index buffer
        });
        images.push_back(texels(target.get()));
    }
    EXPECT_EQ(images[1], images[0]);
    EXPECT_EQ(images[2], images[0]);
    // Texel (x, y) shows the uv at its centre: u = (x + 0.5) / 4 in red, v in green, v = 0 on
    // the top row.
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const std::uint32_t texel = images[0][std::size_t(y * 4 + x)];
            const double red = (x + 0.5) / 4.0 * 255.0;
            const double green = (y + 0.5) / 4.0 * 255.0;
            EXPECT_NEAR(double((texel >> 16) & 0xFF), red, 1.0) << x << "," << y;
            EXPECT_NEAR(double((texel >> 8) & 0xFF), green, 1.0) << x << "," << y;
            EXPECT_EQ(texel & 0xFF0000FFu, 0xFF000000u) << x << "," << y;
        }
    }

    // Outside a scene, without a pass, or with an index beyond the stream: refused.
    ComPtr<IDirect3DTexture9> target(renderTarget(4, 4));
    ComPtr<IDirect3DSurface9> surface(level0(target.get()));
    ASSERT_EQ(m_device->SetRenderTarget(0, surface.get()), D3D_OK);
    ASSERT_EQ(m_device->SetIndices(outside.get()), D3D_OK);
    UINT passes = 0;
    ASSERT_EQ(effect->Begin(&passes, 0), D3D_OK);
    ASSERT_EQ(effect->BeginPass(0), D3D_OK);
    EXPECT_EQ(m_device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_INVALIDCALL);
    ASSERT_EQ(m_device->BeginScene(), D3D_OK);
    EXPECT_EQ(m_device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 3, 0, 5, 0, 1), D3D_OK);
    EXPECT_EQ(m_device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 4, 0, 5, 0, 1),
              D3DERR_INVALIDCALL); // index 4 + 4 is vertex 8 of 8
    EXPECT_EQ(m_device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, -1, 0, 5, 0, 1),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(m_device->DrawPrimitive(D3DPT_LINELIST, 0, 1), D3DERR_INVALIDCALL);
    ASSERT_EQ(effect->EndPass(), D3D_OK);
    EXPECT_EQ(m_device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_INVALIDCALL);
    ASSERT_EQ(m_device->EndScene(), D3D_OK);
    ASSERT_EQ(effect->End(), D3D_OK);
}

// The sampling pass reproduces the texture texel for texel, from a texture only the effect holds.
TEST_F(RenderingDevice, ReleaseReturnsCallerCountsWhileBindingsKeepObjectsAlive) {
    ComPtr<ID3DXEffect> effect(loadEffect(kCopy));
    ASSERT_TRUE(effect);
    const std::vector<std::uint32_t> source = {0xFF102030, 0xFF405060, 0x80708090,
                                               0xFFA0B0C0, 0x00D0E0F0, 0xFF010203};
    IDirect3DTexture9* texture = textureWith(3, 2, source);
    EXPECT_EQ(texture->AddRef(), 2u);
    EXPECT_EQ(texture->Release(), 1u);
    IDirect3DSurface9* surface = nullptr;
    ASSERT_EQ(texture->GetSurfaceLevel(0, &surface), D3D_OK);
    EXPECT_EQ(surface->AddRef(), 2u);
    EXPECT_EQ(surface->Release(), 1u);
    ASSERT_EQ(effect->SetTexture(effect->GetParameterByName(nullptr, "source"), texture), D3D_OK);
    // The caller's last reference goes; the level surface and the effect still hold it.
    EXPECT_EQ(texture->Release(), 0u);
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(surface->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Width, 3u);
    EXPECT_EQ(surface->Release(), 0u);

    // A vertex buffer released while bound as the stream still draws.
    IDirect3DVertexBuffer9* quad = vertexBufferWith(kQuad, sizeof kQuad);
    ComPtr<IDirect3DTexture9> target(renderTarget(3, 2));
    ComPtr<IDirect3DSurface9> targetSurface(level0(target.get()));
    ASSERT_EQ(m_device->SetRenderTarget(0, targetSurface.get()), D3D_OK);
    ASSERT_EQ(m_device->SetVertexDeclaration(m_quadDeclaration.get()), D3D_OK);
    ASSERT_EQ(m_device->SetStreamSource(0, quad, 0, sizeof(QuadVertex)), D3D_OK);
    EXPECT_EQ(quad->Release(), 0u);
    drawInPass(effect.get(),
               [&] { EXPECT_EQ(m_device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3D_OK); });
    EXPECT_EQ(texels(target.get()), source);
    EXPECT_EQ(effect->SetTexture(effect->GetParameterByName(nullptr, "source"), nullptr), D3D_OK);
}

TEST(RenderingDeviceCreation, FailsWithoutOpenGLWhileTheMeshDeviceStillWorks) {
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    D3DPRESENT_PARAMETERS parameters = {};
    setenv("VORNEX_GL", "off", 1);
    IDirect3DDevice9* device = reinterpret_cast<IDirect3DDevice9*>(&parameters); // overwritten
    const HRESULT hr =
        d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr, 0x50, &parameters, &device);
    unsetenv("VORNEX_GL");
    EXPECT_EQ(std::make_tuple(hr, device), std::make_tuple(D3DERR_NOTAVAILABLE, nullptr));
    EXPECT_STREQ(DXGetErrorString9A(hr),
                 "D3DERR_NOTAVAILABLE: no OpenGL context: disabled by VORNEX_GL=off");

    setenv("VORNEX_GL", "off", 1);
    ASSERT_EQ(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device),
              D3D_OK);
    unsetenv("VORNEX_GL");
    ASSERT_NE(device, nullptr);
    const D3DVERTEXELEMENT9 positions[] = {
        {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0}, D3DDECL_END()};
    ID3DXMesh* mesh = nullptr;
    EXPECT_EQ(D3DXCreateMesh(1, 3, D3DXMESH_SYSTEMMEM, positions, device, &mesh), D3D_OK);
    ASSERT_NE(mesh, nullptr);
    EXPECT_EQ(mesh->GetNumFaces(), 1u);
    mesh->Release();
    // The mesh device does not render.
    IDirect3DTexture9* texture = nullptr;
    EXPECT_EQ(
        device->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3DERR_INVALIDCALL);
    EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
    ID3DXEffect* effect = nullptr;
    EXPECT_EQ(D3DXCreateEffectFromFileA(device, "none.fx", nullptr, nullptr, 0, nullptr, &effect,
                                        nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_EQ(d3d->Release(), 0u);
}

TEST(RenderingDeviceCreation, ObjectsOutliveTheirDeviceAndKeepTheirContent) {
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    D3DPRESENT_PARAMETERS parameters = {};
    parameters.BackBufferWidth = 3;
    IDirect3DDevice9* device = nullptr;
    const HRESULT hr = d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                         D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters, &device);
    ASSERT_EQ(hr, D3D_OK) << DXGetErrorString9A(hr);
    IDirect3DSurface9* backBuffer = nullptr;
    ASSERT_EQ(device->GetRenderTarget(0, &backBuffer), D3D_OK);
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(
        device->CreateTexture(2, 1, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr),
        D3D_OK);
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_EQ(d3d->Release(), 0u);

    D3DSURFACE_DESC desc{};
    ASSERT_EQ(backBuffer->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(std::tie(desc.Width, desc.Height), std::make_tuple(3u, 1u));
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    const std::uint32_t written[2] = {0x12345678, 0x9ABCDEF0};
    std::memcpy(locked.pBits, written, sizeof written);
    ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    std::uint32_t read[2] = {};
    std::memcpy(read, locked.pBits, sizeof read);
    ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
    EXPECT_EQ(std::tie(read[0], read[1]), std::make_tuple(0xFF345678u, 0xFFBCDEF0u)); // no alpha
    EXPECT_EQ(texture->Release(), 0u);
    EXPECT_EQ(backBuffer->Release(), 0u);
}

// The window stand-in: classes and windows as handles, with the errors Windows reports.
TEST(Win32Window, HiddenWindowLifecycleAndItsErrors) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VornexHidden";
    ASSERT_NE(GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
    windowClass.lpszClassName = "vornexhidden"; // class names ignore case
    EXPECT_EQ(RegisterClassExA(&windowClass), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);

    EXPECT_EQ(CreateWindowExA(0, "Elsewhere", "", WS_OVERLAPPEDWINDOW, 0, 0, 1, 1,
                              GetDesktopWindow(), nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
    const HWND window =
        CreateWindowExA(0, "VornexHidden", "", WS_OVERLAPPEDWINDOW, 0, 0, 1, 1, GetDesktopWindow(),
                        nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_NE(window, GetDesktopWindow());

    EXPECT_FALSE(UnregisterClassA("VornexHidden", windowClass.hInstance));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(DestroyWindow(GetDesktopWindow()));
    EXPECT_TRUE(UnregisterClassA("VornexHidden", windowClass.hInstance));
    EXPECT_FALSE(UnregisterClassA("VornexHidden", windowClass.hInstance));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_DOES_NOT_EXIST);
}

} // namespace
} // namespace vx::test
