#pragma once
// A 2D texture with its mip levels, each a Surface the texture owns.
#include "d3d9.h"
#include "device/ComObject.h"
#include "device/Surface.h"
#include "device/TextureStorage.h"

#include <memory>
#include <vector>

namespace vornexgfx {

class Texture final : public ComObject<IDirect3DTexture9> {
public:
    explicit Texture(std::shared_ptr<TextureStorage> storage);
    ~Texture() override;

    DWORD GetLevelCount() override { return m_storage->desc().levels; }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;

    TextureStorage& storage() const { return *m_storage; }
    Surface& levelSurface(UINT level) const { return *m_levels[level]; }

private:
    std::shared_ptr<TextureStorage> m_storage;
    std::vector<Surface*> m_levels;
};

} // namespace vornexgfx
