#pragma once
// DDS files: the 4-byte magic "DDS ", a 124-byte header, then the pixel data of each mip level,
// largest first. Only 2D textures are read, and only their top level is decoded.
#include "vximage/RgbaImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vximage {

// The pixel layouts a DDS file is written in. Other is any layout the reader can decode but
// that has no name here (16-bit, 24-bit, luminance, DXT2/DXT4, ...).
enum class DdsFormat { A8R8G8B8, X8R8G8B8, Dxt1, Dxt3, Dxt5, Other };

struct DdsHeader {
    unsigned width = 0;
    unsigned height = 0;
    unsigned mipLevels = 1; // at least 1, even when the file leaves the count 0
    DdsFormat format = DdsFormat::Other;
};

inline constexpr std::size_t kDdsHeaderBytes = 128; // magic and header

// Reads the magic and header, checking the header size and a non-zero image size. A pixel
// format the file does not describe leaves format Other. On failure returns false with a
// reason in `error`.
bool readDdsHeader(const std::uint8_t* data, std::size_t size, DdsHeader& out, std::string& error);

// Decodes the top level to RGBA. The file must hold every byte of that level; images above
// maxPixels are refused.
bool decodeDds(const std::uint8_t* data, std::size_t size, RgbaImage& out, std::string& error,
               std::uint64_t maxPixels = kMaxImagePixels);

// A whole DDS file holding `levels` (largest first, each half the size of the one before,
// at least 1 x 1) in `format` (not Other): uncompressed formats exactly, the block formats
// through libsquish's cluster fit compressor. X8R8G8B8 writes 0xFF as the unused byte. The
// header always names its mip level count. Returns an empty vector when the levels do not
// form a chain or a level's pixels do not match its size.
std::vector<std::uint8_t> encodeDds(DdsFormat format, const std::vector<RgbaImage>& levels);

// Bytes of one level of `format` at the given size (block formats round up to 4 x 4 blocks).
std::uint64_t ddsLevelBytes(DdsFormat format, unsigned width, unsigned height);

// Converts one level between RGBA and the file's layout. `blocks` is ddsLevelBytes long.
void packDdsLevel(DdsFormat format, const RgbaImage& image, std::uint8_t* blocks);
void unpackDdsLevel(DdsFormat format, const std::uint8_t* blocks, RgbaImage& image);

} // namespace vximage
