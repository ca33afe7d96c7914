#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MTransformationMatrix.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

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
