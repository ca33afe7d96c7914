// Skin weight records: non-zero weights in host order with their used-influence positions.
#include "Shared/Base/Assert.h"
#include "Vornex/Reader/SkinWeightRecords.h"
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/Vornex/Reader/ReaderTestSupport.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

using test::skinRecord;

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
} // namespace vx
