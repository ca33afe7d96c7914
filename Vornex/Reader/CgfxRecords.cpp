#include "Vornex/Reader/CgfxRecords.h"

#include <array>

namespace vx {
namespace {

struct StaticMeshLayer {
    std::string_view defaultFile;
    std::string_view name;
};

// The fixed layer order of static-mesh effects.
constexpr std::array<StaticMeshLayer, 6> kStaticMeshLayers = {{
    {"base.dds", "Base"},
    {"detail.dds", "Detail"},
    {"dirt.dds", "Dirt"},
    {"crack.dds", "Crack"},
    {"ndetail.dds", "NDetail"},
    {"ncrack.dds", "NCrack"},
}};

constexpr std::string_view kRawData = "rawdata/";

// Latin-1 capitals that are lowered, each with its small letter. In UTF-8 both are written as
// 0xC3 followed by the code point's low six bits | 0x80.
constexpr std::array<std::array<unsigned char, 2>, 5> kLatin1Capitals = {{
    {0xC5, 0xE5}, // Å å
    {0xC4, 0xE4}, // Ä ä
    {0xD6, 0xF6}, // Ö ö
    {0xDC, 0xFC}, // Ü ü
    {0xC9, 0xE9}, // É é
}};

int latin1Lower(unsigned char c) {
    for (const auto& pair : kLatin1Capitals)
        if (c == pair[0])
            return pair[1];
    return -1;
}

} // namespace

std::string lowerLatin1(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c - 'A' + 'a');
        } else if (const int lower = latin1Lower(c); lower >= 0) {
            out[i] = static_cast<char>(lower);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            const auto next = static_cast<unsigned char>(out[i + 1]);
            const int lowerUtf8 = latin1Lower(static_cast<unsigned char>(0xC0 | (next & 0x3F)));
            if ((next & 0xC0) == 0x80 && lowerUtf8 >= 0) {
                out[i + 1] = static_cast<char>(0x80 | (lowerUtf8 & 0x3F));
                ++i;
            }
        }
    }
    return out;
}

std::string fileNamePart(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

CgfxRecordBuilder::CgfxRecordBuilder(std::string effectName, std::string_view materialName)
    : m_effectName(std::move(effectName)),
      m_parallax(materialName.find("_parallax") != std::string_view::npos) {}

CgfxTexture CgfxRecordBuilder::addTexture(std::string_view path) {
    CgfxTexture texture;
    const std::string lowered = lowerLatin1(path);
    if (m_effectName == "BundledMesh.fx" && (lowered.empty() || lowered == "shadowmap.dds"))
        return texture;
    if (m_effectName.find("StaticMesh") != std::string::npos) {
        const std::int32_t slot = m_layerSlot++;
        if (slot < static_cast<std::int32_t>(kStaticMeshLayers.size())) {
            const StaticMeshLayer& layer = kStaticMeshLayers[static_cast<std::size_t>(slot)];
            if (lowered.empty() || lowered == layer.defaultFile)
                return texture;
            m_technique += layer.name;
        }
    }
    texture.skipped = false;
    if (const std::size_t p = lowered.find(kRawData); p != std::string::npos) {
        texture.stored = lowered.substr(p + kRawData.size());
    } else {
        texture.stored = lowered;
        if (lowered.find("specularlut_pow36.dds") == std::string::npos)
            texture.error = "ERROR: Adding texture that doesn't reside under RawData " + lowered;
    }
    texture.index = m_textureCount++;
    return texture;
}

std::string CgfxRecordBuilder::technique() const {
    return m_parallax ? m_technique + "parallaxdetail" : m_technique;
}

} // namespace vx
