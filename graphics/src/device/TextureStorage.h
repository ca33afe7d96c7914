#pragma once
// The GPU storage behind a texture's levels or a lone render-target surface: one immutable
// OpenGL RGBA8 texture with the mip levels of its description, row 0 at the top.
#include "d3d9types.h"
#include "device/RenderCore.h"
#include "vximage/RgbaImage.h"

#include <memory>

namespace vornexgfx {

struct TextureDesc {
    UINT width = 0;
    UINT height = 0;
    UINT levels = 1;
    D3DFORMAT format = D3DFMT_A8R8G8B8;
    DWORD usage = 0;
    D3DPOOL pool = D3DPOOL_MANAGED;
};

// Largest texture side, as the devices the exporter ran on offered.
inline constexpr UINT kMaxTextureSide = 8192;

// Levels of a full mip chain down to 1 x 1.
UINT fullMipChain(UINT width, UINT height);

class TextureStorage {
public:
    // desc must be valid (texture format, sides 1 to kMaxTextureSide, levels 1 to the full
    // chain). Content starts as zero bytes (X8R8G8B8: alpha 255, the byte it never shows).
    TextureStorage(std::shared_ptr<RenderCore> core, const TextureDesc& desc);
    ~TextureStorage();
    TextureStorage(const TextureStorage&) = delete;
    TextureStorage& operator=(const TextureStorage&) = delete;

    const TextureDesc& desc() const { return m_desc; }
    RenderCore& core() const { return *m_core; }
    GLuint name() const { return m_name; }
    UINT levelWidth(UINT level) const;
    UINT levelHeight(UINT level) const;

    vximage::RgbaImage read(UINT level) const;
    // `image` must have the level's size. X8R8G8B8 storage keeps alpha at 255.
    void write(UINT level, const vximage::RgbaImage& image);
    // Fills levels 1 and up by filtering level 0 down.
    void generateMips();

private:
    std::shared_ptr<RenderCore> m_core;
    TextureDesc m_desc;
    GLuint m_name = 0;
};

} // namespace vornexgfx
