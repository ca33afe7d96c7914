// Image sizes from file headers, for every kind the exporter meets.
#include "tests/Shared/Base/TestLogCapture.h"

#include <d3dx9tex.h>
#include <stb_image_write.h>

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace {

TEST(D3DXImageInfo, ReadsTheSizeOfEveryKindFromItsHeader) {
    vx::test::TempDir dir;
    const int w = 6;
    const int h = 20;
    const std::vector<unsigned char> pixels(static_cast<std::size_t>(w * h * 3), 128);
    ASSERT_TRUE(stbi_write_png(dir.file("a.png").c_str(), w, h, 3, pixels.data(), w * 3));
    ASSERT_TRUE(stbi_write_tga(dir.file("a.tga").c_str(), w, h, 3, pixels.data()));
    ASSERT_TRUE(stbi_write_bmp(dir.file("a.bmp").c_str(), w, h, 3, pixels.data()));
    ASSERT_TRUE(stbi_write_jpg(dir.file("a.jpg").c_str(), w, h, 3, pixels.data(), 90));
    {
        // A DDS header alone: the size is all that is read.
        unsigned char header[128] = {'D', 'D', 'S', ' ', 124};
        header[12] = h;
        header[16] = w;
        std::ofstream(dir.file("a.dds"), std::ios::binary)
            .write(reinterpret_cast<const char*>(header), sizeof header);
    }
    const std::vector<std::pair<const char*, D3DXIMAGE_FILEFORMAT>> files = {
        {"a.png", D3DXIFF_PNG},
        {"a.tga", D3DXIFF_TGA},
        {"a.bmp", D3DXIFF_BMP},
        {"a.jpg", D3DXIFF_JPG},
        {"a.dds", D3DXIFF_DDS}};
    for (const auto& [name, format] : files) {
        D3DXIMAGE_INFO info;
        ASSERT_EQ(D3DXGetImageInfoFromFileA(dir.file(name).c_str(), &info), D3D_OK) << name;
        EXPECT_EQ(info.Width, static_cast<UINT>(w)) << name;
        EXPECT_EQ(info.Height, static_cast<UINT>(h)) << name;
        EXPECT_EQ(info.ImageFileFormat, format) << name;
    }
    std::ofstream(dir.file("notes.txt")) << "not an image";
    D3DXIMAGE_INFO info;
    EXPECT_EQ(D3DXGetImageInfoFromFileA(dir.file("notes.txt").c_str(), &info), D3DXERR_INVALIDDATA);
    EXPECT_EQ(D3DXGetImageInfoFromFileA(dir.file("missing.png").c_str(), &info),
              D3DERR_NOTAVAILABLE);
}

} // namespace
