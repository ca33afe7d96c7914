#include "vximage/DdsCodec.h"

#include <squish.h>

#include <algorithm>
#include <cstring>

namespace vximage {
namespace {

// Header flags: caps, height, width, pixel format, mip map count; then pitch or linear size.
constexpr std::uint32_t kRequiredFlags = 0x1 | 0x2 | 0x4 | 0x1000 | 0x20000;
constexpr std::uint32_t kPitch = 0x8;
constexpr std::uint32_t kLinearSize = 0x80000;
constexpr std::uint32_t kCapsTexture = 0x1000;
constexpr std::uint32_t kCapsComplexMipMap = 0x8 | 0x400000;

bool isBlockFormat(DdsFormat format) {
    return format == DdsFormat::Dxt1 || format == DdsFormat::Dxt3 || format == DdsFormat::Dxt5;
}

int squishFlag(DdsFormat format) {
    switch (format) {
    case DdsFormat::Dxt1:
        return squish::kDxt1;
    case DdsFormat::Dxt3:
        return squish::kDxt3;
    default:
        return squish::kDxt5;
    }
}

void put32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

std::uint64_t ddsLevelBytes(DdsFormat format, unsigned width, unsigned height) {
    if (isBlockFormat(format))
        return std::uint64_t{(width + 3) / 4} * ((height + 3) / 4) *
               (format == DdsFormat::Dxt1 ? 8u : 16u);
    return std::uint64_t{width} * height * 4;
}

void packDdsLevel(DdsFormat format, const RgbaImage& image, std::uint8_t* blocks) {
    if (isBlockFormat(format)) {
        squish::CompressImage(image.pixels.data(), static_cast<int>(image.width),
                              static_cast<int>(image.height), blocks,
                              squishFlag(format) | squish::kColourClusterFit);
        return;
    }
    const bool opaque = format == DdsFormat::X8R8G8B8;
    const std::uint8_t* p = image.pixels.data();
    for (std::size_t i = 0, n = std::size_t{image.width} * image.height; i < n; ++i, p += 4) {
        blocks[4 * i + 0] = p[2];
        blocks[4 * i + 1] = p[1];
        blocks[4 * i + 2] = p[0];
        blocks[4 * i + 3] = opaque ? 0xFF : p[3];
    }
}

void unpackDdsLevel(DdsFormat format, const std::uint8_t* blocks, RgbaImage& image) {
    image.pixels.resize(std::size_t{image.width} * image.height * 4);
    if (isBlockFormat(format)) {
        squish::DecompressImage(image.pixels.data(), static_cast<int>(image.width),
                                static_cast<int>(image.height), blocks, squishFlag(format));
        return;
    }
    const bool opaque = format == DdsFormat::X8R8G8B8;
    std::uint8_t* p = image.pixels.data();
    for (std::size_t i = 0, n = std::size_t{image.width} * image.height; i < n; ++i, p += 4) {
        p[0] = blocks[4 * i + 2];
        p[1] = blocks[4 * i + 1];
        p[2] = blocks[4 * i + 0];
        p[3] = opaque ? 0xFF : blocks[4 * i + 3];
    }
}

std::vector<std::uint8_t> encodeDds(DdsFormat format, const std::vector<RgbaImage>& levels) {
    if (levels.empty() || format == DdsFormat::Other)
        return {};
    std::uint64_t total = kDdsHeaderBytes;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const RgbaImage& level = levels[i];
        const unsigned expectedWidth = std::max(1u, levels[0].width >> i);
        const unsigned expectedHeight = std::max(1u, levels[0].height >> i);
        if (level.width == 0 || level.height == 0 || level.width != expectedWidth ||
            level.height != expectedHeight ||
            level.pixels.size() != std::size_t{level.width} * level.height * 4)
            return {};
        total += ddsLevelBytes(format, level.width, level.height);
    }
    std::vector<std::uint8_t> out(total, 0);
    std::uint8_t* header = out.data();
    std::memcpy(header, "DDS ", 4);
    const bool blocks = isBlockFormat(format);
    const unsigned width = levels[0].width;
    const unsigned height = levels[0].height;
    put32(header + 4, 124);
    put32(header + 8, kRequiredFlags | (blocks ? kLinearSize : kPitch));
    put32(header + 12, height);
    put32(header + 16, width);
    put32(header + 20, static_cast<std::uint32_t>(blocks ? ddsLevelBytes(format, width, height)
                                                         : std::uint64_t{width} * 4));
    put32(header + 28, static_cast<std::uint32_t>(levels.size()));
    put32(header + 76, 32);
    if (blocks) {
        put32(header + 80, 0x4); // four-character code
        const char* code = format == DdsFormat::Dxt1   ? "DXT1"
                           : format == DdsFormat::Dxt3 ? "DXT3"
                                                       : "DXT5";
        std::memcpy(header + 84, code, 4);
    } else {
        const bool alpha = format == DdsFormat::A8R8G8B8;
        put32(header + 80, alpha ? 0x41 : 0x40); // RGB, with alpha pixels for A8R8G8B8
        put32(header + 88, 32);
        put32(header + 92, 0x00FF0000);
        put32(header + 96, 0x0000FF00);
        put32(header + 100, 0x000000FF);
        put32(header + 104, alpha ? 0xFF000000u : 0u);
    }
    put32(header + 108, kCapsTexture | (levels.size() > 1 ? kCapsComplexMipMap : 0));
    std::uint8_t* at = out.data() + kDdsHeaderBytes;
    for (const RgbaImage& level : levels) {
        packDdsLevel(format, level, at);
        at += ddsLevelBytes(format, level.width, level.height);
    }
    return out;
}

} // namespace vximage
