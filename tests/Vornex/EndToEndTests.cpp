// The plug-in as a user meets it: the `vornex` host program loads Vornex.so, runs the Vornex
// command or the VornexFtr translator on fixture scenes, and the scene graph files it writes
// are read back and checked structurally; every example scene is drawn by `vornex render`.
#include "Shared/Graphics/Scene/BaseSpline.h"
#include "Shared/Graphics/Scene/Material.h"
#include "Shared/Graphics/Scene/MaterialGroupedMesh.h"
#include "Shared/Graphics/Scene/RootNode.h"
#include "Shared/Graphics/Scene/Scene.h"
#include "Shared/Graphics/Scene/UtilBaseSplineNode.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilLocatorNode.h"
#include "Shared/Graphics/Scene/UtilLodNode.h"
#include "Shared/Graphics/Scene/UtilMeshNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Vornex/RunVornex.h"
#include "tests/Vornex/SceneQueries.h"
#include "tests/host/HostTestSupport.h"

#include <HostProgram.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>

namespace vx {
namespace {

using test::childKinds;
using test::childNames;
using test::findNode;
using test::findNodeAs;
using test::fixturePath;
using test::ParsedScene;
using test::readSceneGraph;
using test::vornex;

void expectNear(const Vector3& actual, const Vector3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

// One rotation: q and -q are the same turn.
void expectRotation(const Quaternion& actual, const Quaternion& expected) {
    const float dot = actual.x * expected.x + actual.y * expected.y + actual.z * expected.z +
                      actual.w * expected.w;
    const float sign = dot < 0 ? -1.0f : 1.0f;
    expectNear({actual.x, actual.y, actual.z},
               {sign * expected.x, sign * expected.y, sign * expected.z});
    EXPECT_NEAR(actual.w, sign * expected.w, 1e-5f);
}

const float kHalfSqrt2 = std::sqrt(0.5f);

TEST(VornexParse, BuildsTheHierarchyOfSupportedLeavesWithTheirData) {
    const ParsedScene parsed(fixturePath("traversal.ma"));
    ASSERT_EQ(parsed.status(), 0);
    ASSERT_NE(parsed.root(), nullptr);
    EXPECT_EQ(parsed.root()->getType(), &RootNode::type);
    EXPECT_EQ(parsed.root()->name(), fixturePath("traversal.ma"));
    // The startup cameras are hidden, the light is not supported: neither adds anything.
    EXPECT_EQ(
        childKinds(parsed.root()),
        (std::vector<std::string>{"UtilTransformNode:root_bundledMesh", "UtilJointNode:root_j"}));
    // The hidden group and the empty transform add nothing; the pair's second shape is skipped.
    auto* top = parsed.node<UtilTransformNode>("root_bundledMesh");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(childNames(top),
              (std::vector<std::string>{"pair", "path", "crate_lod", "shot_cam", "path_copy"}));
    // The transform carries the artist's attributes; "zephRatio" is a float attribute and
    // "teamGroup" is not the artist's: neither is copied.
    NamedValueTable attributes;
    attributes.setInt("zephGroup", 7);
    attributes.setBool("ZEPHFlag", true);
    attributes.setFloat("zephWeight", 0.25f);
    attributes.setText("zephLabel", "crate");
    EXPECT_EQ(top->namedValues(), attributes);
    for (const char* absent :
         {"hidden_group", "hidden_markerShape", "empty_xf", "lamp", "pairShape2"})
        EXPECT_EQ(findNode(parsed.root(), absent), nullptr) << absent;
    EXPECT_EQ(childKinds(parsed.node("pair")),
              std::vector<std::string>{"UtilLocatorNode:pairShape"});
    // A camera is a joint node named after its shape, with nothing else of its own.
    auto* camera = parsed.node<UtilJointNode>("shot_camShape");
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->keyCount(), 0u);
    EXPECT_TRUE(camera->namedValues().empty());
    EXPECT_EQ(camera->parents(), NodeList{parsed.node("shot_cam")});

    // Joint chains nest; a joint without "anim_export" has no keys and no flag.
    auto* rootJoint = parsed.node<UtilJointNode>("root_j");
    ASSERT_NE(rootJoint, nullptr);
    EXPECT_EQ(childKinds(rootJoint), std::vector<std::string>{"UtilJointNode:mid_j"});
    EXPECT_EQ(childKinds(parsed.node("mid_j")),
              (std::vector<std::string>{"UtilJointNode:end_j", "UtilJointNode:side_j"}));
    EXPECT_EQ(rootJoint->keyCount(), 0u);
    EXPECT_FALSE(rootJoint->getBool("anim_export").has_value());

    // A LOD group is a transform over its LOD node, which holds the levels.
    auto* group = parsed.node<UtilTransformNode>("crate_lod");
    ASSERT_TRUE(group && group->childCount() == 1u);
    auto* lod = dynamic_cast<UtilLodNode*>(group->children()->front());
    ASSERT_NE(lod, nullptr);
    EXPECT_EQ(childNames(lod), (std::vector<std::string>{"lod0", "lod1", "lod2"}));
    EXPECT_EQ(childKinds(parsed.node("lod2")),
              std::vector<std::string>{"UtilLocatorNode:lod2Shape"});

    // Curves keep their knots with one more at each end and their attributes; the instance
    // under path_copy has a node of its own over the same spline.
    auto* curve = parsed.node<UtilBaseSplineNode>("pathShape");
    ASSERT_TRUE(curve && curve->spline());
    EXPECT_EQ(curve->spline()->m_name, "pathShape");
    EXPECT_EQ(curve->spline()->m_knots, (std::vector<float>{-1, 0, 1, 2, 3}));
    EXPECT_EQ(curve->spline()->m_namedValues.getFloat("zephSpeed"), 2.5f);
    auto* copy = parsed.node("path_copy");
    ASSERT_TRUE(copy && copy->childCount() == 1u);
    auto* instance = dynamic_cast<UtilBaseSplineNode*>(copy->children()->front());
    ASSERT_NE(instance, nullptr);
    EXPECT_NE(instance, curve);
    EXPECT_EQ(instance->spline(), curve->spline());

    // Converted to left-handed: x is mirrored.
    auto* pair = parsed.node<UtilTransformNode>("pair");
    auto* locator = parsed.node<UtilLocatorNode>("pairShape");
    ASSERT_TRUE(pair && locator);
    expectNear(top->m_matrix.translation, {-1, 2, 3});
    expectNear(pair->m_matrix.translation, {-10, 0, 0});
    expectNear(locator->m_position, {-4, 5, 6});
    EXPECT_EQ(curve->spline()->m_controlPoints,
              (std::vector<Vector3>{{-1, 0, 0}, {-2, 1, 0}, {-3, 0, -1}}));
}

TEST(VornexParse, SamplesFlaggedJointsAndCameraBonesOverThePlaybackRange) {
    const ParsedScene parsed(fixturePath("animation.ma"));
    ASSERT_EQ(parsed.status(), 0);
    auto* hips = parsed.node<UtilJointNode>("hips");
    auto* spine = parsed.node<UtilJointNode>("spine");
    auto* tail = parsed.node<UtilJointNode>("tail");
    ASSERT_TRUE(hips && spine && tail);

    ASSERT_EQ(hips->keyCount(), 3u);
    EXPECT_EQ(hips->m_timeIndices, (std::vector<float>{0, 1, 2}));
    for (std::size_t k = 0; k < 3; ++k) {
        expectNear(hips->keyTranslation(k), {-2.0f * static_cast<float>(k), 10, 0});
        expectRotation(hips->keyRotation(k), {});
    }
    EXPECT_EQ(hips->getBool("anim_export"), true);

    // A false flag still samples the joint; the joint orientation is part of its rotation.
    ASSERT_EQ(spine->keyCount(), 3u);
    EXPECT_EQ(spine->getBool("anim_export"), false);
    expectNear(spine->keyTranslation(2), {0, 5, 0});
    expectRotation(spine->keyRotation(0), {0, 0, kHalfSqrt2, kHalfSqrt2});
    // No flag: not sampled.
    EXPECT_EQ(tail->keyCount(), 0u);

    // Camera bones under plain transforms are sampled in world space.
    auto* world = parsed.node<UtilJointNode>("Camerabone");
    auto* local = parsed.node<UtilJointNode>("hipsCamerabone");
    ASSERT_TRUE(world && local);
    ASSERT_EQ(world->keyCount(), 3u);
    // The rig stands at x = 100 turned 90 degrees about Y: the bone's (0, 0, 5) is at
    // (105, 0, 0) in the world, stored mirrored; its turn is the rig's.
    expectNear(world->keyTranslation(0), {-105, 0, 0});
    expectRotation(world->keyRotation(0), {0, kHalfSqrt2, 0, kHalfSqrt2});
    // Under a joint the same name means parent space.
    ASSERT_EQ(local->keyCount(), 3u);
    expectNear(local->keyTranslation(0), {-1, 0, 0});
    expectRotation(local->keyRotation(0), {});
}

// The flag's way from the command to the matrices and the sampled turns; points, normals and
// key positions share the conversion MeshReading.RightHandedReadingKeepsTheHostsCoordinates
// checks.
TEST(VornexParse, RightHandedParsingKeepsTheHostsMatricesAndTurns) {
    const ParsedScene kept(fixturePath("traversal.ma"), "-r");
    ASSERT_EQ(kept.status(), 0);
    auto* top = kept.node<UtilTransformNode>("root_bundledMesh");
    ASSERT_NE(top, nullptr);
    expectNear(top->m_matrix.translation, {1, 2, 3});

    // A joint turned 90 degrees about x: kept, the host's (sin 45, 0, 0, cos 45); mirrored in
    // z, a turn about x goes the other way.
    const ParsedScene turnedKept(fixturePath("turned_joint.ma"), "-r");
    const ParsedScene turned(fixturePath("turned_joint.ma"));
    auto* keptHips = turnedKept.node<UtilJointNode>("hips");
    auto* hips = turned.node<UtilJointNode>("hips");
    ASSERT_TRUE(keptHips && hips);
    ASSERT_EQ(keptHips->keyCount(), 1u);
    ASSERT_EQ(hips->keyCount(), 1u);
    expectRotation(keptHips->keyRotation(0), {kHalfSqrt2, 0, 0, kHalfSqrt2});
    expectRotation(hips->keyRotation(0), {-kHalfSqrt2, 0, 0, kHalfSqrt2});
}

TEST(VornexParse, AOneFrameRangeGivesOneKeyAtTimeZero) {
    const ParsedScene parsed(fixturePath("one_frame.ma"));
    auto* pelvis = parsed.node<UtilJointNode>("pelvis");
    ASSERT_NE(pelvis, nullptr);
    ASSERT_EQ(pelvis->keyCount(), 1u);
    EXPECT_EQ(pelvis->keyTime(0), 0.0f);
    // Sampled at frame 12, the range's only frame.
    expectNear(pelvis->keyTranslation(0), {0, 80, 0});
}

TEST(VornexParse, SelectionReadsOnlyTheSelectedPathsAndAddsUpTheirWarnings) {
    test::TempDir dir;
    test::LogCapture capture;
    const std::string out = dir.file("picked");
    // Two DAG paths and two nodes outside the DAG, each of which is skipped with a warning.
    ASSERT_EQ(vornex({"parse", fixturePath("traversal.ma"), "-s", out, "--selection", "pair",
                      "time1", "mid_j", "lambert1"}),
              0);
    EXPECT_TRUE(capture.contains("Parse (un)successful with 2 warning(s)\r\n"));
    const auto scene = readSceneGraph(out + ".bundledMesh");
    EXPECT_EQ(childNames(scene->getRoot()),
              (std::vector<std::string>{"root_bundledMesh", "root_j"}));
    EXPECT_EQ(childNames(findNode(scene->getRoot(), "root_bundledMesh")),
              std::vector<std::string>{"pair"});
    // Only the selected joint's subtree is walked: its leaves, and the chain up to the world.
    EXPECT_EQ(childNames(findNode(scene->getRoot(), "mid_j")),
              (std::vector<std::string>{"end_j", "side_j"}));
    EXPECT_EQ(findNode(scene->getRoot(), "crate_lod"), nullptr);

    test::LogCapture whole;
    ASSERT_EQ(vornex({"parse", fixturePath("traversal.ma"), out}), 0);
    EXPECT_TRUE(whole.contains("Parse successful"));
}

TEST(VornexParse, LogsWhatItPrunesAndWhatItCannotHandle) {
    test::TempDir dir;
    test::LogCapture capture;
    ASSERT_EQ(vornex({"parse", fixturePath("traversal.ma"), dir.file("x")}), 0);
    const auto lines = test::listedLines(VORNEX_TEST_DATA_DIR "/vornex/traversal_parse_log.txt");
    EXPECT_EQ(lines.size(), 18u);
    for (const std::string& line : lines)
        EXPECT_TRUE(capture.contains(line)) << line;
    EXPECT_TRUE(capture.contains("Info: Opening file: " + fixturePath("traversal.ma")));
}

// An example scene: its mesh and cgfx materials reach the file and read back whole. What the
// readers' own scenes pin (cgfx records, instances, skins, hard edges) is not repeated here; a
// shape's extra attributes reach its geometry only here.
TEST(ReaderEndToEnd, StaticPropKeepsItsCgfxTechniquesAndTheShapesAttributes) {
    const ParsedScene rock(test::examplePath("props/rock/rock.ma"));
    ASSERT_EQ(rock.status(), 0);
    const UtilMeshNode* node = rock.node<UtilMeshNode>("rockShape");
    ASSERT_TRUE(node && node->mesh());
    const MaterialGroupedMesh& mesh = *node->mesh();
    ASSERT_EQ(mesh.m_groups.size(), 2u);
    EXPECT_EQ(mesh.m_groups[0].m_material->getText("zeph_TechniqueName"), "BaseDirt");
    EXPECT_EQ(mesh.m_groups[1].m_material->getText("zeph_TechniqueName"),
              "BaseDetailparallaxdetail");
    EXPECT_EQ(mesh.m_geometry->m_namedValues.getText("zephSurface"), "stone");
}

TEST(VornexCommand, NamesItsOutputAfterTheSceneOrItsArgument) {
    test::TempDir dir;
    const std::string scene = dir.file("b.ma");
    std::filesystem::copy_file(fixturePath("one_frame.ma"), scene);
    ASSERT_EQ(vornex({"parse", scene}), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("b.bundledMesh")));
    // A named output: every ParsedScene; the rest of the argument table: CommandArguments.
}

TEST(VornexCommand, RefusedFlagsAndUnwritableOutputsFailCleanly) {
    test::TempDir dir;
    test::LogCapture capture;
    EXPECT_EQ(vornex({"parse", fixturePath("one_frame.ma"), "-tq", dir.file("x")}), 1);
    EXPECT_TRUE(capture.contains("Unknown parser flag: -q"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.bundledMesh")));

    std::ofstream(dir.file("plain")) << "a file, not a folder";
    const std::string unwritable = dir.file("plain/x");
    EXPECT_EQ(vornex({"parse", fixturePath("one_frame.ma"), unwritable}), 1);
    EXPECT_TRUE(capture.contains("cannot write \"" + unwritable + ".bundledMesh\""));
}

TEST(VornexCommand, AReadTheReaderGivesUpIsAWarningAndAFailure) {
    test::TempDir dir;
    test::LogCapture capture;
    EXPECT_EQ(vornex({"parse", fixturePath("shape_under_shape.ma"), dir.file("x")}), 1);
    ASSERT_EQ(capture.warningLines().size(), 1u);
    EXPECT_EQ(capture.warningLines()[0].rfind(
                  "Error: Failed to attach transform function set to node (", 0),
              0u)
        << capture.warningLines()[0];
    EXPECT_TRUE(capture.warningLines()[0].ends_with(
        ")\nMaya reports: (kInvalidParameter): Invalid Parameter"))
        << capture.warningLines()[0];
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.bundledMesh")));
}

TEST(VornexInfo, PrintsTheOutlineOfAFileAndRefusesOthers) {
    test::TempDir dir;
    ASSERT_EQ(vornex({"parse", fixturePath("one_frame.ma"), dir.file("x")}), 0);
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(vornexapp::runHostProgram({"info", dir.file("x.bundledMesh")}, "/nonexistent"), 0);
    const std::string outline = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(outline.find("UtilJointNode \"pelvis\" parents 1 children 0 keys 1"),
              std::string::npos)
        << outline;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(vornexapp::runHostProgram({"info", fixturePath("one_frame.ma")}, "/nonexistent"), 1);
    EXPECT_FALSE(::testing::internal::GetCapturedStderr().empty());
    EXPECT_EQ(vornexapp::runHostProgram({"info"}, "/nonexistent"), 1);
}

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
} // namespace vx
