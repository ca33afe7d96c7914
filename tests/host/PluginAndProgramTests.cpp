// Plug-in loading and the `vornex` host program: in this process with a plug-in built like the
// real one, and as a user runs it, in a process of its own.
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/host/HostTestSupport.h"

#include <vornexhost/NodeType.h>
#include <vornexhost/PluginRegistry.h>

#include <HostProgram.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vornexhost::test {
namespace {

int program(const std::vector<std::string>& args) {
    return vornexapp::runHostProgram(args, "/nonexistent");
}

TEST(Plugins, RegistrationsLandInTheHostTablesAndLeaveAtUnload) {
    PluginRegistry& registry = PluginRegistry::instance();
    std::string error;
    ScriptCapture capture;
    ASSERT_TRUE(registry.load(VX_TEST_PLUGIN, error)) << error;
    EXPECT_EQ(registry.commands.count("Vornex"), 1u);
    ASSERT_EQ(registry.translators.count("VornexFtr"), 1u);
    EXPECT_EQ(registry.translators["VornexFtr"].defaultOptions, "includeImages=0;");
    const NodeType* type = NodeTypeRegistry::instance().find("vxLevelNode");
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->typeId, 0x7f0001u);
    ASSERT_NE(type->find("lv"), nullptr);
    // A scene can hold the plug-in's node type, with its attribute default.
    loadScene("createNode vxLevelNode -n \"lvl\";\n");
    EXPECT_EQ(mel("getAttr lvl.level"), "2.5");
    EXPECT_EQ(mel("Vornex a -b \"c d\""), "echo:a:-b:c d|0");
    EXPECT_EQ(mel("Vornex fail"), "<failed>");
    EXPECT_TRUE(capture.contains("command \"Vornex\" failed"));
    // Registering the same command twice fails.
    EXPECT_FALSE(registry.load(VX_TEST_PLUGIN, error));
    registry.unloadAll();
    EXPECT_TRUE(capture.contains("test plug-in unloaded"));
    EXPECT_EQ(registry.commands.count("Vornex"), 0u);
    EXPECT_EQ(registry.translators.count("VornexFtr"), 0u);
    EXPECT_EQ(NodeTypeRegistry::instance().find("vxLevelNode"), nullptr);
    EXPECT_EQ(mel("Vornex"), "<failed>");
}

TEST(Plugins, LibrariesThatAreNotPluginsOrTooNewAreRefused) {
    PluginRegistry& registry = PluginRegistry::instance();
    std::string error;
    EXPECT_FALSE(registry.load(VX_FUTURE_PLUGIN, error));
    EXPECT_NE(error.find("was built for API version 20250000; this host provides 450"),
              std::string::npos)
        << error;
    // A library without the entry points, such as the host's own, is not a plug-in.
    EXPECT_FALSE(registry.load(VX_NOT_A_PLUGIN, error));
    EXPECT_NE(error.find("is not a plug-in: it lacks MApiVersion"), std::string::npos) << error;
    EXPECT_FALSE(registry.load("/nonexistent/plugin.so", error));
    EXPECT_NE(error.find("cannot load plug-in \"/nonexistent/plugin.so\""), std::string::npos);
    registry.unloadAll();
}

TEST(HostProgram, MelPrintsEachResultAndFailsOnErrors) {
    ScriptCapture capture;
    EXPECT_EQ(program({"mel", dataPath("rig.ma"), "-c",
                       "ls -type joint; getAttr knee.worldMatrix; currentTime -q"}),
              0);
    EXPECT_EQ(capture.lines(),
              (std::vector<std::string>{"// Result: hip knee ankle //",
                                        "// Result: 0 1 0 0 -1 0 0 0 0 0 1 0 5 2 0 1 //",
                                        "// Result: 1 //"}));
    ScriptCapture failing;
    EXPECT_EQ(program({"mel", dataPath("rig.ma"), "-c", "ls; noSuchCommand 1"}), 1);
    EXPECT_TRUE(failing.contains("// Error: Cannot find procedure \"noSuchCommand\". //"));
    EXPECT_EQ(program({"mel", dataPath("missing.ma"), "-c", "ls"}), 1);
    EXPECT_EQ(program({"mel", dataPath("rig.ma")}), 1);
    EXPECT_EQ(program({"frobnicate"}), 1);
}

