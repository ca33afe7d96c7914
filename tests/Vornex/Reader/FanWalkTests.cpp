// The walk around one vertex and the split of its fans, on hand-made corner layouts.
#include "Vornex/Reader/FanSplit.h"
#include "Vornex/Reader/FanWalk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace vx {
namespace {

// A vertex with `faces` faces around it; face f spans edges f and f + 1 (the last face closes
// back to edge 0 when `closed`). The corner of face f arrives over edge f + 1 and leaves over
// edge f, as a counter-clockwise polygon at the centre of a fan would.
void ring(FanWalker& walker, int faces, bool closed) {
    walker.reset();
    const int edges = closed ? faces : faces + 1;
    for (int f = 0; f < faces; ++f) {
        const int in = (f + 1) % edges;
        const int c = walker.addCorner({f, 0, in, f});
        walker.link(f, c);
        walker.link(in, c);
    }
}

std::vector<int> facesOf(const FanWalker& walker, const FanSet& fans, std::size_t fan) {
    std::vector<int> out;
    for (std::uint32_t p = fans.fans[fan].begin; p < fans.fans[fan].end; ++p)
        out.push_back(walker.corners()[static_cast<std::size_t>(fans.corners[p])].face);
    return out;
}

TEST(FanWalk, InteriorVertexGivesOneClosedFanCrossingEveryEdgeOnce) {
    FanWalker walker;
    ring(walker, 5, true);
    FanSet fans;
    walker.walk(fans);
    ASSERT_EQ(fans.fans.size(), 1u);
    EXPECT_TRUE(fans.fans[0].closed);
    // Starts at edge 0's first face (face 0) and leaves it over its other edge (1).
    EXPECT_EQ(facesOf(walker, fans, 0), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(fans.junctions, (std::vector<std::int32_t>{1, 2, 3, 4, 0}));
}

TEST(FanWalk, BorderVertexIsWalkedBothWaysFromTheSmallestEdge) {
    // Faces 0..3 between edges 0..4; edge 2 is renumbered smallest so the walk starts in the
    // middle of the run and must also go backwards.
    FanWalker walker;
    walker.reset();
    const int edge[5] = {7, 5, 1, 6, 8};
    for (int f = 0; f < 4; ++f) {
        const int c = walker.addCorner({f, 0, edge[f + 1], edge[f]});
        walker.link(edge[f], c);
        walker.link(edge[f + 1], c);
    }
    FanSet fans;
    walker.walk(fans);
    ASSERT_EQ(fans.fans.size(), 1u);
    EXPECT_FALSE(fans.fans[0].closed);
    const std::vector<int> order = facesOf(walker, fans, 0);
    ASSERT_EQ(order.size(), 4u);
    // Either direction is a valid fan, but neighbours must stay neighbours.
    const bool forward = order == std::vector<int>{0, 1, 2, 3};
    const bool backward = order == std::vector<int>{3, 2, 1, 0};
    EXPECT_TRUE(forward || backward) << order[0] << order[1] << order[2] << order[3];
    for (std::size_t p = 0; p + 1 < order.size(); ++p) {
        const int shared = edge[std::max(order[p], order[p + 1])];
        EXPECT_EQ(fans.junctions[p], shared);
    }
    EXPECT_EQ(fans.junctions.back(), -1);
}

TEST(FanWalk, PinchedVertexAndUnlinkedCornersGiveSeparateOrNoFans) {
    // Two triangles touching only at the vertex (a bow tie), plus a corner no edge reaches.
    FanWalker walker;
    walker.reset();
    const int a = walker.addCorner({0, 0, 1, 0});
    const int b = walker.addCorner({1, 2, 3, 2});
    walker.addCorner({2, 1, 9, 8});
    for (const auto& [e, c] : std::vector<std::pair<int, int>>{{0, a}, {1, a}, {2, b}, {3, b}})
        walker.link(e, c);
    FanSet fans;
    walker.walk(fans);
    ASSERT_EQ(fans.fans.size(), 2u);
    EXPECT_EQ(facesOf(walker, fans, 0), std::vector<int>{0});
    EXPECT_EQ(facesOf(walker, fans, 1), std::vector<int>{1});
    EXPECT_EQ(fans.corners.size(), 2u); // the unlinked corner is in no fan
}

TEST(FanWalk, NonManifoldEdgeUsesEveryCornerExactlyOnce) {
    // Three faces hang on edge 0; each has its own second edge.
    FanWalker walker;
    walker.reset();
    for (int f = 0; f < 3; ++f) {
        const int c = walker.addCorner({f, 0, 1 + f, 0});
        walker.link(0, c);
        walker.link(1 + f, c);
    }
    FanSet fans;
    walker.walk(fans);
    std::vector<std::int32_t> used = fans.corners;
    std::sort(used.begin(), used.end());
    EXPECT_EQ(used, (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(fans.fans.size(), 2u); // two faces across edge 0, the third on its own
}

// Groups of a single fan, as lists of positions.
std::vector<std::vector<std::uint32_t>> groupsOf(const FanSet& fans, const std::vector<bool>& cut) {
    CornerGroups groups;
    splitFans(fans, cut, groups);
    std::vector<std::vector<std::uint32_t>> out(groups.count());
    for (std::uint32_t p = 0; p < fans.corners.size(); ++p)
        out[static_cast<std::size_t>(groups.groupOf[p])].push_back(p);
    for (std::size_t g = 0; g < groups.count(); ++g)
        EXPECT_EQ(groups.firstOfGroup[g], out[g].front());
    return out;
}

FanSet singleFan(std::uint32_t size, bool closed) {
    FanSet fans;
    for (std::uint32_t p = 0; p < size; ++p) {
        fans.corners.push_back(static_cast<std::int32_t>(p));
        fans.junctions.push_back(p + 1 < size || closed ? static_cast<std::int32_t>(p) : -1);
    }
    fans.fans.push_back({0, size, closed});
    return fans;
}

using Groups = std::vector<std::vector<std::uint32_t>>;

TEST(FanSplit, ClosedFanJoinsItsFirstAndLastRunsOnlyAcrossAnUncutJunction) {
    const FanSet closed = singleFan(6, true);
    // Cuts after positions 1 and 3: runs {0,1} {2,3} {4,5}; the closing junction is uncut.
    EXPECT_EQ(groupsOf(closed, {false, true, false, true, false, false}),
              (Groups{{0, 1, 4, 5}, {2, 3}}));
    // The closing junction cut as well: three separate groups.
    EXPECT_EQ(groupsOf(closed, {false, true, false, true, false, true}),
              (Groups{{0, 1}, {2, 3}, {4, 5}}));
    // Only two runs are not joined.
    EXPECT_EQ(groupsOf(closed, {false, true, false, false, false, false}),
              (Groups{{0, 1}, {2, 3, 4, 5}}));
    // Nothing cut: one group.
    EXPECT_EQ(groupsOf(closed, std::vector<bool>(6, false)), (Groups{{0, 1, 2, 3, 4, 5}}));
}

TEST(FanSplit, OpenFansNeverJoinAndEachFanStartsItsOwnGroup) {
    FanSet fans = singleFan(3, false);
    EXPECT_EQ(groupsOf(fans, {true, false, false}), (Groups{{0}, {1, 2}}));
    // A second fan after the first.
    fans.corners.push_back(3);
    fans.junctions.push_back(-1);
    fans.fans.push_back({3, 4, false});
    EXPECT_EQ(groupsOf(fans, {false, false, false, false}), (Groups{{0, 1, 2}, {3}}));
}

} // namespace
} // namespace vx
