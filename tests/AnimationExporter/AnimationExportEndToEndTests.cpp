// The example walk through the `vornex` host program: the translator writes the skeleton and
// animation files, and the Vornex command writes the scene graph it read.
#include "AnimationExporter/Skeleton.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Vornex/RunVornex.h"
#include "tests/tools/info/FileReadBack.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vx {
namespace {

using test::vornex;

std::string exampleScene(const std::string& name) {
    return std::string(VORNEX_EXAMPLES_DIR) + "/rawdata/animations/kit_walk/" + name;
}

// The keys themselves are compared in the animation file's round trip.
TEST(AnimationExport, TheWalkAndItsSkeletonAreWrittenWithTheirRestPosesAndVornexInfoPrintsThem) {
    test::TempDir dir;
    const std::string scene = exampleScene("kit_walk_skeleton.ma");
    ASSERT_EQ(vornex({"export", scene, dir.file("walk.skeleton")}), 0);
    const info::SkeletonFile file = test::readSkeletonBack(dir.file("walk.ske"));
    std::vector<std::string> names;
    std::vector<std::int32_t> parents;
    for (const info::SkeletonFileBone& bone : file.bones) {
        names.push_back(bone.name);
        parents.push_back(bone.parent);
    }
    // Normal bones in pre-order (strap below the kit bone too), the 8 slots of a skeleton
    // with a kit bone on right_ullna, then the kit bone.
    EXPECT_EQ(names, (std::vector<std::string>{
                         "hips", "spine", "neck", "head", "rightArm", "right_ullna", "strap",
                         "leftLeg", "leftKnee", "rightLeg", "mesh1", "mesh2", "mesh3", "mesh4",
                         "mesh5", "mesh6", "mesh7", "mesh8", "backpack_mesh"}));
    EXPECT_EQ(parents, (std::vector<std::int32_t>{-1, 0, 1, 2, 1, 4, 18, 0, 7, 0, 5, 5, 5, 5, 5, 5,
                                                  5, 5, 1}));

    const test::ParsedScene parsed(scene);
    ASSERT_EQ(parsed.status(), 0);
    Skeleton skeleton;
    skeleton.buildSkeleton(*parsed.root());
    ASSERT_EQ(skeleton.size(), file.bones.size());
    for (std::size_t i = 0; i < 10; ++i) {
        const auto* joint = dynamic_cast<const UtilJointNode*>(skeleton.bones()[i].node);
        ASSERT_NE(joint, nullptr);
        const Quaternion& q = joint->keyRotation(0);
        const Vector3& p = joint->keyTranslation(0);
        EXPECT_EQ(file.bones[i].rotation, (std::array<float, 4>{q.x, q.y, q.z, q.w}));
        EXPECT_EQ(file.bones[i].position, (std::array<float, 3>{p.x, p.y, p.z}));
    }
    EXPECT_EQ(file.bones[1].position, (std::array<float, 3>{0, 20, 0}));
    EXPECT_EQ(file.bones[12].rotation, (std::array<float, 4>{0, 0, 0, 1}));

    ASSERT_EQ(vornex({"export", exampleScene("kit_walk_animation.ma"), dir.file("walk.animation")}),
              0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("walk.log"))); // nothing for the artist
    EXPECT_NE(test::readWholeFile(dir.file("walk.animation_log.txt"))
                  .find("Info: export type:animation\r\n"),
              std::string::npos);
    const auto info = [](const std::vector<std::string>& args) {
        // Built by push_back: g++'s optimiser reports a false null dereference inside insert.
        std::vector<std::string> command;
        command.reserve(args.size() + 1);
        command.push_back("info");
        for (const std::string& arg : args)
            command.push_back(arg);
        ::testing::internal::CaptureStdout();
        const int status = vornex(command);
        return std::make_pair(status, ::testing::internal::GetCapturedStdout());
    };
    const auto [skeStatus, ske] = info({dir.file("walk.ske")});
    EXPECT_EQ(skeStatus, 0);
    EXPECT_NE(ske.find("skeleton, version 2, 19 bones\n  0 hips  parent -1  rotation ("),
              std::string::npos)
        << ske;
    EXPECT_NE(ske.find("  18 backpack_mesh  parent 1  "), std::string::npos) << ske;
    const auto [bafStatus, baf] = info({dir.file("walk.baf"), "--skeleton", dir.file("walk.ske")});
    EXPECT_EQ(bafStatus, 0);
    EXPECT_NE(baf.find("animation, version 4, 12 animated bones, 24 frames, precision 8 "
                       "(positions stored * 255, rotations * 32767)\n  bone 0 hips: "),
              std::string::npos)
        << baf;
    // The neck never moves against the spine: one constant block.
    EXPECT_NE(baf.find("  bone 2 neck: 14 words\n    qx: 2 words, constant 24; values 0 to 0\n"),
              std::string::npos)
        << baf;
    const auto [framesStatus, frames] =
        info({dir.file("walk.baf"), "--skeleton", dir.file("walk.ske"), "--frames", "hips"});
    EXPECT_EQ(framesStatus, 0);
    EXPECT_NE(frames.find("bone 0 hips, 24 frames"), std::string::npos) << frames;
    EXPECT_NE(frames.find("\n  23  ("), std::string::npos) << frames;
    EXPECT_EQ(info({dir.file("walk.baf"), "--frames", "head"}).first, 1); // names need --skeleton
}

