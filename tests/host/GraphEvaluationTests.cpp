// Evaluation through the graph: offsets, inherited transforms, connection loops and the
// world-space queries the scene reader makes (unit conversions and time: evaluation_queries.txt).
#include "tests/host/HostTestSupport.h"

#include <vornexhost/Evaluator.h>
#include <vornexhost/Scene.h>

#include <maya/MDagPath.h>
#include <maya/MFnIkJoint.h>
#include <maya/MSelectionList.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vornexhost::test {
namespace {

TEST(GraphEvaluation, OffsetParentMatrixAndInheritsTransform) {
    loadScene(dataText("offset_parent.ma"));
    const MMatrix offset = dagPath("offset").inclusiveMatrix();
    EXPECT_DOUBLE_EQ(offset[3][0], 1.0);
    EXPECT_DOUBLE_EQ(offset[3][1], 100.0);
    EXPECT_DOUBLE_EQ(offset[3][2], 10.0);
    // A transform that does not inherit ignores its parents.
    const MMatrix free = dagPath("free").inclusiveMatrix();
    EXPECT_DOUBLE_EQ(free[3][0], 3.0);
    EXPECT_DOUBLE_EQ(free[3][1], 0.0);
}

TEST(GraphEvaluation, ConnectionLoopsEndInsteadOfHanging) {
    loadScene(dataText("cycle.ma"));
    // Around the loop the value is one of those stored on it.
    double v = -1.0;
    ASSERT_TRUE(plug("b.tx").getValue(v));
    EXPECT_TRUE(v == 0.0 || v == 4.0) << v;
    // The world matrices feed each other's offsets: evaluation gives up at its depth limit.
    const MMatrix world = dagPath("a").inclusiveMatrix();
    EXPECT_TRUE(std::isfinite(world[3][0]));
}

TEST(GraphEvaluation, JointSampledInWorldAndParentSpace) {
    loadScene(dataText("parent_space.ma"));
    MFnIkJoint joint(dagPath("Camerabone"));
    // Parent space: the translate attribute; world space: turned a quarter about y: (2, 0, 0).
    EXPECT_TRUE(joint.translation(MSpace::kTransform).isEquivalent({0, 0, 2}));
    EXPECT_TRUE(joint.translation(MSpace::kWorld).isEquivalent({2, 0, 0}, 1e-12));
    const double h = std::numbers::pi / 2;
    MQuaternion r;
    MQuaternion rWorld;
    MQuaternion jo;
    MQuaternion so;
    joint.getRotation(r, MSpace::kTransform);
    joint.getRotation(rWorld, MSpace::kWorld);
    joint.getOrientation(jo);
    joint.getScaleOrientation(so);
    EXPECT_TRUE(r.isEquivalent(MQuaternion(h, MVector::zAxis), 1e-12));
    EXPECT_TRUE(rWorld.isEquivalent(MQuaternion(h, MVector::zAxis) * MQuaternion(h, MVector::yAxis),
                                    1e-12));
    EXPECT_TRUE(jo.isEquivalent(MQuaternion(h, MVector::xAxis), 1e-12));
    EXPECT_TRUE(so.isEquivalent(MQuaternion(h / 2, MVector::yAxis), 1e-12));
    // The joint's local matrix is S * SO * R * JO * IS * T: the scale orientation, rotation
    // and orientation compose as quaternions in that order.
    MQuaternion composed;
    composed = joint.transformation().asMatrix();
    EXPECT_TRUE(composed.asMatrix().isEquivalent((so * r * jo).asMatrix(), 1e-12));
}

} // namespace
} // namespace vornexhost::test
