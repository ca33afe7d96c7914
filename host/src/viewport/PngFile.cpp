#include <vornexhost/ViewportRender.h>

#include <stb_image_write.h>

#include <cstdio>

namespace vornexhost {

bool writePng(const std::string& path, const RenderedImage& image, std::string& error) {
    const auto pixels =
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    if (image.width <= 0 || image.height <= 0 || image.rgba.size() != pixels * 4) {
        error = "no image to write to \"" + path + "\"";
        return false;
    }
    std::vector<unsigned char> rgb(pixels * 3);
    for (std::size_t i = 0; i < pixels; ++i)
        for (std::size_t c = 0; c < 3; ++c)
            rgb[i * 3 + c] = image.rgba[i * 4 + c];
    // A half-written file must not look like a picture: write beside it, then rename.
    const std::string partial = path + ".partial";
    if (!stbi_write_png(partial.c_str(), image.width, image.height, 3, rgb.data(),
                        image.width * 3)) {
        std::remove(partial.c_str());
        error = "cannot write \"" + path + "\"";
        return false;
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        error = "cannot write \"" + path + "\"";
        return false;
    }
    return true;
}

} // namespace vornexhost
