#pragma once
// The mapper's debug pictures: uncompressed 32-bit TGA, top-left origin.
#include <cstdint>
#include <string>

namespace vx {

constexpr std::size_t kTgaHeaderSize = 18;

// The 18-byte header: no image id, no colour map, true colour, the size, 32 bits per pixel,
// 8 alpha bits with the origin at the top left (0x28).
void tgaHeader(std::uint32_t width, std::uint32_t height, unsigned char header[kTgaHeaderSize]);

// The header, then width × height pixels row by row from the top, each 32-bit value
// little-endian (bytes B, G, R, A for 0xAARRGGBB). False when the file could not be written
// whole (it is then removed); an unopenable path asserts (see OutFile::open).
bool writeTga(const std::string& path, std::uint32_t width, std::uint32_t height,
              const std::uint32_t* pixels);

} // namespace vx
