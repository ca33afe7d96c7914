#include "tests/Shared/Base/TestLogCapture.h"
#include "tools/info/InfoCommand.h"
#include "vximage/DdsCodec.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <fstream>
#include <sstream>

namespace vx::info {
namespace {

TEST(DdsFileInfo, DescribesTheTextureAndWritesItsTopLevelAsPng) {
    test::TempDir folder;
    vximage::RgbaImage top{4, 2, {}};
    for (int i = 0; i < 8; ++i)
        top.pixels.insert(top.pixels.end(), {static_cast<std::uint8_t>(30 * i), 200,
                                             static_cast<std::uint8_t>(255 - i), 255});
    vximage::RgbaImage second{2, 1, std::vector<std::uint8_t>(8, 9)};
    vximage::RgbaImage third{1, 1, std::vector<std::uint8_t>(4, 7)};
    const std::vector<std::uint8_t> bytes =
        vximage::encodeDds(vximage::DdsFormat::A8R8G8B8, {top, second, third});
    std::ofstream(folder.file("body_n_os.dds"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));

    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(runInfo({folder.file("body_n_os.dds"), "--png", folder.file("body.png")}, out, err),
              0)
        << err.str();
    EXPECT_NE(out.str().find("size 4 x 2, format A8R8G8B8, mip levels 3, " +
                             std::to_string(bytes.size()) + " bytes"),
              std::string::npos)
        << out.str();
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* png = stbi_load(folder.file("body.png").c_str(), &width, &height, &channels, 4);
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(std::vector<std::uint8_t>(png, png + width * height * 4), top.pixels);
    stbi_image_free(png);

    // Damaged files and unknown options are refused with the file named.
    std::ofstream(folder.file("short.dds"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), 60);
    std::ostringstream none;
    std::ostringstream why;
    EXPECT_EQ(runInfo({folder.file("short.dds")}, none, why), 1);
    EXPECT_NE(why.str().find("short.dds"), std::string::npos) << why.str();
    EXPECT_EQ(runInfo({folder.file("body_n_os.dds"), "--vertices", "3"}, none, why), 1);
}

} // namespace
} // namespace vx::info
