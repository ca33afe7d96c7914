#include "device/Texture.h"

namespace vornexgfx {

Texture::Texture(std::shared_ptr<TextureStorage> storage) : m_storage(std::move(storage)) {
    const TextureDesc& desc = m_storage->desc();
    // Render-target textures live in the default pool, which the CPU cannot lock.
    const bool lockable = desc.pool != D3DPOOL_DEFAULT || (desc.usage & D3DUSAGE_DYNAMIC) != 0;
    for (UINT level = 0; level < desc.levels; ++level)
        m_levels.push_back(new Surface(*this, m_storage, level, lockable));
}

Texture::~Texture() {
    for (Surface* level : m_levels)
        delete level;
}

HRESULT Texture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    if (level >= m_levels.size())
        return D3DERR_INVALIDCALL;
    return m_levels[level]->GetDesc(desc);
}

HRESULT Texture::GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) {
    if (!surface || level >= m_levels.size())
        return D3DERR_INVALIDCALL;
    m_levels[level]->AddRef();
    *surface = m_levels[level];
    return D3D_OK;
}

HRESULT Texture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
    if (level >= m_levels.size())
        return D3DERR_INVALIDCALL;
    return m_levels[level]->LockRect(locked, rect, flags);
}

HRESULT Texture::UnlockRect(UINT level) {
    if (level >= m_levels.size())
        return D3DERR_INVALIDCALL;
    return m_levels[level]->UnlockRect();
}

} // namespace vornexgfx
