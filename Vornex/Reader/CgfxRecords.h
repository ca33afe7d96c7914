#pragma once
// The game's rules for the texture parameters of a cgfx material: which textures count, the
// technique name built from the layers a static-mesh effect uses, and the form in which a
// texture path is stored. Host-free.
#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

// Lower-cases a path byte by byte: A to Z by the ASCII rule and the Latin-1 capitals Å, Ä, Ö,
// Ü, É to å, ä, ö, ü, é. The same five letters written in UTF-8 are lowered too, so a path
// lowers alike whichever encoding the scene file used.
std::string lowerLatin1(std::string_view text);

// The text after the last '\\' or '/', or the whole path when it has neither.
std::string fileNamePart(std::string_view path);

// A texture parameter's path, as a cgfx material stores it.
struct CgfxTexture {
    bool skipped = true;
    std::int32_t index = -1; // the texture's number among those saved
    std::string stored;      // relative to the RawData folder where the path lies under one
    std::string error;       // for the export's error list; empty when the path is fine
};

// Collects one cgfx material's technique and counts its textures, parameter by parameter.
class CgfxRecordBuilder {
public:
    CgfxRecordBuilder(std::string effectName, std::string_view materialName);

    // One texture parameter's path as read from the node. A default or unset texture is
    // skipped; on a static-mesh effect every call also moves on to the next layer.
    CgfxTexture addTexture(std::string_view path);

    // The technique: the layers used by a static-mesh effect, then "parallaxdetail" for a
    // material whose name contains "_parallax".
    std::string technique() const;
    std::int32_t textureCount() const { return m_textureCount; }
    const std::string& effectName() const { return m_effectName; }

private:
    std::string m_effectName;
    bool m_parallax = false;
    std::int32_t m_textureCount = 0;
    std::int32_t m_layerSlot = 0;
    std::string m_technique;
};

} // namespace vx
