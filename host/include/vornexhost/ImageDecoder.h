#pragma once
// Image file decoding behind MImage. Rows come out top row first, 4 bytes per pixel RGBA.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vornexhost {

struct RgbaImage {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<std::uint8_t> pixels;
};

// Largest image accepted, in pixels (8192 x 8192): a bigger header is taken as corrupt rather
// than allowed to demand gigabytes.
constexpr std::uint64_t kMaxImagePixels = std::uint64_t{1} << 26;

// Decodes DDS by its magic, everything else through the general image reader. On failure
// returns false with a reason in `error`.
bool decodeImage(const std::uint8_t* data, std::size_t size, RgbaImage& out, std::string& error,
                 std::uint64_t maxPixels = kMaxImagePixels);
bool decodeDds(const std::uint8_t* data, std::size_t size, RgbaImage& out, std::string& error,
               std::uint64_t maxPixels = kMaxImagePixels);

// Why the last MImage::readFromFile failed ("path: reason"), for the host program's messages.
const std::string& lastImageReadError();

} // namespace vornexhost
