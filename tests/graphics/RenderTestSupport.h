#pragma once
// A rendering device for tests, effect files written on the fly, and texel read-back.
#include "tests/Shared/Base/TestLogCapture.h"

#include <d3dx9.h>
#include <dxerr9.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vx::test {

// Releases a Direct3D object when it goes out of scope.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(T* object) : m_object(object) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { reset(); }
    void reset() {
        if (m_object)
            m_object->Release();
        m_object = nullptr;
    }
    T** out() {
        reset();
        return &m_object;
    }
    T* get() const { return m_object; }
    T* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

private:
    T* m_object = nullptr;
};

// The quad of the normal-map conversion's outlining pass: UBYTE4 position bytes the effect
// maps to corners, then u and v; a strip from the top-left corner.
struct QuadVertex {
    std::uint8_t position[4];
    float u;
    float v;
};
static_assert(sizeof(QuadVertex) == 12);
extern const QuadVertex kQuad[4];
extern const D3DVERTEXELEMENT9 kQuadDeclaration[3];

class RenderingDevice : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes `text` to a file of the temporary folder and loads it; fails the test with the
    // compiler's errors otherwise.
    ID3DXEffect* loadEffect(const std::string& text);
    // A render-target texture (A8R8G8B8, one level).
    IDirect3DTexture9* renderTarget(UINT width, UINT height);
    // A managed A8R8G8B8 texture whose texels are `argb`, row by row from the top.
    IDirect3DTexture9* textureWith(UINT width, UINT height, const std::vector<std::uint32_t>& argb);
    // A managed vertex buffer holding `bytes` bytes from `data`.
    IDirect3DVertexBuffer9* vertexBufferWith(const void* data, UINT bytes, DWORD usage = 0);
    // Level 0 of any texture as ARGB values, row by row from the top (copied into a lockable
    // texture first).
    std::vector<std::uint32_t> texels(IDirect3DTexture9* texture);
    // Draws kQuad as a strip with pass 0 of the effect's current technique into `target`
    // (null: the render target and viewport as they are).
    void drawQuad(ID3DXEffect* effect, IDirect3DSurface9* target);
    // Runs `draw` inside pass 0 of the effect's current technique and a scene.
    void drawInPass(ID3DXEffect* effect, const std::function<void()>& draw);

    TempDir m_dir;
    IDirect3D9* m_d3d = nullptr;
    IDirect3DDevice9* m_device = nullptr;
    ComPtr<IDirect3DVertexDeclaration9> m_quadDeclaration;
    ComPtr<IDirect3DVertexBuffer9> m_quadBuffer;
    int m_effectFiles = 0;
};

} // namespace vx::test
