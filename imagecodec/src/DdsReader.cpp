#include "vximage/DdsCodec.h"

#include <squish.h>

#include <bit>
#include <cstring>

namespace vximage {
namespace {

constexpr std::size_t kMagicSize = 4;
constexpr std::size_t kHeaderSize = 124;
constexpr std::uint32_t kPixelFormatSize = 32;

constexpr std::uint32_t kAlphaPixels = 0x1;
constexpr std::uint32_t kAlphaOnly = 0x2;
constexpr std::uint32_t kFourCC = 0x4;
constexpr std::uint32_t kRgb = 0x40;
constexpr std::uint32_t kLuminance = 0x20000;

std::uint32_t word(const std::uint8_t* at) {
    std::uint32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value; // the format is little-endian, as is every machine we build for
}

constexpr std::uint32_t fourCC(const char (&code)[5]) {
    return std::uint32_t(std::uint8_t(code[0])) | std::uint32_t(std::uint8_t(code[1])) << 8 |
           std::uint32_t(std::uint8_t(code[2])) << 16 | std::uint32_t(std::uint8_t(code[3])) << 24;
}

// Scales the bits under `mask` to 0..255; an empty mask reads as `missing`.
std::uint8_t channel(std::uint32_t pixel, std::uint32_t mask, std::uint8_t missing) {
    if (mask == 0)
        return missing;
    const int shift = std::countr_zero(mask);
    const std::uint32_t maximum = mask >> shift;
    const std::uint32_t value = (pixel & mask) >> shift;
    return static_cast<std::uint8_t>((value * 255u + maximum / 2) / maximum);
}

struct PixelFormat {
    std::uint32_t flags, fourCC, bitCount, red, green, blue, alpha;
};

PixelFormat pixelFormatOf(const std::uint8_t* header) {
    return {word(header + 76), word(header + 80), word(header + 84), word(header + 88),
            word(header + 92), word(header + 96), word(header + 100)};
}

DdsFormat classify(const PixelFormat& format) {
    if (format.flags & kFourCC) {
        if (format.fourCC == fourCC("DXT1"))
            return DdsFormat::Dxt1;
        if (format.fourCC == fourCC("DXT3"))
            return DdsFormat::Dxt3;
        if (format.fourCC == fourCC("DXT5"))
            return DdsFormat::Dxt5;
        return DdsFormat::Other;
    }
    if ((format.flags & kRgb) && format.bitCount == 32 && format.red == 0x00FF0000u &&
        format.green == 0x0000FF00u && format.blue == 0x000000FFu) {
        const bool alpha = (format.flags & kAlphaPixels) && format.alpha == 0xFF000000u;
        return alpha ? DdsFormat::A8R8G8B8 : DdsFormat::X8R8G8B8;
    }
    return DdsFormat::Other;
}

bool decodeCompressed(const std::uint8_t* data, std::size_t available, unsigned width,
                      unsigned height, int flag, RgbaImage& out, std::string& error) {
    const std::uint64_t blocks = std::uint64_t{(width + 3) / 4} * ((height + 3) / 4);
    const std::uint64_t bytes = blocks * (flag == squish::kDxt1 ? 8u : 16u);
    if (bytes > available) {
        error = "DDS data is shorter than its " + std::to_string(width) + "x" +
                std::to_string(height) + " image";
        return false;
    }
    out.pixels.assign(std::size_t{width} * height * 4, 0);
    squish::DecompressImage(out.pixels.data(), static_cast<int>(width), static_cast<int>(height),
                            data, flag);
    return true;
}

bool decodeUncompressed(const std::uint8_t* data, std::size_t available, unsigned width,
                        unsigned height, const PixelFormat& format, RgbaImage& out,
                        std::string& error) {
    const std::uint32_t bits = format.bitCount;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        error = "unsupported DDS pixel size of " + std::to_string(bits) + " bits";
        return false;
    }
    const std::size_t bytesPerPixel = bits / 8;
    const std::uint64_t rowBytes = std::uint64_t{width} * bytesPerPixel;
    if (rowBytes * height > available) {
        error = "DDS data is shorter than its " + std::to_string(width) + "x" +
                std::to_string(height) + " image";
        return false;
    }
    const bool luminance = (format.flags & kLuminance) != 0;
    const bool alphaOnly = (format.flags & kAlphaOnly) != 0 && (format.flags & kRgb) == 0;
    const std::uint32_t alphaMask =
        (format.flags & (kAlphaPixels | kAlphaOnly)) != 0 ? format.alpha : 0u;
    out.pixels.resize(std::size_t{width} * height * 4);
    std::uint8_t* target = out.pixels.data();
    for (std::size_t i = 0, count = std::size_t{width} * height; i < count; ++i) {
        std::uint32_t pixel = 0;
        std::memcpy(&pixel, data + i * bytesPerPixel, bytesPerPixel);
        if (alphaOnly) {
            target[0] = target[1] = target[2] = 255;
        } else if (luminance) {
            target[0] = target[1] = target[2] = channel(pixel, format.red, 0);
        } else {
            target[0] = channel(pixel, format.red, 0);
            target[1] = channel(pixel, format.green, 0);
            target[2] = channel(pixel, format.blue, 0);
        }
        target[3] = channel(pixel, alphaMask, 255);
        target += 4;
    }
    return true;
}

} // namespace

