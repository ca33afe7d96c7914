#include <maya/MImage.h>
#include <vornexhost/ImageDecoder.h>

#include "Shared/Base/File/FileReads.h"

#include <stb_image_resize.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace {

std::string g_lastError;

} // namespace

namespace vornexhost {

const std::string& lastImageReadError() {
    return g_lastError;
}

} // namespace vornexhost

MStatus MImage::create(unsigned int width, unsigned int height, unsigned int channels,
                       MPixelType type) {
    if (width == 0 || height == 0 || channels != 4 || type != kByte ||
        std::uint64_t{width} * height > vornexhost::kMaxImagePixels)
        return MStatus::kInvalidParameter;
    m_width = width;
    m_height = height;
    m_pixels.assign(std::size_t{width} * height * 4, 0);
    return MStatus::kSuccess;
}

MStatus MImage::readFromFile(MString pathName, MPixelType type) {
    if (type != kByte) {
        g_lastError = pathName.str() + ": only 8-bit images are supported";
        return MStatus::kInvalidParameter;
    }
    std::ifstream file(pathName.asChar(), std::ios::binary);
    if (!file) {
        g_lastError = pathName.str() + ": cannot open the file";
        return MStatus::kFailure;
    }
    vx::recordFileRead(pathName.asChar());
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                          std::istreambuf_iterator<char>()};
    vornexhost::RgbaImage image;
    std::string error;
    if (!vornexhost::decodeImage(bytes.data(), bytes.size(), image, error)) {
        g_lastError = pathName.str() + ": " + error;
        return MStatus::kFailure;
    }
    // Decoders deliver the top row first; the host keeps the bottom row first.
    const std::size_t row = std::size_t{image.width} * 4;
    m_pixels.resize(image.pixels.size());
    for (unsigned y = 0; y < image.height; ++y)
        std::copy_n(image.pixels.data() + std::size_t{image.height - 1 - y} * row, row,
                    m_pixels.data() + std::size_t{y} * row);
    m_width = image.width;
    m_height = image.height;
    g_lastError.clear();
    return MStatus::kSuccess;
}

MStatus MImage::getSize(unsigned int& width, unsigned int& height) const {
    width = m_width;
    height = m_height;
    return m_pixels.empty() ? MStatus::kFailure : MStatus::kSuccess;
}

MStatus MImage::resize(int width, int height, bool preserveAspectRatio) {
    if (m_pixels.empty() || width <= 0 || height <= 0)
        return MStatus::kInvalidParameter;
    unsigned targetWidth = static_cast<unsigned>(width);
    unsigned targetHeight = static_cast<unsigned>(height);
    if (preserveAspectRatio) {
        const double scale = std::min(double(width) / m_width, double(height) / m_height);
        targetWidth = std::max(1u, static_cast<unsigned>(std::lround(m_width * scale)));
        targetHeight = std::max(1u, static_cast<unsigned>(std::lround(m_height * scale)));
    }
    if (std::uint64_t{targetWidth} * targetHeight > vornexhost::kMaxImagePixels)
        return MStatus::kInvalidParameter;
    std::vector<unsigned char> scaled(std::size_t{targetWidth} * targetHeight * 4);
    if (!stbir_resize_uint8(m_pixels.data(), static_cast<int>(m_width), static_cast<int>(m_height),
                            0, scaled.data(), static_cast<int>(targetWidth),
                            static_cast<int>(targetHeight), 0, 4))
        return MStatus::kFailure;
    m_pixels = std::move(scaled);
    m_width = targetWidth;
    m_height = targetHeight;
    return MStatus::kSuccess;
}

void MImage::release() {
    m_pixels.clear();
    m_pixels.shrink_to_fit();
    m_width = 0;
    m_height = 0;
}

unsigned char* MImage::pixels() const {
    return m_pixels.empty() ? nullptr : m_pixels.data();
}
