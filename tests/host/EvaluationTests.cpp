// World matrices, joints, animation curves and units, against values worked out by hand.
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/host/HostTestSupport.h"

#include <vornexhost/Scene.h>

#include <maya/MAnimControl.h>
#include <maya/MDagPath.h>
#include <maya/MFnIkJoint.h>
#include <maya/MFnTransform.h>
#include <maya/MSelectionList.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vornexhost::test {
namespace {

void expectRow(const MMatrix& m, unsigned row, double x, double y, double z) {
    EXPECT_NEAR(m[row][0], x, 1e-9);
    EXPECT_NEAR(m[row][1], y, 1e-9);
    EXPECT_NEAR(m[row][2], z, 1e-9);
}

class Rig : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(tryLoad(vx::test::readWholeFile(dataPath("rig.ma"))).ok); }
};

TEST_F(Rig, NestedTransformsComposeScaleRotationAndTranslation) {
    // childXf's origin: (1,0,0) scaled by 2, turned a quarter about z, moved by (10,0,0).
    const MMatrix world = dagPath("childXf").inclusiveMatrix();
    expectRow(world, 3, 10, 2, 0);
    expectRow(world, 0, 0, 2, 0);
    expectRow(dagPath("childXfShape").exclusiveMatrix(), 3, 10, 2, 0);
    MFnTransform child(dagPath("childXf"));
    EXPECT_TRUE(child.translation(MSpace::kWorld).isEquivalent({10, 2, 0}, 1e-9));
    EXPECT_TRUE(child.translation(MSpace::kTransform).isEquivalent({1, 0, 0}));
    // The same through the worldMatrix plug and MEL.
    EXPECT_EQ(mel("getAttr childXf.worldMatrix"), "0 2 0 0 -2 0 0 0 0 0 2 0 10 2 0 1");
    EXPECT_EQ(mel("getAttr childXf.matrix"), "1 0 0 0 0 1 0 0 0 0 1 0 1 0 0 1");
}

TEST_F(Rig, PivotsRotateOrdersAndRotateAxis) {
    // Scale 2 about (0,1,0) takes the origin to (0,-1,0); a quarter turn about (1,0,0) then
    // takes it to (2,-1,0).
    expectRow(dagPath("pivoted").inclusiveMatrix(), 3, 2, -1, 0);
    MFnTransform pivoted(dagPath("pivoted"));
    EXPECT_EQ(pivoted.scalePivot(MSpace::kTransform), MPoint(0, 1, 0));
    EXPECT_TRUE(pivoted.transformation().asMatrix().isEquivalent(
        dagPath("pivoted").inclusiveMatrix(), 1e-12));
    // Rotate order zyx turns about z first: x goes to y, then about x: y goes to z.
    expectRow(dagPath("ordered").inclusiveMatrix(), 0, 0, 0, 1);
    EXPECT_EQ(MFnTransform(dagPath("ordered")).rotationOrder(), MTransformationMatrix::kZYX);
    // The rotate axis applies before the rotation: x -> y (axis), y -> z (rotation).
    expectRow(dagPath("axisXf").inclusiveMatrix(), 0, 0, 0, 1);
}

TEST_F(Rig, JointsUseOrientAndCompensateForTheParentScale) {
    // knee origin: (1,0,0) scaled by hip's 2, oriented a quarter about z, moved by (5,0,0).
    expectRow(dagPath("knee").inclusiveMatrix(), 3, 5, 2, 0);
    // ankle: knee's inverse scale halves its offset before hip scales it again: (5,3,0).
    expectRow(dagPath("ankle").inclusiveMatrix(), 3, 5, 3, 0);
    MFnIkJoint hip(dagPath("hip"));
    MQuaternion orient;
    ASSERT_TRUE(hip.getOrientation(orient));
    EXPECT_TRUE(orient.isEquivalent(MQuaternion(std::numbers::pi / 2, MVector::zAxis), 1e-12));
    MQuaternion scaleOrient;
    ASSERT_TRUE(hip.getScaleOrientation(scaleOrient));
    EXPECT_TRUE(scaleOrient.isEquivalent(MQuaternion::identity));
    // Without segment scale compensation the ankle sits at (5,4,0).
    ASSERT_EQ(mel("setAttr knee.ssc 0; getAttr ankle.worldMatrix[0]"),
              "0 2 0 0 -2 0 0 0 0 0 2 0 5 4 0 1");
}

