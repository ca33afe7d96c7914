#include "MeshExporter/EffectFileSearch.h"
#include "MeshExporter/NormalMapReferences.h"
#include "Shared/Base/File/PathNames.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vx {
namespace {

TEST(NormalMapReferences, NamesSourcesAndConvertedMaps) {
    struct Case {
        const char* texture;
        const char* objectSpace;
        const char* source; // for the output file "out/meshes/soldier.skinnedMesh"
    };
    const Case cases[] = {
        {"crate/body_n.dds", "crate/body_n_os.dds", "out/meshes/Textures/body_n.dds"},
        {"body_n.dds", "body_n_os.dds", "out/meshes/Textures/body_n.dds"},
        {"Textures\\soldier\\face_n.tga", "Textures\\soldier/face_n_os.dds",
         "out/meshes/Textures/face_n.tga"},
        {"dir.v2/plain", "dir.v2/plain_os.dds", "out/meshes/Textures/plain"},
        {"a/b.c.dds", "a/b.c_os.dds", "out/meshes/Textures/b.c.dds"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(objectSpaceMapName(c.texture), c.objectSpace) << c.texture;
        EXPECT_EQ(normalMapSourcePath("out/meshes/soldier.skinnedMesh", c.texture), c.source)
            << c.texture;
    }
    EXPECT_EQ(normalMapSourcePath("soldier.skinnedMesh", "x/body_n.dds"), "Textures/body_n.dds");
    EXPECT_EQ(normalMapSourcePath("C:\\art\\soldier.skinnedMesh", "body_n.dds"),
              "C:\\art/Textures/body_n.dds");
    EXPECT_EQ(replaceExtension("out/Textures/body_n.dds", "_beforeOL.dds"),
              "out/Textures/body_n_beforeOL.dds");
}

TEST(EffectFileSearch, TriesProgramFolderPluginFolderThenInstallFolders) {
    test::TempDir program;
    test::TempDir install;
    std::filesystem::create_directories(install.file("bin/plug-ins"));
    std::ofstream(install.file("bin/plug-ins/transform.fx")) << "technique";

    std::vector<std::string> tried;
    EXPECT_EQ(locateTransformEffect(program.path(), install.path().c_str(), &tried),
              install.file("bin/plug-ins/transform.fx"));
    EXPECT_EQ(tried, (std::vector<std::string>{program.file("transform.fx"),
                                               program.file("plug-ins/transform.fx"),
                                               install.file("bin/transform.fx"),
                                               install.file("bin/plug-ins/transform.fx")}));

    std::filesystem::create_directories(program.file("plug-ins"));
    std::ofstream(program.file("plug-ins/transform.fx")) << "technique";
    tried.clear();
    EXPECT_EQ(locateTransformEffect(program.path(), nullptr, &tried),
              program.file("plug-ins/transform.fx"));
    EXPECT_EQ(tried.size(), 2u);
}

TEST(EffectFileSearch, ReportsWhyNothingWasFound) {
    test::TempDir program;
    test::TempDir install;
    const struct {
        const char* install;
        const char* message;
    } cases[] = {
        {nullptr, "Unable to open maya reg key."},
        {"", "Unable to get maya install dir."},
        {install.path().c_str(), "Unable to locate transform.fx."},
    };
    for (const auto& c : cases) {
        test::LogCapture log;
        EXPECT_FALSE(locateTransformEffect(program.path(), c.install).has_value());
        EXPECT_TRUE(log.contains(c.message)) << c.message;
    }
}

} // namespace
} // namespace vx
