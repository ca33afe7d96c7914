// The scene reader in the process, over fixture scenes loaded into the host: reports, the
// coordinate conversion and the linking of ancestors.
#include "Shared/Base/Assert.h"
#include "Shared/Graphics/Scene/UtilJointNode.h"
#include "Shared/Graphics/Scene/UtilLodNode.h"
#include "Shared/Graphics/Scene/UtilTransformNode.h"
#include "Vornex/Reader/SceneReader.h"
#include "Vornex/VornexException.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Vornex/SceneQueries.h"
#include "tests/host/HostTestSupport.h"

#include <maya/MAnimControl.h>
#include <maya/MFileIO.h>
#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

namespace vx {
namespace {

using test::childKinds;
using test::childNames;
using test::findNode;
using test::findNodeAs;
using ::testing::StrEq;
using ::testing::ThrowsMessage;
using vornexhost::test::dagPath;

void openFixture(const std::string& name) {
    ASSERT_TRUE(MFileIO::open(MString(test::fixturePath(name)))) << name;
}

// Starts a reader on the open scene without walking it (an empty selection), so that its
// options, callback and scene root are in place; forgets the reports of that start.
void startWithoutWalk(SceneReader& reader, ParseFlags flags, std::vector<std::string>* lines) {
    MGlobal::setActiveSelectionList(MSelectionList());
    reader.parseActiveMayaScene(true, flags, [lines](const std::string& line) {
        if (lines)
            lines->push_back(line);
    });
    if (lines)
        lines->clear();
}

TEST(SceneReaderReports, ReachTheCallbackAsTheFlagsSay) {
    openFixture("traversal.ma");
    struct Case {
        ParseFlags flags;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {0, {}},
        {kReportInfo, {"Info(12): read on", "Warning(13): careful"}},
        {kReportWarnings, {"Warning(13): careful"}},
        {kReportInfo | kReportWarnings, {"Info(12): read on", "Warning(13): careful"}},
    };
    for (const Case& c : cases) {
        SceneReader reader;
        std::vector<std::string> lines;
        startWithoutWalk(reader, c.flags, &lines);
        reader.infoReport("read on", 12);
        reader.warningReport("careful", 13);
        EXPECT_EQ(lines, c.expected) << c.flags;
        EXPECT_EQ(reader.warningCount(), 1u);
    }
    // Without a callback reports are only counted.
    SceneReader silent;
    MGlobal::setActiveSelectionList(MSelectionList());
    silent.parseActiveMayaScene(true, kReportInfo, nullptr);
    silent.warningReport("one", 1);
    silent.warningReport("two", 2);
    EXPECT_EQ(silent.warningCount(), 2u);
}

TEST(SceneReaderReports, LongReportsAreCutAndFatalWarningsEndTheReadWithTheReportText) {
    openFixture("traversal.ma");
    SceneReader reader;
    std::vector<std::string> lines;
    startWithoutWalk(reader, kWarningsAreFatal | kReportInfo, &lines);
    // A long report is cut, and nothing of it is left over for the next.
    reader.infoReport(std::string(600, 'x'), 1);
    reader.infoReport("still fine", 3);
    EXPECT_THAT([&] { reader.warningReport("bad weights", 44); },
                ThrowsMessage<VornexException>(StrEq("bad weights (0)")));
    EXPECT_EQ(reader.warningCount(), 1u);
    EXPECT_EQ(lines, (std::vector<std::string>{"Info(1): " +
                                                   std::string(SceneReader::kReportBufferSize, 'x'),
                                               "Info(3): still fine"}));
    // Nothing of the first report is left over for the next.
    EXPECT_THAT([&] { reader.warningReport("second", 45); },
                ThrowsMessage<VornexException>(StrEq("second (0)")));
}

// The log lines of the start: VornexParse.LogsWhatItPrunesAndWhatItCannotHandle.
TEST(SceneReaderReports, StartAnnouncesTheCoordinateSystemAndImages) {
    openFixture("traversal.ma");
    SceneReader reader;
    std::vector<std::string> lines;
    MGlobal::setActiveSelectionList(MSelectionList());
    reader.parseActiveMayaScene(true, kReportInfo | kIncludeImages,
                                [&lines](const std::string& line) { lines.push_back(line); });
    ASSERT_EQ(lines.size(), 3u);
    // The two texts of the conversion notice arrive as one report, each logged alone.
    EXPECT_NE(lines[0].find("): Converting to lefthanded coordinate system. Positive z-axis is "
                            "forward"),
              std::string::npos)
        << lines[0];
    EXPECT_NE(lines[1].find("): Texture binaries included"), std::string::npos);
    EXPECT_NE(lines[2].find("): Textures used in scene:"), std::string::npos);

    lines.clear();
    SceneReader kept;
    kept.parseActiveMayaScene(true, kReportInfo | kRighthandedSystem,
                              [&lines](const std::string& line) { lines.push_back(line); });
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("): No conversion of coordinate system"), std::string::npos);
}

// Ancestors made once and linked up to the root: the hierarchies of VornexParse.
TEST(SceneReaderHierarchy, LodLevelsKeepTheHostOrderAndTheirThresholds) {
    openFixture("traversal.ma");
    SceneReader reader;
    startWithoutWalk(reader, 0, nullptr);
    SceneNode* root = reader.scene().getRoot();
    SceneNode* endNode = nullptr;
    // A selection may name the later levels first.
    reader.attachToHierarchy(dagPath("lod1"), endNode);
    EXPECT_EQ(endNode->name(), "lod1");
    auto* group = findNodeAs<UtilTransformNode>(root, "crate_lod");
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->childCount(), 1u);
    auto* lod = dynamic_cast<UtilLodNode*>(group->children()->front());
    ASSERT_NE(lod, nullptr);
    EXPECT_EQ(lod->name(), "crate_lod");
    EXPECT_EQ(childNames(lod), std::vector<std::string>{"lod1"});

