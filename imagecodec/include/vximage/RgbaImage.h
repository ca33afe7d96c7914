#pragma once
// A decoded image: rows top row first, 4 bytes per pixel in the order R, G, B, A.
#include <cstdint>
#include <vector>

namespace vximage {

struct RgbaImage {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<std::uint8_t> pixels;
};

// Largest image accepted, in pixels (8192 x 8192): a bigger header is taken as corrupt rather
// than allowed to demand gigabytes.
constexpr std::uint64_t kMaxImagePixels = std::uint64_t{1} << 26;

} // namespace vximage
