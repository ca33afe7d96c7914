// Skin clusters found upstream of a mesh, their weight records (non-zero weights in host order
// with their used-influence positions) and the influence joints the mesh nodes receive once the
// walk has made every joint.
#include "Shared/Base/Assert.h"
#include "Shared/Graphics/Scene/MeshGeometry.h"
#include "Vornex/Reader/SkinWeightRecords.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Vornex/Reader/ReaderTestSupport.h"

#include <gmock/gmock.h>

namespace vx::test {
namespace {

using SkinReading = ReaderSceneTest;

std::vector<std::string> influenceNames(const UtilMeshNode& node) {
    std::vector<std::string> names;
    for (const SceneNode* joint : node.influenceObjects())
        names.push_back(joint->name());
    return names;
}

TEST_F(SkinReading, WeightsKeepHostOrderWithPositionsOfFirstUseForEveryInstance) {
    read("skins.ma");
    const auto legs = meshNodes("legShape");
    ASSERT_EQ(legs.size(), 2u);
    const VertexBuffer& buffer = vertices(*legs[0]);
    ASSERT_EQ(buffer.m_skinWeights.size(), 8u);
    // The knee weighs vertex 0 first, so it takes position 0 although the hip is the
    // cluster's first influence.
    EXPECT_EQ(buffer.m_skinWeights[0], skinRecord({1, 0, 0, 0}, {0, -1, -1, -1}));
    EXPECT_EQ(buffer.m_skinWeights[1], skinRecord({1, 0, 0, 0}, {1, -1, -1, -1}));
    EXPECT_EQ(buffer.m_skinWeights[4], skinRecord({0.25f, 0.75f, 0, 0}, {1, 0, -1, -1}));
    EXPECT_EQ(buffer.m_skinWeights[5], skinRecord({0.9f, 0, 0, 0}, {0, -1, -1, -1}));
    // Both instances get the joints, in the records' order.
    for (const UtilMeshNode* leg : legs)
        EXPECT_EQ(influenceNames(*leg), (std::vector<std::string>{"knee", "hip"}));
    for (const Vertex& v : buffer.m_vertices)
        EXPECT_EQ(v.getBlendWeight(), v.getPosition());
    EXPECT_THAT(reportsStartingWith("MeshInfo:      legShape")[0],
                ::testing::HasSubstr("SkinWeightCount: 8"));
}

TEST_F(SkinReading, SearchStopsFiveNodesUpstream) {
    read("skins.ma");
    // The clusters of legShape and handShape sit behind one and four group-parts nodes,
    // armShape's behind five.
    EXPECT_EQ(countReports("found skincluster"), 3u);
    EXPECT_EQ(vertices(meshNode("handShape")).m_skinWeights.size(), 8u);
    const UtilMeshNode& arm = meshNode("armShape");
    EXPECT_TRUE(vertices(arm).m_skinWeights.empty());
    EXPECT_EQ(arm.influenceCount(), 0u);
    for (const Vertex& v : vertices(arm).m_vertices)
        EXPECT_EQ(v.getBlendWeight(), Vertex::kNone);
}

TEST_F(SkinReading, AJointWithoutSceneNodeIsLoggedAndItsWeightsDropped) {
    read("skins.ma");
    const UtilMeshNode& tail = meshNode("tailShape");
    // Used in the order hip, spare, knee; the hidden spare joint has no scene node.
    EXPECT_EQ(influenceNames(tail), (std::vector<std::string>{"hip", "knee"}));
    const auto& records = vertices(tail).m_skinWeights;
    EXPECT_EQ(records[0], skinRecord({0.5f, 0, 0, 0}, {0, -1, -1, -1}));
    EXPECT_EQ(records[1], skinRecord({1, 0, 0, 0}, {1, -1, -1, -1}));
    EXPECT_EQ(records[3], SkinWeight());
    const auto& lines = log.scriptLines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) {
                                return line.rfind("Warning: Influence id out of range: ", 0) == 0;
                            }),
              1);
}

TEST_F(SkinReading, MoreThan26UsedInfluencesAreNamedOneByOne) {
    read("many_joints.ma");
    const auto named = reportsStartingWith("influensed by ikJoint:");
    ASSERT_EQ(named.size(), 27u); // capeShape uses 27; bannerShape's 26 are not named
    EXPECT_EQ(named[0], "influensed by ikJoint:root");
    EXPECT_EQ(named[26], "influensed by ikJoint:bone26");
    EXPECT_EQ(meshNode("capeShape").influenceCount(), 27u);
    EXPECT_EQ(meshNode("bannerShape").influenceCount(), 26u);
}

TEST(SkinWeightRecords, KeepNonZeroWeightsInOrderWithPositionsOfFirstUse) {
    SkinWeightRecords records({"hip", "knee", "ankle", "toe"});
    const float halfHalf[] = {0.5f, 0.5f, 0.0f, 0.0f};
    EXPECT_EQ(records.addVertex(halfHalf, 4), skinRecord({0.5f, 0.5f, 0, 0}, {0, 1, -1, -1}));
    // Second and fourth influences: the toe is used first here, so it takes position 2.
    const float sparse[] = {0.0f, 0.3f, 0.0f, 0.6f};
    EXPECT_EQ(records.addVertex(sparse, 4), skinRecord({0.3f, 0.6f, 0, 0}, {1, 2, -1, -1}));
    // Weights are stored as given (they sum to 0.9 here), not normalised or sorted.
    const float ankleFirst[] = {0.0f, 0.0f, 0.9f, 0.0f};
    EXPECT_EQ(records.addVertex(ankleFirst, 4), skinRecord({0.9f, 0, 0, 0}, {3, -1, -1, -1}));
    EXPECT_EQ(records.usedInfluences(), (std::vector<std::uint32_t>{0, 1, 3, 2}));
    // A vertex with no weight gets an empty record.
    const float none[] = {0, 0, 0, 0};
    EXPECT_EQ(records.addVertex(none, 4), SkinWeight());
}

TEST(SkinWeightRecords, AFifthWeightIsNamedAndStopsTheRead) {
    SkinWeightRecords records({"a", "b", "c", "d", "e"});
    const float five[] = {0.2f, 0.2f, 0.2f, 0.2f, 0.25f};
    test::LogCapture log;
    EXPECT_THROW(records.addVertex(five, 5), AssertionFailed);
    ASSERT_EQ(log.scriptLines().size(), 2u);
    EXPECT_EQ(log.scriptLines()[0],
              "Warning: weightCount >= 4: influensed by ikJoint:e weight:0.250000");
    EXPECT_EQ(log.scriptLines()[1].rfind("Assert: weightCount < 4", 0), 0u);
}

TEST(SkinWeightRecords, RenumberingDropsMissingInfluencesAndMovesTheRestUp) {
    std::vector<SkinWeight> records = {skinRecord({0.2f, 0.3f, 0.5f, 0}, {0, 1, 2, -1}),
                                       skinRecord({1.0f, 0, 0, 0}, {1, -1, -1, -1})};
    renumberInfluences(records, {0, -1, 1});
    EXPECT_EQ(records[0], skinRecord({0.2f, 0.5f, 0, 0}, {0, 1, -1, -1}));
    EXPECT_EQ(records[1], SkinWeight());
}

} // namespace
} // namespace vx::test
