#include "MeshExporter/GeomLightmapSettings.h"

namespace vx {

const GeomLightmapSettings::Slot& GeomLightmapSettings::slot(int geometry) const {
    static const Slot kUnset;
    if (geometry < 0 || static_cast<std::size_t>(geometry) >= m_slots.size())
        return kUnset;
    return m_slots[static_cast<std::size_t>(geometry)];
}

GeomLightmapSettings::Slot& GeomLightmapSettings::grow(int geometry) {
    const auto at = static_cast<std::size_t>(geometry < 0 ? 0 : geometry);
    if (at >= m_slots.size())
        m_slots.resize(at + 1);
    return m_slots[at];
}

GeomLightmapSettings& geomLightmapSettings() {
    static GeomLightmapSettings settings;
    return settings;
}

} // namespace vx