// The example scenes with one thing changed: an empty playback range (maximum before minimum)
// leaves every joint without keys, so neither file has a pose to write and the export fails
// with its reason in the ".log"; no joint with "anim_export" writes an empty skeleton, with a
// warning in the ".log".
TEST(AnimationExport, EmptyRangesFailAndAnEmptySkeletonIsWrittenEachWithItsReason) {
    const struct {
        const char* scene;
        const char* output;
        std::string from, to;
        int status;
        const char* file;
        std::string report; // $ stands for the output folder
    } cases[] = {
        {"kit_walk_animation.ma", "walk.animation", "-min 1 -max 24", "-min 24 -max 1", 1,
         "walk.baf",
         "animation file $walk.baf not written: the playback range holds no frame, so joint hips "
         "has no keys"},
        {"kit_walk_skeleton.ma", "walk.skeleton", "-min 1 -max 1", "-min 2 -max 1", 1, "walk.ske",
         "skeleton file $walk.ske not written: joint hips has no keys, so it has no pose at frame "
         "0"},
        {"kit_walk_skeleton.ma", "walk.skeleton", "anim_export", "anim_unused", 0, "walk.ske",
         "no bone with anim_export found"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from + " -> " + c.to);
        test::TempDir dir;
        std::string text = test::readWholeFile(exampleScene(c.scene));
        for (std::size_t at = text.find(c.from); at != std::string::npos;
             at = text.find(c.from, at + c.to.size()))
            text.replace(at, c.from.size(), c.to);
        const std::string scene = dir.file("changed.ma");
        std::ofstream(scene, std::ios::binary) << text;
        EXPECT_EQ(vornex({"export", scene, dir.file(c.output)}), c.status);
        std::string report = c.report;
        if (const std::size_t at = report.find('$'); at != std::string::npos)
            report.replace(at, 1, dir.path() + "/");
        EXPECT_EQ(test::readWholeFile(dir.file("walk.log")), report + "\r\n");
        // Written whole (version 2, no bones) or not at all.
        EXPECT_EQ(std::filesystem::exists(dir.file(c.file)), c.status == 0);
        if (c.status == 0) {
            EXPECT_EQ(test::readWholeFile(dir.file(c.file)), std::string("\2\0\0\0\0\0\0\0", 8));
        }
    }
}

} // namespace
} // namespace vx
