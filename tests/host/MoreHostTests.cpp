// Edges of the API and the program: iteration ends, plug-in discovery, MEL
// listings and file statements that only describe.
#include "tests/host/HostTestSupport.h"

#include <vornexhost/PluginRegistry.h>
#include <vornexhost/Scene.h>

#include <HostProgram.h>

#include <maya/MFileIO.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MItDag.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace vornexhost::test {
namespace {

const std::string kAnimated = dataText("animated.ma");

TEST(Iteration, EndsCleanlyAndRefusesBreadthFirst) {
    loadScene(kAnimated);
    MStatus status;
    MItDag breadth(MItDag::kBreadthFirst, MFn::kInvalid, &status);
    EXPECT_EQ(status, MStatus::kNotImplemented);
    MItDag meshes(MItDag::kDepthFirst, MFn::kMesh);
    ASSERT_FALSE(meshes.isDone());
    EXPECT_EQ(meshes.fullPathName(), "|t|m");
    EXPECT_EQ(MFnDependencyNode(meshes.item()).name(), "m");
    ASSERT_TRUE(meshes.next());
    EXPECT_TRUE(meshes.isDone());
    EXPECT_FALSE(meshes.next());
    EXPECT_TRUE(meshes.item(&status).isNull());
    EXPECT_FALSE(status);
    // Restarting at a root: VornexParse.SelectionReadsOnlyTheSelectedPathsAndAddsUpTheirWarnings.
    EXPECT_FALSE(meshes.reset(node("t_ty")));
}

TEST(NodeFunctionSet, TypeIdsAttributeIndicesAndReferences) {
    loadScene(kAnimated);
    MFnDependencyNode t(node("t"));
    EXPECT_EQ(t.typeName(), "transform");
    EXPECT_TRUE(t.hasAttribute("translateY"));
    EXPECT_FALSE(t.hasAttribute("translateW"));
    MStatus status;
    t.attribute(t.attributeCount(), &status);
    EXPECT_FALSE(status);
    t.attribute("translateW", &status);
    EXPECT_FALSE(status);
    EXPECT_FALSE(t.isFromReferencedFile());
    MFnDependencyNode none(MObject(), &status);
    EXPECT_FALSE(status);
    EXPECT_EQ(none.name(&status), "");
    EXPECT_FALSE(status);
}

TEST(FileStatements, DescriptionsLoadQuietlyAndBadTimesWarn) {
    const MaLoadResult r =
        tryLoad(R"(file -rdi 1 -ns "prop" -rfn "propRN" -op "v=0;" -typ "mayaAscii" "prop.ma";
requires "onlyOne";
createNode "transform" -n "quotedType";
)");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
    EXPECT_EQ(mel("nodeType quotedType"), "transform");
    const std::string path = ::testing::TempDir() + "vx_badtimes.ma";
    {
        std::ofstream out(path);
        out << "createNode script -n \"sceneConfigurationScriptNode\";\n"
               "\tsetAttr \".b\" -type \"string\" \"playbackOptions -min one -max 10\";\n";
    }
    ScriptCapture capture;
    ASSERT_TRUE(MFileIO::open(MString(path)));
    EXPECT_TRUE(capture.contains("sceneConfigurationScriptNode: playbackOptions -min takes a "
                                 "number, not \"one\""));
    std::remove(path.c_str());
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
