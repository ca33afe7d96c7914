// The `vornex` program as a user runs it, in a process of its own: what its terminal shows,
// where its exports go, and which camera its pictures are drawn through.
#include "tests/Shared/Base/TestLogCapture.h"

#include "tests/host/HostTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vornexhost::test {
namespace {

const std::string kBunker = VORNEX_EXAMPLES_DIR "/rawdata/buildings/bunker/bunker.ma";

struct ProgramOutput {
    int status = -1;
    std::string out;
    std::string err;
};

// The program run in `folder` with the plug-in built beside it.
ProgramOutput runProgram(const std::filesystem::path& folder, const std::string& arguments) {
    const std::filesystem::path out = folder / "stdout.txt";
    const std::filesystem::path err = folder / "stderr.txt";
    ProgramOutput run;
    run.status = std::system(("cd '" + folder.string() + "' && " VX_VORNEX_PROGRAM " " + arguments +
                              " >'" + out.string() + "' 2>'" + err.string() + "'")
                                 .c_str());
    run.out = vx::test::readWholeFile(out.string());
    run.err = vx::test::readWholeFile(err.string());
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

std::vector<std::string> filesUnder(const std::filesystem::path& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(std::filesystem::relative(entry.path(), folder).string());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(ProgramRun, ExportMakesItsFolderAndAnUnwritableOutputGivesOneLineWithTheReason) {
    vx::test::TempDir dir;
    const ProgramOutput made =
        runProgram(dir.path(), "export " + kBunker + " new/deep/bunker.staticMesh");
    ASSERT_EQ(made.status, 0) << made.out << made.err;
    EXPECT_TRUE(std::filesystem::exists(dir.file("new/deep/meshes/bunker.staticmesh")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("new/deep/bunker.nfo")));

    // A folder that is a file, and a folder of the kernel's that takes no new files.
    std::ofstream(dir.file("plain.txt")) << "x";
    const struct {
        std::string output;
        const char* reason;
    } unwritable[] = {{dir.file("plain.txt") + "/sub/x.staticMesh", std::strerror(ENOTDIR)},
                      {"/proc/x.staticMesh", std::strerror(ENOENT)}};
    for (const auto& c : unwritable) {
        SCOPED_TRACE(c.output);
        const std::vector<std::string> before = filesUnder(dir.path());
        const ProgramOutput failed = runProgram(dir.path(), "export " + kBunker + " " + c.output);
        EXPECT_NE(failed.status, 0);
        const std::vector<std::string> shown = lines(failed.out);
        ASSERT_EQ(shown.size(), 1u) << failed.out;
        EXPECT_NE(shown[0].find("// Error: "), std::string::npos);
        EXPECT_NE(shown[0].find(c.output), std::string::npos);
        EXPECT_NE(shown[0].find(c.reason), std::string::npos);
        EXPECT_EQ(failed.out.find("Assert"), std::string::npos);
        EXPECT_EQ(failed.err, "");
        EXPECT_EQ(filesUnder(dir.path()), before) << "nothing written";
    }
}

TEST(ProgramRun, TheTerminalShowsOneClosingLineUnlessVerbose) {
    vx::test::TempDir dir;
    const ProgramOutput quiet =
        runProgram(dir.path(), "export " + kBunker + " out/bunker.staticMesh");
    ASSERT_EQ(quiet.status, 0) << quiet.out << quiet.err;
    const std::vector<std::string> shown = lines(quiet.out);
    ASSERT_EQ(shown.size(), 1u) << quiet.out;
    EXPECT_EQ(shown[0].rfind("exported out/bunker.staticMesh: wrote ", 0), 0u) << shown[0];
    for (const char* part : {"bunker.con", "bunker.nfo", "bunker.staticMesh_log.txt",
                             "meshes/bunker.staticmesh", " in out;", "; error list: 0 entries; "})
        EXPECT_NE(shown[0].find(part), std::string::npos) << part << " in " << shown[0];
    EXPECT_EQ(shown[0].substr(shown[0].size() - 2), " s");
    EXPECT_EQ(quiet.err, "") << "no OpenGL extension report without a context";

    const ProgramOutput verbose =
        runProgram(dir.path(), "-v export " + kBunker + " out/bunker.staticMesh");
    ASSERT_EQ(verbose.status, 0);
    EXPECT_NE(verbose.out.find("Info: parseActiveMayaScene called\n"), std::string::npos);
    EXPECT_NE(verbose.out.find("Saving cgFX texture <"), std::string::npos);
    EXPECT_NE(verbose.out.find("exported out/bunker.staticMesh: "), std::string::npos);
    EXPECT_NE(verbose.err.find("GL_NV_register_combiners"), std::string::npos);
    // The log file keeps every line however quiet the terminal was.
    EXPECT_NE(vx::test::readWholeFile(dir.file("out/bunker.staticMesh_log.txt"))
                  .find("parseActiveMayaScene"),
              std::string::npos);

    const ProgramOutput parsed = runProgram(dir.path(), "parse " + kBunker + " -w graph/bunker");
    ASSERT_EQ(parsed.status, 0) << parsed.out << parsed.err;
    ASSERT_EQ(lines(parsed.out).size(), 1u) << parsed.out;
    EXPECT_EQ(parsed.out.rfind("parsed into graph/bunker.bundledMesh: wrote bunker.bundledMesh "
                               "in graph; 0 warnings; ",
                               0),
              0u)
        << parsed.out;
}

TEST(ProgramRun, RenderFramesTheSceneUnlessItSavedTheCameraAndSaysWhichCameraItUsed) {
    vx::test::TempDir dir;
    // A cube 2 units wide at 500 units along x, and a persp camera saved looking at it from
    // 5 units away: only that camera, or one framing the scene, sees the cube.
    std::filesystem::copy_file(VORNEX_TEST_DATA_DIR "/host/saved_camera_far_box.ma",
                               dir.file("saved.ma"));
    const struct {
        std::string arguments;
        std::string line;
    } cases[] = {
        {"saved.ma -o a.png", "rendered a.png through the camera \"persp\""},
        {"saved.ma -o b.png --camera top",
         "rendered b.png through the camera \"top\" (not saved in the scene), moved back to "
         "hold everything"},
        {kBunker + " -o c.png",
         "rendered c.png through the camera \"persp\" (not saved in the scene), moved back to "
         "hold everything"},
        {kBunker + " -o d.png --camera shot1",
         "rendered d.png through the camera \"persp\" (the scene has no camera \"shot1\"), moved "
         "back to hold everything"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ProgramOutput run = runProgram(dir.path(), "render " + c.arguments + " --size 64x48");
        ASSERT_EQ(run.status, 0) << run.out << run.err;
        EXPECT_EQ(run.out, c.line + "\n");
        const std::string png = dir.file(c.arguments.substr(c.arguments.find("-o ") + 3, 5));
        EXPECT_GT(drawnPixels(png), 64u * 48u / 10u) << "a tenth of the picture at least";
    }
}

} // namespace
} // namespace vornexhost::test
