#pragma once
// Host API stand-in: an image in memory, 8-bit RGBA. As in the host, the first row of
// pixels() is the bottom row of the picture (OpenGL's order).
#include <maya/MStatus.h>
#include <maya/MString.h>

#include <vector>

class MImage {
public:
    enum MPixelType { kUnknown = 0, kByte = 1, kFloat = 2 };

    MImage() = default;

    MStatus create(unsigned int width, unsigned int height, unsigned int channels = 4,
                   MPixelType type = kByte);
    // Reads TGA, PNG, JPEG, BMP and DDS (DXT1, DXT3, DXT5 and uncompressed). Only kByte.
    MStatus readFromFile(MString pathName, MPixelType type = kByte);
    MStatus getSize(unsigned int& width, unsigned int& height) const;
    // Scales the pixels; with preserveAspectRatio the result fits inside width x height.
    MStatus resize(int width, int height, bool preserveAspectRatio = true);
    void release();

    // width * height * 4 bytes, or null when empty.
    unsigned char* pixels() const;
    unsigned int depth() const { return m_pixels.empty() ? 0u : 4u; }
    MPixelType pixelType() const { return m_pixels.empty() ? kUnknown : kByte; }
    bool isRGBA() const { return true; }

private:
    unsigned int m_width = 0;
    unsigned int m_height = 0;
    mutable std::vector<unsigned char> m_pixels;
};