    reader.attachToHierarchy(dagPath("lod2"), endNode);
    EXPECT_EQ(childNames(lod), (std::vector<std::string>{"lod1", "lod2"}));
    EXPECT_EQ(lod->m_thresholds, std::vector<float>{20.0f});

    reader.attachToHierarchy(dagPath("lod0"), endNode);
    EXPECT_EQ(childNames(lod), (std::vector<std::string>{"lod0", "lod1", "lod2"}));
    // Thresholds are read as whole numbers: 10.7 gives 10.
    EXPECT_EQ(lod->m_thresholds, (std::vector<float>{10.0f, 20.0f}));
    EXPECT_EQ(childNames(findNode(root, "root_bundledMesh")),
              std::vector<std::string>{"crate_lod"});
}

TEST(SceneReaderHierarchy, ALeafDirectlyUnderALodGroupIsRefused) {
    openFixture("traversal.ma");
    test::LogCapture capture;
    SceneReader reader;
    startWithoutWalk(reader, 0, nullptr);
    SceneNode* endNode = nullptr;
    EXPECT_THROW(reader.attachToHierarchy(dagPath("crate_lod"), endNode), AssertionFailed);
    EXPECT_TRUE(capture.contains("Assert: path.length() != dagPath.length() : "));
}

TEST(SceneReaderAnimation, TransformsAreKeyedFromTheirWorldMatrices) {
    openFixture("animation.ma");
    SceneReader reader;
    EXPECT_EQ(reader.parseActiveMayaScene(false, 0, nullptr), 0u);
    SceneNode* root = reader.scene().getRoot();
    auto* mover = findNodeAs<UtilTransformNode>(root, "mover");
    ASSERT_NE(mover, nullptr);
    ASSERT_EQ(mover->keyCount(), 3u);
    EXPECT_EQ(mover->m_timeIndices, (std::vector<float>{0, 1, 2}));
    const float s = std::sqrt(0.5f);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(mover->m_translations[k].x, 0.0f, 1e-5f);
        EXPECT_NEAR(mover->m_translations[k].y, static_cast<float>(k), 1e-5f);
        // Turned 90 degrees about Y; a turn about Y survives the mirroring unchanged.
        const Quaternion& q = mover->m_rotations[k];
        EXPECT_NEAR(std::fabs(q.y), s, 1e-5f);
        EXPECT_NEAR(std::fabs(q.w), s, 1e-5f);
        EXPECT_GT(q.y * q.w, 0.0f);
    }
    EXPECT_EQ(mover->getBool("anim_export"), true);
    // Transforms without the flag are not sampled.
    EXPECT_EQ(findNodeAs<UtilTransformNode>(root, "cam_rig")->keyCount(), 0u);
    // The host is left at the last frame sampled.
    EXPECT_EQ(MAnimControl::currentTime().value(), 3.0);
}

TEST(SceneReaderAnimation, TheFrameLoopRunsAlsoWithNothingToSample) {
    openFixture("traversal.ma");
    SceneReader reader;
    reader.parseActiveMayaScene(false, 0, nullptr);
    EXPECT_EQ(MAnimControl::currentTime().value(), 2.0);
}

} // namespace
} // namespace vx
