// World matrices, joints, animation curves, units, offsets, inherited transforms and connection
// loops, against values worked out by hand (those read through MEL: evaluation_queries.txt).
#include "tests/Shared/Base/TestLogCapture.h"
#include "tests/host/HostTestSupport.h"

#include <vornexhost/Evaluator.h>
#include <vornexhost/Scene.h>

#include <maya/MAnimControl.h>
#include <maya/MDagPath.h>
#include <maya/MEulerRotation.h>
#include <maya/MFnIkJoint.h>
#include <maya/MFnTransform.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MSelectionList.h>
#include <maya/MTransformationMatrix.h>

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
    MTime t = MAnimControl::minTime();
    int frames = 0;
    for (; t <= MAnimControl::maxTime(); t += 1.0)
        ++frames;
    EXPECT_EQ(frames, 24);
}

// Through MEL: the plugs of the rig, curves of every tangent type and infinity mode, unit
// conversion and time nodes, file units.
TEST(EvaluationQueries, AnswerAsWorkedOutByHand) {
    EXPECT_EQ(expectMelAnswers("evaluation_queries.txt"), 31);
}

TEST(Units, FileUnitsConvertToInternalUnitsAndBackForMel) {
    loadScene(dataText("file_units.ma"));
    MFnTransform x(dagPath("x"));
    EXPECT_NEAR(x.translation(MSpace::kTransform).x, 2.54, 1e-12);
    EXPECT_EQ(MAnimControl::maxTime().unit(), MTime::kPALFrame);
    EXPECT_EQ(MAnimControl::maxTime().value(), 50.0);
    EXPECT_NEAR(MAnimControl::maxTime().as(MTime::kSeconds), 2.0, 1e-12);
    EXPECT_EQ(mel("getAttr x.worldMatrix[0]").substr(0, 6), "0.0707"); // cos(1.5)
}

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

// The host's matrix, quaternion and transformation classes.
MPoint transformed(const MPoint& p, const MMatrix& m) {
    return p * m;
}

void expectPoint(const MPoint& p, double x, double y, double z) {
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
    EXPECT_NEAR(p.z, z, 1e-9);
}

TEST(HostMath, QuaternionFromMatrixIgnoresScaleAndRoundTrips) {
    const MEulerRotation e(0.3, -1.1, 2.5, MEulerRotation::kYZX);
    MMatrix scaled = e.asMatrix();
    for (unsigned r = 0; r < 3; ++r)
        for (unsigned c = 0; c < 3; ++c)
            scaled[r][c] *= 3.0;
    MQuaternion q;
    q = scaled;
    EXPECT_TRUE(q.asMatrix().isEquivalent(e.asMatrix(), 1e-12));
    // The rotation by pi, where the trace is lowest, takes the other branches.
    MQuaternion half;
    half = MEulerRotation(0, std::numbers::pi, 0).asMatrix();
    EXPECT_TRUE(
        half.asMatrix().isEquivalent(MEulerRotation(0, std::numbers::pi, 0).asMatrix(), 1e-12));
}

TEST(HostMath, InverseUndoesAndSingularGivesIdentity) {
    MTransformationMatrix tm;
    tm.setTranslation({1, 2, 3}, MSpace::kTransform);
    tm.setRotation(MEulerRotation(0.4, 0.5, 0.6));
    const double s[3] = {2, 3, 4};
    tm.setScale(s, MSpace::kTransform);
    const MMatrix m = tm.asMatrix();
    EXPECT_TRUE((m * m.inverse()).isEquivalent(MMatrix::identity, 1e-12));
    EXPECT_NEAR(m.det4x4(), 24.0, 1e-9);
    MMatrix singular;
    singular[0][0] = 0.0;
    EXPECT_EQ(singular.inverse(), MMatrix::identity);
}

TEST(HostMath, PivotTranslationsAndShearComposeAsTheHostDocuments) {
    // The pivots themselves: Rig.PivotsRotateOrdersAndRotateAxis.
    // Pivot translations and the translation add at the end; shear xy moves y along x.
    MTransformationMatrix moved;
    moved.setRotatePivotTranslation({0, 0, 1}, MSpace::kTransform);
    moved.setScalePivotTranslation({0, 2, 0}, MSpace::kTransform);
    moved.setTranslation({3, 0, 0}, MSpace::kTransform);
    const double shear[3] = {0.5, 0, 0};
    moved.setShear(shear, MSpace::kTransform);
    expectPoint(transformed({0, 1, 0}, moved.asMatrix()), 3.5, 3, 1);
}

TEST(HostMath, DecompositionRecoversTranslationRotationScaleAndShear) {
    MTransformationMatrix tm;
    tm.setTranslation({1, -2, 3}, MSpace::kTransform);
    tm.setRotation(MEulerRotation(0.2, -0.7, 1.3));
    const double s[3] = {1.5, 2.0, 0.5};
    const double sh[3] = {0.25, -0.5, 0.1};
    tm.setScale(s, MSpace::kTransform);
    tm.setShear(sh, MSpace::kTransform);
    const MTransformationMatrix back(tm.asMatrix());
    EXPECT_TRUE(back.asMatrix().isEquivalent(tm.asMatrix(), 1e-9));
    double s2[3];
    double sh2[3];
    back.getScale(s2, MSpace::kTransform);
    back.getShear(sh2, MSpace::kTransform);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(s2[i], s[i], 1e-9);
        EXPECT_NEAR(sh2[i], sh[i], 1e-9);
    }
    EXPECT_TRUE(back.translation(MSpace::kTransform).isEquivalent({1, -2, 3}));
    EXPECT_NEAR(back.eulerRotation().y, -0.7, 1e-9);
}

} // namespace
} // namespace vornexhost::test
