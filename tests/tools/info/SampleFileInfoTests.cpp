// `vornex info` on lightmap sample files (the strict reader, the summary and the picture) and on
// DDS textures.
#include "tools/info/InfoCommand.h"
#include "tools/info/SampleFileInfo.h"
#include "tools/info/SampleFileReader.h"
#include "vximage/DdsCodec.h"

#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Shared/Graphics/Scene/SceneTestData.h"
#include "tests/tools/info/FileReadBack.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vx::test {
namespace {

// One lumel: its position, the normal (0, 0, 1) and its triangle.
void sample(Bytes& b, float x, float y, float z, std::int32_t triangle) {
    b.f32(x).f32(y).f32(z).f32(0).f32(0).f32(1).i32(triangle);
}

// 2 × 2 lumels, two of them on triangle 0 of 1 (whose 18 floats count from 0).
std::string smallFile() {
    Bytes b = Bytes().raw("SMP2").u32(2).u32(2);
    sample(b, 0.25f, 0.25f, 0.0f, 0);
    sample(b, 0, 0, 0, -1);
    sample(b, 0.1f, 0.6f, 2.0f, 0);
    sample(b, 0, 0, 0, -1);
    b.u32(1);
    for (int f = 0; f < 18; ++f)
        b.f32(static_cast<float>(f));
    return b.str();
}

bool read(const std::string& bytes, info::SampleFileContents& contents, std::string& error) {
    return info::readSampleFile(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                contents, error);
}

TEST(SampleFileReader, ReadsEveryFieldOfAWellFormedFile) {
    info::SampleFileContents contents;
    std::string error;
    ASSERT_TRUE(read(smallFile(), contents, error)) << error;
    EXPECT_EQ(contents.width, 2u);
    EXPECT_EQ(contents.height, 2u);
    ASSERT_EQ(contents.samples.size(), 4u);
    EXPECT_EQ(contents.samples[2].position, (Vector3{0.1f, 0.6f, 2.0f}));
    EXPECT_EQ(contents.samples[2].normal, (Vector3{0, 0, 1}));
    EXPECT_EQ(contents.samples[3].triangle, -1);
    ASSERT_EQ(contents.triangles.size(), 1u);
    EXPECT_EQ(contents.triangles[0][2].normal, (Vector3{15, 16, 17}));
}

TEST(SampleFileReader, RefusesBrokenFilesNamingTheOffset) {
    const std::string good = smallFile();
    std::string badMagic = good;
    badMagic[3] = '1';
    std::string badTriangle = good;
    const std::int32_t three = 3;
    std::memcpy(badTriangle.data() + 12 + 2 * 28 + 24, &three, 4);
    std::string belowNone = good;
    const std::int32_t minusTwo = -2;
    std::memcpy(belowNone.data() + 12 + 24, &minusTwo, 4);
    const struct {
        std::string bytes;
        const char* reason;
    } cases[] = {
        {badMagic, "no \"SMP2\" at byte offset 0"},
        {Bytes().raw("SMP2").u32(0).u32(5).u32(0).str(), "lightmap size 0x5 at byte offset 4"},
        {Bytes().raw("SMP2").u32(0xFFFFFFFFu).u32(0xFFFFFFFFu).u32(0).str(),
         "4294967295x4294967295 lumels (28 bytes each) from byte offset 12 do not fit the 4 bytes "
         "left"},
        {good + "x", "the 1 triangles from byte offset 128 need 72 bytes, the file has 73"},
        {badTriangle, "lumel (0, 1) at byte offset 68 names triangle 3 of 1"},
        {belowNone, "lumel (0, 0) at byte offset 12 names triangle -2 of 1"},
    };
    for (const auto& c : cases) {
        info::SampleFileContents contents;
        std::string error;
        EXPECT_FALSE(read(c.bytes, contents, error)) << c.reason;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    // Every shorter piece of a good file is refused with a reason.
    for (std::size_t length = 0; length < good.size(); ++length) {
        info::SampleFileContents contents;
        std::string error;
        EXPECT_FALSE(read(good.substr(0, length), contents, error)) << length;
        EXPECT_FALSE(error.empty()) << length;
    }
}

TEST(SampleFileInfo, PrintsTheSummaryAndDrawsThePicture) {
    TempDir folder;
    const std::string path = folder.file("rock.samp_12");
    std::ofstream(path, std::ios::binary) << smallFile();
    const std::string picture = folder.file("rock.png");
    EXPECT_EQ(printedInfo({path, "--png", picture}),
              path +
                  ":\n"
                  "lightmap samples 2 x 2 lumels\n"
                  "triangles 1\n"
                  "lumels on a surface 2 of 4 (50%)\n"
                  "sample positions from (0.1, 0.25, 0) to (0.25, 0.6, 2)\n"
                  "picture " +
                  picture + "\n");
    const std::string png = readWholeFile(picture);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\2\0\0\0\2", 8)); // 2 × 2, big-endian

    std::ostringstream badOut;
    std::ostringstream badErr;
    EXPECT_EQ(info::runInfo({path, "--jpeg", picture}, badOut, badErr), 1);
    EXPECT_NE(badErr.str().find("sample files take only --png OUT.png"), std::string::npos);
    std::ofstream(folder.file("cut.samples"), std::ios::binary) << smallFile().substr(0, 20);
    EXPECT_EQ(info::runInfo({folder.file("cut.samples")}, badOut, badErr), 1);
    EXPECT_NE(badErr.str().find("cut.samples: the"), std::string::npos) << badErr.str();
    // A folder with the name of a sample file is not read as one.
    std::filesystem::create_directory(folder.file("folder.samples"));
    EXPECT_EQ(info::runInfo({folder.file("folder.samples")}, badOut, badErr), 1);
    EXPECT_NE(std::string(info::infoKindsText()).find("FILE.samples"), std::string::npos);
}

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
    ASSERT_EQ(
        info::runInfo({folder.file("body_n_os.dds"), "--png", folder.file("body.png")}, out, err),
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
    EXPECT_EQ(info::runInfo({folder.file("short.dds")}, none, why), 1);
    EXPECT_NE(why.str().find("short.dds"), std::string::npos) << why.str();
    EXPECT_EQ(info::runInfo({folder.file("body_n_os.dds"), "--vertices", "3"}, none, why), 1);
}

} // namespace
} // namespace vx::test
