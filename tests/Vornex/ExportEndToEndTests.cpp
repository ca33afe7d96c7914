// The VornexFtr translator and the plug-in's registration, through the host program and the
// host's plug-in loader.
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Vornex/RunVornex.h"
#include "tests/Vornex/SceneQueries.h"

#include <HostProgram.h>
#include <vornexhost/PluginRegistry.h>

#include <maya/MFileObject.h>
#include <maya/MPxFileTranslator.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace vx {
namespace {

using test::fixturePath;
using test::vornex;

TEST(VornexExport, WithoutARootTheErrorListNamesTheMissingRoot) {
    test::TempDir dir;
    const std::string out = dir.file("tank.bundledMesh");
    // A read the reader gives up ends the export before anything is listed.
    EXPECT_EQ(vornex({"export", fixturePath("shape_under_shape.ma"), out}), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("tank.log")));

    EXPECT_EQ(vornex({"export", fixturePath("one_frame_no_root.ma"), out}), 1);
    EXPECT_EQ(test::readWholeFile(dir.file("tank.log")),
              "export type not found, possible missing root_XXXXXXXX node in Maya scene\r\n");
    // The export's own log sits beside its output.
    const std::string log = test::readWholeFile(out + "_log.txt");
    EXPECT_NE(log.find("Info: export type not found, possible missing root_XXXXXXXX node in "
                       "Maya scene\r\n"),
              std::string::npos);
    EXPECT_NE(log.find("Info: parseActiveMayaScene called\r\n"), std::string::npos);
}

TEST(VornexExport, AKnownTypeFailsHonestlyUntilItsWriterExists) {
    test::TempDir dir;
    const std::string out = dir.file("crate.v2.bundledMesh");
    EXPECT_EQ(vornex({"export", fixturePath("traversal.ma"), out}), 1);
    EXPECT_EQ(test::readWholeFile(dir.file("crate.v2.log")),
              "export of bundledMesh assets is not available in this build yet; nothing was "
              "written\r\n");
    const std::string log = test::readWholeFile(out + "_log.txt");
    EXPECT_NE(log.find("Info: export type:bundledMesh\r\n"), std::string::npos);
    // Nothing else was written.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 2u);
}

TEST(VornexExport, AnUnwritableOutputFolderFailsBeforeReading) {
    test::TempDir dir;
    test::LogCapture capture;
    const std::string out = dir.file("missing/tank.bundledMesh");
    EXPECT_EQ(vornex({"export", fixturePath("traversal.ma"), out}), 1);
    EXPECT_TRUE(capture.contains("Assert: m_file != 0 : can't open file: " + out + "_log.txt"));
    EXPECT_FALSE(capture.contains("parseActiveMayaScene called"));
}

TEST(VornexExport, TheSelectionModeReadsOnlyTheSelection) {
    test::TempDir dir;
    const std::string out = dir.file("picked.skeleton");
    // The selection's ancestors come along: root_animation names the type, and the animation
    // of the bones read is written.
    EXPECT_EQ(vornex({"export", fixturePath("animation.ma"), out, "--right-handed",
                      "--include-images", "--selection", "spine"}),
              0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("picked.baf")));
    const std::string log = test::readWholeFile(out + "_log.txt");
    EXPECT_NE(log.find("Info: parseDAG(spine)\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Info: parseDAG(Root)"), std::string::npos);
    EXPECT_NE(log.find("Info: No conversion of coordinate system\r\n"), std::string::npos);
    EXPECT_NE(log.find("Info: Texture binaries included\r\n"), std::string::npos);
}

class LoadedPlugin : public ::testing::Test {
protected:
    void SetUp() override {
        ::testing::internal::CaptureStderr();
        std::string error;
        m_loaded = vornexhost::PluginRegistry::instance().load(VX_VORNEX_PLUGIN, error);
        m_stderr = ::testing::internal::GetCapturedStderr();
        ASSERT_TRUE(m_loaded) << error;
    }
    void TearDown() override { vornexhost::PluginRegistry::instance().unloadAll(); }

    std::unique_ptr<MPxFileTranslator> translator() const {
        const auto& translators = vornexhost::PluginRegistry::instance().translators;
        const auto it = translators.find("VornexFtr");
        if (it == translators.end())
            return nullptr;
        return std::unique_ptr<MPxFileTranslator>(
            static_cast<MPxFileTranslator*>(it->second.creator()));
    }

    bool m_loaded = false;
    std::string m_stderr;
};

TEST_F(LoadedPlugin, RegistersTheTranslatorAndTheCommandAndReportsTheGlExtensions) {
    auto& registry = vornexhost::PluginRegistry::instance();
    EXPECT_EQ(m_stderr, "Failed to initialize GL_ARB_multitexture!\n"
                        "Failed to initialize GL_NV_register_combiners!\n");
    ASSERT_EQ(registry.translators.count("VornexFtr"), 1u);
    EXPECT_EQ(registry.translators["VornexFtr"].optionsScript, "vornexOptions");
    EXPECT_EQ(registry.translators["VornexFtr"].defaultOptions,
              "includeImages=0;zaxisPositive=0;righthandedSystem=0;");
    EXPECT_EQ(registry.commands.count("Vornex"), 1u);
    registry.unloadAll();
    EXPECT_EQ(registry.translators.count("VornexFtr"), 0u);
    EXPECT_EQ(registry.commands.count("Vornex"), 0u);
}

TEST_F(LoadedPlugin, TheTranslatorWritesOnlyAndClaimsItsOwnFiles) {
    const auto ftr = translator();
    ASSERT_NE(ftr, nullptr);
    EXPECT_FALSE(ftr->haveReadMethod());
    EXPECT_TRUE(ftr->haveWriteMethod());
    EXPECT_FALSE(ftr->canBeOpened());
    EXPECT_EQ(ftr->defaultExtension(), "bundledMesh");
    MFileObject file;
    file.setFullName("somewhere/x.sgf");
    EXPECT_EQ(ftr->reader(file, "", MPxFileTranslator::kOpenAccessMode), MStatus::kFailure);
    EXPECT_EQ(ftr->identifyFile(file, nullptr, 0), MPxFileTranslator::kIsMyFileType);
    for (const char* own : {"X.SGF", "tank.bundledMesh", "a.skinnedmesh"}) {
        file.setFullName(own);
        EXPECT_EQ(ftr->identifyFile(file, nullptr, 0), MPxFileTranslator::kIsMyFileType) << own;
    }
    for (const char* other : {".sgf", "a.staticMesh", "short.txt"}) {
        file.setFullName(other);
        EXPECT_EQ(ftr->identifyFile(file, nullptr, 0), MPxFileTranslator::kNotMyFileType) << other;
    }
}

} // namespace
} // namespace vx
