// Every example scene drawn by `vornex render` with the plug-in loaded: the picture is written
// and shows something besides the background.
#include "tests/Vornex/RunVornex.h"
#include "tests/Vornex/SceneQueries.h"

#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vx::test {
namespace {

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
        EXPECT_GT(vornexhost::test::drawnPixels(png), 30u);
        ++count;
    }
    EXPECT_GE(count, 12u);
    std::filesystem::remove_all(out);
}

} // namespace
} // namespace vx::test