TEST(HostProgram, HelpDocumentsEveryVerb) {
    for (const char* verb : {"mel", "parse", "export", "info"}) {
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(program({verb, "--help"}), 0);
        EXPECT_NE(::testing::internal::GetCapturedStdout().find(std::string("vornex ") + verb),
                  std::string::npos);
    }
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(program({"--help"}), 0);
    const std::string usage = ::testing::internal::GetCapturedStdout();
    for (const char* verb : {"mel SCENE", "parse SCENE", "export SCENE", "info FILE"})
        EXPECT_NE(usage.find(verb), std::string::npos) << verb;
}

TEST(HostProgram, ParseAndExportNeedThePluginAndCallIt) {
    ScriptCapture capture;
    EXPECT_EQ(program({"parse", dataPath("rig.ma")}), 1);
    EXPECT_TRUE(capture.contains("no plug-in provides the command \"Vornex\""));
    const std::string out = ::testing::TempDir() + "vx_export.out";
    EXPECT_EQ(program({"export", dataPath("rig.ma"), out}), 1);
    EXPECT_TRUE(capture.contains("no plug-in provides the file translator \"VornexFtr\""));

    EXPECT_EQ(program({"parse", dataPath("rig.ma"), "-tz", "out", "--plugin", VX_TEST_PLUGIN}), 0);
    EXPECT_EQ(program({"parse", dataPath("rig.ma"), "fail", "--plugin", VX_TEST_PLUGIN}), 1);
    EXPECT_EQ(
        program({"export", dataPath("rig.ma"), out, "--right-handed", "--plugin", VX_TEST_PLUGIN}),
        0);
    EXPECT_EQ(vx::test::readWholeFile(out),
              "includeImages=0;zaxisPositive=0;righthandedSystem=1;\n4\n0\n");
    EXPECT_EQ(program({"export", dataPath("rig.ma"), out, "--include-images", "--selection", "hip",
                       "knee", "--plugin", VX_TEST_PLUGIN}),
              0);
    EXPECT_EQ(vx::test::readWholeFile(out),
              "includeImages=1;zaxisPositive=0;righthandedSystem=0;\n5\n2\n");
    EXPECT_EQ(program({"export", dataPath("rig.ma"), ::testing::TempDir() + "refuse.out",
                       "--plugin", VX_TEST_PLUGIN}),
              1);
    EXPECT_EQ(program({"export", dataPath("rig.ma"), out, "--plugin", VX_FUTURE_PLUGIN}), 1);
    std::remove(out.c_str());
}

TEST(HostProgramDiscovery, LoadsVornexSoFromThePluginPath) {
    const std::filesystem::path dir =
        std::filesystem::path(::testing::TempDir()) / "vx_plugin_path";
    std::filesystem::create_directories(dir);
    std::filesystem::copy_file(VX_TEST_PLUGIN, dir / "Vornex.so",
                               std::filesystem::copy_options::overwrite_existing);
    const char* previous = std::getenv("MAYA_PLUG_IN_PATH");
    const std::string saved = previous ? previous : "";
    ::setenv("MAYA_PLUG_IN_PATH", ("/nonexistent:" + dir.string()).c_str(), 1);
    ScriptCapture capture;
    const int status =
        vornexapp::runHostProgram({"mel", dataPath("rig.ma"), "-c", "Vornex x"}, "/nonexistent");
    if (previous)
        ::setenv("MAYA_PLUG_IN_PATH", saved.c_str(), 1);
    else
        ::unsetenv("MAYA_PLUG_IN_PATH");
    std::filesystem::remove_all(dir);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(capture.lines().front(), "// Result: echo:x|3 //");
    EXPECT_TRUE(capture.contains("test plug-in unloaded"));
    EXPECT_TRUE(PluginRegistry::instance().commands.empty());
    // A selection naming nothing fails the export before the translator runs.
    EXPECT_EQ(vornexapp::runHostProgram({"export", dataPath("rig.ma"), "x.out", "--selection",
                                         "noSuchNode", "--plugin", VX_TEST_PLUGIN},
                                        "/nonexistent"),
              1);
    EXPECT_EQ(vornexapp::runHostProgram({"help", "parse"}, "/nonexistent"), 0);
}

// The program run in a process of its own: what its terminal shows, where its exports go, and
// which camera its pictures are drawn through.
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
