// Plug-in loading and the `vornex` host program, with a plug-in built like the real one.
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/host/HostTestSupport.h"

#include <vornexhost/NodeType.h>
#include <vornexhost/PluginRegistry.h>

#include <HostProgram.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

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

} // namespace
} // namespace vornexhost::test
