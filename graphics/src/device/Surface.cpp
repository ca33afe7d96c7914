#include "device/Surface.h"

#include "device/Texture.h"
#include "device/TextureFormats.h"

namespace vornexgfx {

Surface::Surface(std::shared_ptr<TextureStorage> storage, bool lockable)
    : m_storage(std::move(storage)), m_lockable(lockable) {}

Surface::Surface(Texture& container, std::shared_ptr<TextureStorage> storage, UINT level,
                 bool lockable)
    : ComObject(0), m_storage(std::move(storage)), m_level(level), m_container(&container),
      m_lockable(lockable) {}

void Surface::firstUse() {
    if (m_container)
        m_container->hold();
}

void Surface::lastUse() {
    if (m_container)
        m_container->unhold(); // the container owns this surface and may delete it now
    else
        delete this;
}

HRESULT Surface::GetDesc(D3DSURFACE_DESC* desc) {
    if (!desc)
        return D3DERR_INVALIDCALL;
    const TextureDesc& texture = m_storage->desc();
    *desc = D3DSURFACE_DESC{
        texture.format, D3DRTYPE_SURFACE, texture.usage, texture.pool, D3DMULTISAMPLE_NONE, 0,
        width(),        height()};
    return D3D_OK;
}

HRESULT Surface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) {
    if (!locked || !m_lockable || m_locked)
        return D3DERR_INVALIDCALL;
    const LONG w = static_cast<LONG>(width());
    const LONG h = static_cast<LONG>(height());
    const RECT area = rect ? *rect : RECT{0, 0, w, h};
    if (area.left < 0 || area.top < 0 || area.right > w || area.bottom > h ||
        area.left >= area.right || area.top >= area.bottom)
        return D3DERR_INVALIDCALL;
    const D3DFORMAT format = m_storage->desc().format;
    const bool blocks = isBlockFormat(format);
    // DXT rectangles start on block edges and end on one or on the surface's edge.
    if (blocks &&
        (area.left % 4 != 0 || area.top % 4 != 0 || (area.right % 4 != 0 && area.right != w) ||
         (area.bottom % 4 != 0 && area.bottom != h)))
        return D3DERR_INVALIDCALL;
    const vximage::DdsFormat layout = ddsFormatOf(format);
    const vximage::RgbaImage image = m_storage->read(m_level);
    m_staging.assign(vximage::ddsLevelBytes(layout, image.width, image.height), 0);
    vximage::packDdsLevel(layout, image, m_staging.data());
    const std::size_t blockBytes = format == D3DFMT_DXT1 ? 8 : 16;
    const std::size_t pitch = blocks ? (std::size_t(w) + 3) / 4 * blockBytes : std::size_t(w) * 4;
    const std::size_t offset =
        blocks ? std::size_t(area.top / 4) * pitch + std::size_t(area.left / 4) * blockBytes
               : std::size_t(area.top) * pitch + std::size_t(area.left) * 4;
    locked->Pitch = static_cast<INT>(pitch);
    locked->pBits = m_staging.data() + offset;
    m_locked = true;
    m_lockFlags = flags;
    return D3D_OK;
}

HRESULT Surface::UnlockRect() {
    if (!m_locked)
        return D3DERR_INVALIDCALL;
    m_locked = false;
    if (!(m_lockFlags & D3DLOCK_READONLY)) {
        vximage::RgbaImage image;
        image.width = width();
        image.height = height();
        vximage::unpackDdsLevel(ddsFormatOf(m_storage->desc().format), m_staging.data(), image);
        m_storage->write(m_level, image);
    }
    m_staging.clear();
    m_staging.shrink_to_fit();
    return D3D_OK;
}

} // namespace vornexgfx
