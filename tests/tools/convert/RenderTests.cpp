// `vornex render` of game files: the example tank drawn with its parts placed and its tracks'
// texture, and a LOD it does not have refused.
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/tools/convert/ExampleGameFiles.h"
#include "tools/render/GameMeshRenderCommand.h"
#include "vximage/ImageDecoder.h"

#include <vornexhost/ViewportContext.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace vx {
namespace {

TEST(GameMeshRender, TheTankIsDrawnFramedAndABadLodWritesNothing) {
    std::string why;
    if (!vornexhost::viewportContext(why))
        GTEST_SKIP() << why;
    const auto& files = test::exampleGameFiles();
    const std::string out = files.scratch + "/tank.png";
    std::ostringstream output, err;
    ASSERT_EQ(render::runGameMeshRender({files.tank, "-o", out, "--con", files.tankScript,
                                         "--textures", files.textures, "--size", "160x120"},
                                        output, err),
              0)
        << err.str();
    const std::string png = test::readWholeFile(out);
    vximage::RgbaImage image;
    ASSERT_TRUE(vximage::decodeImage(reinterpret_cast<const std::uint8_t*>(png.data()), png.size(),
                                     image, why));
    ASSERT_EQ(image.width, 160u);
    ASSERT_EQ(image.height, 120u);
    // Framed: the model covers the middle and leaves the corners to the background.
    auto pixel = [&](unsigned x, unsigned y) {
        const std::uint8_t* p = &image.pixels[4 * (y * image.width + x)];
        return std::array<int, 3>{p[0], p[1], p[2]};
    };
    const std::array<int, 3> background = pixel(0, 0);
    EXPECT_EQ(pixel(159, 119), background);
    EXPECT_NE(pixel(80, 60), background);
    std::size_t covered = 0;
    for (unsigned y = 0; y < 120; ++y)
        for (unsigned x = 0; x < 160; ++x)
            covered += pixel(x, y) != background;
    EXPECT_GT(covered, 160u * 120u / 10);
    EXPECT_LT(covered, 160u * 120u * 9 / 10);

    const std::string bad = files.scratch + "/lod3.png";
    std::ostringstream err3;
    EXPECT_EQ(render::runGameMeshRender({files.tank, "-o", bad, "--lod", "3"}, output, err3), 1);
    EXPECT_NE(err3.str().find("there is no LOD 3"), std::string::npos) << err3.str();
    EXPECT_FALSE(std::filesystem::exists(bad));
}

} // namespace
} // namespace vx
