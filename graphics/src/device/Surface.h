#pragma once
// A surface: one mip level of a texture, or a render target of its own (the back buffer and
// CreateRenderTarget's surfaces). Locking copies the level out of the GPU in the surface's
// format and unlocking sends it back.
#include "d3d9.h"
#include "device/ComObject.h"
#include "device/TextureStorage.h"

#include <memory>
#include <vector>

namespace vornexgfx {

class Texture;

class Surface final : public ComObject<IDirect3DSurface9> {
public:
    // A render target of its own, with one caller reference.
    Surface(std::shared_ptr<TextureStorage> storage, bool lockable);
    // Level `level` of `container`, unused until its first reference; while used it holds
    // its container.
    Surface(Texture& container, std::shared_ptr<TextureStorage> storage, UINT level, bool lockable);
    ~Surface() override = default;

    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect() override;

    TextureStorage& storage() const { return *m_storage; }
    UINT level() const { return m_level; }
    UINT width() const { return m_storage->levelWidth(m_level); }
    UINT height() const { return m_storage->levelHeight(m_level); }
    bool isRenderTarget() const { return (m_storage->desc().usage & D3DUSAGE_RENDERTARGET) != 0; }

private:
    void firstUse() override;
    void lastUse() override;

    std::shared_ptr<TextureStorage> m_storage;
    UINT m_level = 0;
    Texture* m_container = nullptr;
    bool m_lockable = false;
    bool m_locked = false;
    DWORD m_lockFlags = 0;
    std::vector<std::uint8_t> m_staging;
};

} // namespace vornexgfx
