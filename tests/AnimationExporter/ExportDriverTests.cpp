// The export entry hands the skeleton and animation types to this exporter, announcing the
// step through the progress callback.
#include "MeshExporter/ExportErrorList.h"
#include "MeshExporter/MeshExporter.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "tests/AnimationExporter/TestRig.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vx {
namespace {

std::vector<std::pair<std::string, int>> g_progress;

void recordProgress(const char* text, int data) {
    g_progress.emplace_back(text, data);
}

TEST(ExportDriver, SkeletonAndAnimationRootsWriteTheirFiles) {
    struct Case {
        const char* root;
        const char* step;
        const char* written;
    };
    for (const Case& c : {Case{"ROOT_Skeleton", "build skeleton (skeleton)", "x.ske"},
                          Case{"root_animation", "build skeleton (animation)", "x.baf"}}) {
        test::TestRig rig;
        SceneNode& top = rig.transform(c.root, rig.root());
        test::addStillKeys(rig.joint("hips", top), 2);
        Scene scene;
        scene.setRoot(&rig.root());
        test::TempDir dir;
        g_progress.clear();
        EXPECT_TRUE(exportGameAssets(scene, dir.file("x.out"), recordProgress, 7)) << c.root;
        EXPECT_EQ(g_progress, (std::vector<std::pair<std::string, int>>{{c.step, 7}}));
        EXPECT_TRUE(std::filesystem::exists(dir.file(c.written))) << c.written;
        EXPECT_TRUE(exportErrorList().empty());
    }
    // Without a callback, and with a root that has no bones below it.
    test::TestRig rig;
    rig.transform("root_animation", rig.root());
    Scene scene;
    scene.setRoot(&rig.root());
    test::TempDir dir;
    EXPECT_FALSE(exportGameAssets(scene, dir.file("y.out"), nullptr, 0));
    EXPECT_EQ(exportErrorList().entries(),
              std::vector<std::string>{"animation file " + dir.file("y.baf") +
                                       " not written: no joint carries the anim_export attribute"});
    exportErrorList().clear();
}

} // namespace
} // namespace vx
