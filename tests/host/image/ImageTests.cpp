#include "tests/Shared/Base/TestLogCapture.h"

#include <maya/MImage.h>
#include <vornexhost/ImageDecoder.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace vornexhost {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Pixel = std::array<int, 4>;

void put32(Bytes& out, std::size_t at, std::uint32_t value) {
    ASSERT_LE(at + 4, out.size());
    for (std::size_t i = 0; i < 4; ++i)
        out.at(at + i) = std::uint8_t(value >> (8 * i));
}

// A DDS file: magic, the 124-byte header with the given pixel format, then `payload`.
Bytes dds(unsigned width, unsigned height, std::uint32_t formatFlags, const char* fourCC,
          std::uint32_t bits, std::array<std::uint32_t, 4> masks, const Bytes& payload) {
    Bytes out(128, 0);
    std::memcpy(out.data(), "DDS ", 4);
    put32(out, 4, 124);
    put32(out, 8, 0x1007); // caps, height, width, pixel format
    put32(out, 12, height);
    put32(out, 16, width);
    put32(out, 76, 32);
    put32(out, 80, formatFlags);
    if (fourCC)
        std::memcpy(out.data() + 84, fourCC, 4);
    put32(out, 88, bits);
    for (std::size_t i = 0; i < 4; ++i)
        put32(out, 92 + 4 * i, masks[i]);
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

Pixel pixelAt(const RgbaImage& image, unsigned x, unsigned y) {
    const std::uint8_t* p = image.pixels.data() + (std::size_t{y} * image.width + x) * 4;
    return {p[0], p[1], p[2], p[3]};
}

RgbaImage decoded(const Bytes& file) {
    RgbaImage image;
    std::string error;
    EXPECT_TRUE(decodeImage(file.data(), file.size(), image, error)) << error;
    return image;
}

// A DXT colour block: red (565 0xF800) and blue (0x001F) endpoints; row 0 index 0 (red),
// row 1 index 1 (blue), row 2 index 2 (two thirds red), row 3 index 3 (one third red).
Bytes colourBlock() {
    return {0x00, 0xF8, 0x1F, 0x00, 0x00, 0x55, 0xAA, 0xFF};
}

TEST(DdsDecoder, DecodesEachBlockEncodingToTheRightPixels) {
    const RgbaImage dxt1 = decoded(dds(4, 4, 0x4, "DXT1", 0, {}, colourBlock()));
    ASSERT_EQ(dxt1.width, 4u);
    EXPECT_EQ(pixelAt(dxt1, 0, 0), (Pixel{255, 0, 0, 255}));
    EXPECT_EQ(pixelAt(dxt1, 3, 1), (Pixel{0, 0, 255, 255}));
    const Pixel twoThirds = pixelAt(dxt1, 2, 2);
    EXPECT_NEAR(twoThirds[0], 170, 1);
    EXPECT_NEAR(twoThirds[2], 85, 1);

    // DXT3: explicit 4-bit alpha, first row 0xF, second row 0x8 (136), rest 0.
    Bytes dxt3Block = {0xFF, 0xFF, 0x88, 0x88, 0, 0, 0, 0};
    const Bytes colour = colourBlock();
    dxt3Block.insert(dxt3Block.end(), colour.begin(), colour.end());
    const RgbaImage dxt3 = decoded(dds(4, 4, 0x4, "DXT3", 0, {}, dxt3Block));
    EXPECT_EQ(pixelAt(dxt3, 1, 0), (Pixel{255, 0, 0, 255}));
    EXPECT_EQ(pixelAt(dxt3, 1, 1)[3], 136);
    EXPECT_EQ(pixelAt(dxt3, 1, 2)[3], 0);

    // DXT5: alpha endpoints 255 and 0; first row index 0, second row index 1, rest index 0.
    Bytes dxt5Block = {255, 0, 0x00, 0x90, 0x24, 0x00, 0x00, 0x00};
    dxt5Block.insert(dxt5Block.end(), colour.begin(), colour.end());
    const RgbaImage dxt5 = decoded(dds(4, 4, 0x4, "DXT5", 0, {}, dxt5Block));
    EXPECT_EQ(pixelAt(dxt5, 0, 0)[3], 255);
    EXPECT_EQ(pixelAt(dxt5, 2, 1)[3], 0);
    EXPECT_EQ(pixelAt(dxt5, 2, 2)[3], 255);
}

TEST(DdsDecoder, DecodesUncompressedLayoutsByTheirMasks) {
    // A8R8G8B8: bytes B, G, R, A in memory.
    const RgbaImage argb =
        decoded(dds(2, 1, 0x41, nullptr, 32, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
                    {10, 20, 30, 40, 1, 2, 3, 4}));
    EXPECT_EQ(pixelAt(argb, 0, 0), (Pixel{30, 20, 10, 40}));
    EXPECT_EQ(pixelAt(argb, 1, 0), (Pixel{3, 2, 1, 4}));

    // X8R8G8B8 without the alpha flag: alpha reads as opaque.
    const RgbaImage xrgb = decoded(
        dds(1, 1, 0x40, nullptr, 32, {0x00FF0000, 0x0000FF00, 0x000000FF, 0}, {7, 8, 9, 0}));
    EXPECT_EQ(pixelAt(xrgb, 0, 0), (Pixel{9, 8, 7, 255}));

    // R5G6B5: pure green is 0x07E0; half-intensity red is 0x7800 (15 of 31).
    const RgbaImage rgb565 = decoded(
        dds(2, 1, 0x40, nullptr, 16, {0xF800, 0x07E0, 0x001F, 0}, {0xE0, 0x07, 0x00, 0x78}));
    EXPECT_EQ(pixelAt(rgb565, 0, 0), (Pixel{0, 255, 0, 255}));
    EXPECT_EQ(pixelAt(rgb565, 1, 0), (Pixel{123, 0, 0, 255}));

    // R8G8B8 (24-bit) and L8.
    const RgbaImage rgb24 =
        decoded(dds(1, 1, 0x40, nullptr, 24, {0xFF0000, 0x00FF00, 0x0000FF, 0}, {50, 60, 70}));
    EXPECT_EQ(pixelAt(rgb24, 0, 0), (Pixel{70, 60, 50, 255}));
    const RgbaImage l8 = decoded(dds(1, 1, 0x20000, nullptr, 8, {0xFF, 0, 0, 0}, {99}));
    EXPECT_EQ(pixelAt(l8, 0, 0), (Pixel{99, 99, 99, 255}));
}

TEST(DdsDecoder, RejectsMalformedFilesWithAReason) {
    const Bytes good = dds(4, 4, 0x4, "DXT1", 0, {}, colourBlock());
    struct Case {
        Bytes file;
        std::string reason;
    };
    Bytes badSize = good;
    put32(badSize, 4, 100);
    Bytes huge = good;
    put32(huge, 12, 0x40000);
    put32(huge, 16, 0x40000);
    const Case cases[] = {
        {Bytes(good.begin(), good.begin() + 100), "not a DDS file (header missing or short)"},
        {badSize, "corrupt DDS header"},
        {Bytes(good.begin(), good.end() - 1), "DDS data is shorter than its 4x4 image"},
        {dds(0, 4, 0x4, "DXT1", 0, {}, {}), "DDS image size 0x4 is out of range"},
        {huge, "DDS image size 262144x262144 is out of range"},
        {dds(4, 4, 0x4, "ATI2", 0, {}, Bytes(16)), "unsupported DDS compression 'ATI2'"},
        {dds(1, 1, 0x40, nullptr, 12, {}, Bytes(4)), "unsupported DDS pixel size of 12 bits"},
        {dds(1, 1, 0, nullptr, 32, {}, Bytes(4)), "unsupported DDS pixel format"},
    };
    for (const Case& c : cases) {
        RgbaImage image;
        std::string error;
        EXPECT_FALSE(decodeDds(c.file.data(), c.file.size(), image, error)) << c.reason;
        EXPECT_EQ(error, c.reason);
    }
}

class ImageFile : public ::testing::Test {
protected:
    std::string write(const std::string& name, const Bytes& bytes) {
        std::ofstream(m_dir.file(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return m_dir.file(name);
    }
    vx::test::TempDir m_dir;
};

TEST_F(ImageFile, MImageKeepsTheBottomRowFirst) {
    // An uncompressed true-colour TGA, 1x2, stored top row first (descriptor bit 5):
    // top pixel red, bottom pixel blue; TGA pixels are B, G, R, A.
    Bytes tga(18, 0);
    tga[2] = 2;
    tga[12] = 1;
    tga[14] = 2;
    tga[16] = 32;
    tga[17] = 0x28;
    const Bytes pixels = {0, 0, 255, 255, 255, 0, 0, 255};
    tga.insert(tga.end(), pixels.begin(), pixels.end());
    MImage image;
    ASSERT_TRUE(image.readFromFile(write("column.tga", tga).c_str()));
    unsigned width = 0;
    unsigned height = 0;
    ASSERT_TRUE(image.getSize(width, height));
    EXPECT_EQ(width, 1u);
    EXPECT_EQ(height, 2u);
    const unsigned char* p = image.pixels();
    EXPECT_EQ((Pixel{p[0], p[1], p[2], p[3]}), (Pixel{0, 0, 255, 255})); // bottom: blue
    EXPECT_EQ((Pixel{p[4], p[5], p[6], p[7]}), (Pixel{255, 0, 0, 255})); // top: red
}

TEST_F(ImageFile, ResizeFitsInsideTheBoxWhenKeepingTheAspect) {
    MImage image;
    ASSERT_TRUE(image.readFromFile(
        write("wide.dds", dds(8, 4, 0x4, "DXT1", 0, {},
                              [] {
                                  Bytes blocks;
                                  for (int i = 0; i < 2; ++i) {
                                      const Bytes block = colourBlock();
                                      blocks.insert(blocks.end(), block.begin(), block.end());
                                  }
                                  return blocks;
                              }()))
            .c_str()));
    ASSERT_TRUE(image.resize(4, 4, true));
    unsigned width = 0;
    unsigned height = 0;
    image.getSize(width, height);
    EXPECT_EQ(width, 4u);
    EXPECT_EQ(height, 2u);
    ASSERT_TRUE(image.resize(3, 5, false));
    image.getSize(width, height);
    EXPECT_EQ(width, 3u);
    EXPECT_EQ(height, 5u);
}

TEST_F(ImageFile, UnreadableFilesFailWithTheirPath) {
    MImage image;
    const std::string junk = write("junk.png", {1, 2, 3, 4, 5});
    EXPECT_FALSE(image.readFromFile(junk.c_str()));
    EXPECT_EQ(lastImageReadError().rfind(junk + ": unreadable image", 0), 0u)
        << lastImageReadError();
    EXPECT_FALSE(image.readFromFile(m_dir.file("missing.tga").c_str()));
    EXPECT_EQ(lastImageReadError(), m_dir.file("missing.tga") + ": cannot open the file");
    EXPECT_EQ(image.pixels(), nullptr);
}

} // namespace
} // namespace vornexhost
