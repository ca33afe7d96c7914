// Texture files come from anywhere on an artist's disk: any bytes must decode or fail with a
// reason, never crash, hang or allocate without bound.
#include <vornexhost/ImageDecoder.h>

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vornexhost::RgbaImage image;
    std::string error;
    // A small pixel limit keeps each run fast; the limit check itself is covered by the tests.
    constexpr std::uint64_t kFuzzMaxPixels = 1 << 20;
    if (vornexhost::decodeImage(data, size, image, error, kFuzzMaxPixels)) {
        if (image.pixels.size() != std::size_t{image.width} * image.height * 4)
            __builtin_trap();
    } else if (error.empty()) {
        __builtin_trap();
    }
    return 0;
}
