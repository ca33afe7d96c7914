// Every example scene drawn by `vornex render` with the plug-in loaded: the picture is written
// and shows something besides the background.
#include "tests/Vornex/RunVornex.h"
#include "tests/Vornex/SceneQueries.h"

#include <maya/MImage.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace vx::test {
namespace {

// Pixels that are not the viewport's background grey (64, 64, 64).
unsigned drawnPixels(const std::string& png) {
    MImage image;
    unsigned width = 0;
    unsigned height = 0;
    if (!image.readFromFile(MString(png)) || !image.getSize(width, height))
        return 0;
    unsigned drawn = 0;
    for (std::size_t i = 0; i < std::size_t{width} * height; ++i) {
        const unsigned char* p = image.pixels() + i * 4;
        if (p[0] != 64 || p[1] != 64 || p[2] != 64)
            ++drawn;
    }
    return drawn;
}

TEST(VornexRender, EveryExampleSceneIsDrawn) {
    const std::filesystem::path scenes = VORNEX_EXAMPLES_DIR;
    const std::filesystem::path out = std::filesystem::temp_directory_path() / "vornex_render_e2e";
    std::filesystem::create_directories(out);
    unsigned count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(scenes)) {
        if (entry.path().extension() != ".ma")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const std::string png = (out / entry.path().stem()).string() + ".png";
        ASSERT_EQ(vornex({"render", entry.path().string(), "-o", png, "--size", "64x48", "--fit"}),
                  0);
        // Every scene holds something: at least a few dozen pixels of it.
        EXPECT_GT(drawnPixels(png), 30u);
        ++count;
    }
    EXPECT_GE(count, 12u);
    std::filesystem::remove_all(out);
}

} // namespace
} // namespace vx::test
