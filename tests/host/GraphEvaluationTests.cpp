// Evaluation through the graph: unit conversions, time, offsets, inherited transforms,
// connection loops and the world-space queries the scene reader makes.
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

TEST(GraphEvaluation, UnitConversionNodesAndTimeFeedAttributes) {
    loadScene(R"(createNode transform -n "driver";
	setAttr ".tx" 2;
createNode transform -n "driven";
createNode unitConversion -n "uc";
	setAttr ".cf" 0.5;
createNode animCurveTU -n "byTime";
	setAttr ".tan" 2;
	setAttr -s 2 ".ktv[0:1]" 0 0 24 48;
connectAttr "driver.tx" "uc.i";
connectAttr "uc.o" "driven.ry";
connectAttr ":time1.o" "driven.tz";
connectAttr "byTime.o" "driven.sx";
)");
    // 2 cm through a factor of 0.5 gives 1 radian on the rotation.
    EXPECT_NEAR(nodeNumber(*activeScene().findNode("driven"), "ry", 0.0), 1.0, 1e-12);
    EXPECT_EQ(mel("getAttr driven.ry"), "57.29578");
    // time1's output is the evaluation time: frame 12 is half a second.
    EXPECT_EQ(mel("getAttr -time 12 driven.tz"), "0.5");
    EXPECT_EQ(mel("getAttr -time 12 driven.sx"), "24");
}

TEST(GraphEvaluation, OffsetParentMatrixAndInheritsTransform) {
    loadScene(R"(createNode transform -n "p";
	setAttr ".t" -type "double3" 0 100 0 ;
createNode transform -n "offset" -p "p";
	setAttr ".t" -type "double3" 1 0 0 ;
	setAttr ".opm" -type "matrix" 1 0 0 0 0 1 0 0 0 0 1 0 0 0 10 1;
createNode transform -n "free" -p "p";
	setAttr ".t" -type "double3" 3 0 0 ;
	setAttr ".it" no;
)");
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
    loadScene(R"(createNode transform -n "a";
	setAttr ".tx" 4;
createNode transform -n "b";
connectAttr "a.tx" "b.tx";
connectAttr "b.tx" "a.tx";
connectAttr "a.wm" "b.opm";
connectAttr "b.wm" "a.opm";
)");
    // Around the loop the value is one of those stored on it.
    double v = -1.0;
    ASSERT_TRUE(plug("b.tx").getValue(v));
    EXPECT_TRUE(v == 0.0 || v == 4.0) << v;
    // The world matrices feed each other's offsets: evaluation gives up at its depth limit.
    const MMatrix world = dagPath("a").inclusiveMatrix();
    EXPECT_TRUE(std::isfinite(world[3][0]));
}

TEST(GraphEvaluation, JointSampledInWorldAndParentSpace) {
    loadScene(R"(createNode transform -n "rig";
	setAttr ".r" -type "double3" 0 90 0 ;
createNode joint -n "Camerabone" -p "rig";
	setAttr ".t" -type "double3" 0 0 2 ;
	setAttr ".r" -type "double3" 0 0 90 ;
	setAttr ".jo" -type "double3" 90 0 0 ;
	setAttr ".ra" -type "double3" 0 45 0 ;
)");
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
