#pragma once
// Per-geometry lightmap settings of the process: whether a geometry is lightmapped and the
// size of its lightmap. Reset at the start of every export, so that a geometry without a size
// node gets the default size rather than an earlier export's.
#include <cstdint>
#include <vector>

namespace vx {

class GeomLightmapSettings {
public:
    static constexpr std::uint32_t kDefaultSize = 256;

    bool enabled(int geometry) const { return slot(geometry).enabled; }
    std::uint32_t size(int geometry) const { return slot(geometry).size; }
    void setEnabled(int geometry, bool on) { grow(geometry).enabled = on; }
    void setSize(int geometry, std::uint32_t value) { grow(geometry).size = value; }
    void reset() { *this = GeomLightmapSettings(); }

private:
    struct Slot {
        bool enabled = true;
        std::uint32_t size = kDefaultSize;
    };
    // The table starts with 8 slots and grows for geometry numbers beyond them.
    const Slot& slot(int geometry) const;
    Slot& grow(int geometry);
    std::vector<Slot> m_slots = std::vector<Slot>(8);
};

GeomLightmapSettings& geomLightmapSettings();

} // namespace vx
