#include "vximage/ImageDecoder.h"

#include "vximage/DdsCodec.h"

#include <stb_image.h>

#include <climits>
#include <cstring>

namespace vximage {

bool decodeImage(const std::uint8_t* data, std::size_t size, RgbaImage& out, std::string& error,
                 std::uint64_t maxPixels) {
    if (size >= 4 && std::memcmp(data, "DDS ", 4) == 0)
        return decodeDds(data, size, out, error, maxPixels);
    if (size > static_cast<std::size_t>(INT_MAX)) {
        error = "image file too large";
        return false;
    }
    const int length = static_cast<int>(size);
    int width = 0;
    int height = 0;
    int channels = 0;
    // The size check comes before decoding so a hostile header cannot demand the allocation.
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) {
        const char* reason = stbi_failure_reason();
        error = std::string("unreadable image: ") + (reason ? reason : "unknown format");
        return false;
    }
    if (width <= 0 || height <= 0 ||
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > maxPixels) {
        error = "image size " + std::to_string(width) + "x" + std::to_string(height) +
                " is out of range";
        return false;
    }
    stbi_uc* pixels = stbi_load_from_memory(data, length, &width, &height, &channels, 4);
    if (!pixels) {
        const char* reason = stbi_failure_reason();
        error = std::string("unreadable image: ") + (reason ? reason : "decoding failed");
        return false;
    }
    out.width = static_cast<unsigned>(width);
    out.height = static_cast<unsigned>(height);
    out.pixels.assign(pixels, pixels + std::size_t{out.width} * out.height * 4);
    stbi_image_free(pixels);
    return true;
}

} // namespace vximage
