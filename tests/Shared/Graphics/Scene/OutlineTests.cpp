// The scene graph file inspector.
#include "Shared/Base/Streams/FileOutStream.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/SceneOutline.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Shared/Graphics/Scene/SceneTestData.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vx {
namespace {

TEST(SceneOutline, ShowsNodesMeshesMaterialsAndNamedValues) {
    Scene scene;
    test::buildReferenceScene(scene);
    std::ostringstream out;
    printSceneOutline(scene, out);
    const std::string text = out.str();
    const auto lines =
        test::listedLines(VORNEX_TEST_DATA_DIR "/scene/outline_of_reference_scene.txt");
    EXPECT_EQ(lines.size(), 21u);
    for (const std::string& line : lines) {
        const bool start = line.ends_with(" ...");
        const std::string expected = start ? line.substr(0, line.size() - 4) : line + "\n";
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin:\n" << text;
    }
}

TEST(SceneOutline, RunSceneInfoReadsAFileAndReportsFailures) {
    test::LogCapture capture;
    test::TempDir dir;
    const std::string path = dir.file("scene.sgf");
    {
        Scene scene;
        test::buildReferenceScene(scene);
        FileOutStream out(path.c_str());
        ASSERT_TRUE(scene.write(out));
        ASSERT_TRUE(out.close());
    }
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runSceneInfo(path.c_str(), out, err), 0);
    EXPECT_EQ(out.str().rfind(path + ":\nScene graph version 5\nRootNode \"scene.ma\"", 0), 0u);
    EXPECT_TRUE(err.str().empty());

    std::ostringstream out2;
    std::ostringstream err2;
    EXPECT_EQ(runSceneInfo(dir.file("missing.sgf").c_str(), out2, err2), 1);
    EXPECT_NE(err2.str().find("cannot open"), std::string::npos);
    {
        FileOutStream bad(dir.file("bad.sgf").c_str());
        bad << "not a scene";
        ASSERT_TRUE(bad.close());
    }
    std::ostringstream err3;
    EXPECT_EQ(runSceneInfo(dir.file("bad.sgf").c_str(), out2, err3), 1);
    EXPECT_NE(err3.str().find("not a scene graph file"), std::string::npos);
}

} // namespace
} // namespace vx