bool readDdsHeader(const std::uint8_t* data, std::size_t size, DdsHeader& out, std::string& error) {
    if (size < kMagicSize + kHeaderSize || std::memcmp(data, "DDS ", kMagicSize) != 0) {
        error = "not a DDS file (header missing or short)";
        return false;
    }
    const std::uint8_t* header = data + kMagicSize;
    if (word(header) != kHeaderSize) {
        error = "corrupt DDS header";
        return false;
    }
    const unsigned height = word(header + 8);
    const unsigned width = word(header + 12);
    if (width == 0 || height == 0) {
        error = "DDS image size " + std::to_string(width) + "x" + std::to_string(height) +
                " is out of range";
        return false;
    }
    out.width = width;
    out.height = height;
    out.mipLevels = word(header + 24) != 0 ? word(header + 24) : 1;
    out.format =
        word(header + 72) == kPixelFormatSize ? classify(pixelFormatOf(header)) : DdsFormat::Other;
    return true;
}

bool decodeDds(const std::uint8_t* data, std::size_t size, RgbaImage& out, std::string& error,
               std::uint64_t maxPixels) {
    DdsHeader info;
    if (!readDdsHeader(data, size, info, error))
        return false;
    const std::uint8_t* header = data + kMagicSize;
    if (word(header + 72) != kPixelFormatSize) {
        error = "corrupt DDS header";
        return false;
    }
    const unsigned width = info.width;
    const unsigned height = info.height;
    if (std::uint64_t{width} * height > maxPixels) {
        error = "DDS image size " + std::to_string(width) + "x" + std::to_string(height) +
                " is out of range";
        return false;
    }
    const PixelFormat format = pixelFormatOf(header);
    const std::uint8_t* pixels = header + kHeaderSize;
    const std::size_t available = size - kMagicSize - kHeaderSize;
    out.width = width;
    out.height = height;
    // Only the top level of the first face or slice is read; that is the image.
    if (format.flags & kFourCC) {
        if (format.fourCC == fourCC("DXT1"))
            return decodeCompressed(pixels, available, width, height, squish::kDxt1, out, error);
        if (format.fourCC == fourCC("DXT2") || format.fourCC == fourCC("DXT3"))
            return decodeCompressed(pixels, available, width, height, squish::kDxt3, out, error);
        if (format.fourCC == fourCC("DXT4") || format.fourCC == fourCC("DXT5"))
            return decodeCompressed(pixels, available, width, height, squish::kDxt5, out, error);
        char code[5] = {};
        std::memcpy(code, &format.fourCC, 4);
        for (char& c : code)
            if (c != 0 && (c < 32 || c > 126))
                c = '?';
        error = std::string("unsupported DDS compression '") + code + "'";
        return false;
    }
    if (format.flags & (kRgb | kLuminance | kAlphaOnly))
        return decodeUncompressed(pixels, available, width, height, format, out, error);
    error = "unsupported DDS pixel format";
    return false;
}

} // namespace vximage