TEST_F(Rig, AnimationCurvesDriveTheirAttributesAtTheCurrentTime) {
    EXPECT_EQ(MAnimControl::minTime().value(), 1.0);
    EXPECT_EQ(MAnimControl::maxTime().value(), 24.0);
    EXPECT_EQ(MAnimControl::minTime().unit(), MTime::kFilm);
    ASSERT_TRUE(MAnimControl::setCurrentTime(MTime(5.0, MTime::kFilm)));
    MFnTransform animated(dagPath("animated"));
    EXPECT_NEAR(animated.translation(MSpace::kTransform).x, 5.0, 1e-12);
    // Flat tangents: halfway is half the value; 90 degrees arrive as radians.
    MQuaternion q;
    animated.getRotation(q);
    EXPECT_TRUE(q.isEquivalent(MQuaternion(std::numbers::pi / 4, MVector::yAxis), 1e-12));
    // Linear post-infinity continues the last slope; frames are read in the file's unit.
    EXPECT_EQ(mel("getAttr -time 20 animated.tx"), "20");
    EXPECT_EQ(mel("getAttr -time 2.5 animated.ry"), "14.0625");
    // Step tangents hold until the next key.
    EXPECT_EQ(mel("getAttr -time 9.9 stepper.output"), "0");
    EXPECT_EQ(mel("getAttr -time 10 stepper.output"), "10");
    MTime t = MAnimControl::minTime();
    int frames = 0;
    for (; t <= MAnimControl::maxTime(); t += 1.0)
        ++frames;
    EXPECT_EQ(frames, 24);
}

struct CurveCase {
    const char* tangents; // setAttr lines for the curve
    double frame;
    double expected;
};

double curveAt(const std::string& setup, double frame) {
    loadScene("createNode animCurveTU -n \"c\";\n" + setup);
    const std::string v = mel("getAttr -time " + std::to_string(frame) + " c.o");
    return std::stod(v);
}

TEST(AnimationCurves, TangentTypesShapeTheSegment) {
    const std::string line = "\tsetAttr -s 2 \".ktv[0:1]\" 0 0 10 10;\n";
    const std::string three = "\tsetAttr -s 3 \".ktv[0:2]\" 0 0 10 10 20 10;\n";
    const CurveCase cases[] = {
        // Linear: a straight line.
        {"\tsetAttr \".tan\" 2;\n", 2.5, 2.5},
        // Flat ends: 3s^2 - 2s^3 at s = 0.25.
        {"\tsetAttr \".tan\" 3;\n", 2.5, 1.5625},
        // Step next jumps to the next key's value right away.
        {"\tsetAttr \".kot[0]\" 17;\n", 0.5, 10.0},
        // Fixed tangents given as (x, y): slope 0 both ends, as flat.
        {"\tsetAttr \".kot[0]\" 1;\n\tsetAttr \".kox[0]\" 1;\n\tsetAttr \".koy[0]\" 0;\n"
         "\tsetAttr \".kit[1]\" 3;\n",
         5, 5.0},
    };
    for (const CurveCase& c : cases)
        EXPECT_NEAR(curveAt(line + c.tangents, c.frame), c.expected, 1e-6) << c.tangents;
    // Spline over (0,0) (10,10) (20,10): slopes 1/frame at the first key, 0.5/frame at the
    // second; Hermite at frame 5 gives 5 + 0.125*10 - 0.125*5 = 5.625.
    EXPECT_NEAR(curveAt(three + "\tsetAttr \".tan\" 9;\n", 5), 5.625, 1e-6);
    // Clamped: the second key equals its neighbour, so it is flat: 5 + 1.25 = 6.25.
    EXPECT_NEAR(curveAt(three + "\tsetAttr \".tan\" 10;\n", 5), 6.25, 1e-6);
    // Plateau and auto: flat at the first key too: 5.
    EXPECT_NEAR(curveAt(three + "\tsetAttr \".tan\" 16;\n", 5), 5.0, 1e-6);
    EXPECT_NEAR(curveAt(three + "\tsetAttr \".tan\" 18;\n", 5), 5.0, 1e-6);
}

