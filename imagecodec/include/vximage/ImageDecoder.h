#pragma once
// Image file decoding by content: DDS by its magic, everything else (TGA, PNG, JPEG, BMP, ...)
// through stb.
#include "vximage/RgbaImage.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vximage {

// On failure returns false with a reason in `error`; images above maxPixels are refused.
bool decodeImage(const std::uint8_t* data, std::size_t size, RgbaImage& out, std::string& error,
                 std::uint64_t maxPixels = kMaxImagePixels);

} // namespace vximage