TEST(AnimationCurves, WeightedTangentsUseTheirLength) {
    // Keys (0,0) and (16,1). The first key's out handle has slope 1.5 per interval but half
    // the length: Bezier points (0,0) (1/6,0.25) (2/3,1) (1,1) in units of the interval. At
    // s = 0.5 the curve is at time 0.4375 (frame 7) with value 0.59375.
    const std::string keys =
        "\tsetAttr -s 2 \".ktv[0:1]\" 0 0 16 1;\n"
        "\tsetAttr \".kot[0]\" 1;\n\tsetAttr \".kox[0]\" 0.33333333333333333;\n"
        "\tsetAttr \".koy[0]\" 0.75;\n"
        "\tsetAttr \".kit[1]\" 1;\n\tsetAttr \".kix[1]\" 0.66666666666666667;\n"
        "\tsetAttr \".kiy[1]\" 0;\n";
    EXPECT_NEAR(curveAt(keys + "\tsetAttr \".wgt\" yes;\n", 7), 0.59375, 1e-6);
    // Unweighted, the same slopes make a Hermite segment: 1.5*h10 + h01 at s = 0.4375.
    const double s = 0.4375;
    const double hermite = 1.5 * (s * s * s - 2 * s * s + s) + (-2 * s * s * s + 3 * s * s);
    EXPECT_NEAR(curveAt(keys + "\tsetAttr \".wgt\" no;\n", 7), hermite, 1e-6);
}

TEST(AnimationCurves, InfinityModesRepeatTheCurve) {
    const std::string line = "\tsetAttr \".tan\" 2;\n\tsetAttr -s 2 \".ktv[0:1]\" 0 0 10 10;\n";
    EXPECT_NEAR(curveAt(line, -5), 0.0, 1e-9);                              // constant
    EXPECT_NEAR(curveAt(line + "\tsetAttr \".pre\" 1;\n", -5), -5.0, 1e-9); // linear
    EXPECT_NEAR(curveAt(line + "\tsetAttr \".pst\" 3;\n", 15), 5.0, 1e-9);  // cycle
    EXPECT_NEAR(curveAt(line + "\tsetAttr \".pst\" 4;\n", 15), 15.0, 1e-9); // cycle with offset
    EXPECT_NEAR(curveAt(line + "\tsetAttr \".pst\" 5;\n", 12), 8.0, 1e-9);  // oscillate
    EXPECT_NEAR(curveAt(line + "\tsetAttr \".pre\" 5;\n", -3), 3.0, 1e-9);
    EXPECT_NEAR(curveAt(line + "\tsetAttr \".pre\" 3;\n", -3), 7.0, 1e-9);
    // One key is a constant; no key is zero.
    EXPECT_NEAR(curveAt("\tsetAttr \".ktv[0]\" 3 4;\n", 100), 4.0, 1e-9);
    EXPECT_NEAR(curveAt("", 1), 0.0, 1e-9);
}

TEST(Units, FileUnitsConvertToInternalUnitsAndBackForMel) {
    loadScene(dataText("file_units.ma"));
    MFnTransform x(dagPath("x"));
    EXPECT_NEAR(x.translation(MSpace::kTransform).x, 2.54, 1e-12);
    EXPECT_EQ(mel("getAttr x.tx"), "1");
    EXPECT_EQ(mel("getAttr x.ry"), "1.5");
    EXPECT_EQ(MAnimControl::maxTime().unit(), MTime::kPALFrame);
    EXPECT_EQ(MAnimControl::maxTime().value(), 50.0);
    EXPECT_NEAR(MAnimControl::maxTime().as(MTime::kSeconds), 2.0, 1e-12);
    EXPECT_EQ(mel("getAttr x.worldMatrix[0]").substr(0, 6), "0.0707"); // cos(1.5)
}

} // namespace
} // namespace vornexhost::test
