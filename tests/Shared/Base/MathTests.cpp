#include "Shared/Base/Assert.h"
#include "Shared/Base/math/Matrix.h"
#include "Shared/Base/math/Rounding.h"
#include "tests/Shared/Base/TestLogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>
#include <vector>

namespace vx {
namespace {

void expectNear(const Vector3& a, const Vector3& b, float tolerance = 1e-5f) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

void expectNear(const Matrix& a, const Matrix& b, float tolerance = 1e-5f) {
    for (unsigned r = 0; r < 3; ++r)
        expectNear(a.rows[r], b.rows[r], tolerance);
    expectNear(a.translation, b.translation, tolerance);
}

// A rotation by `angle` radians about a unit axis, as a quaternion.
Quaternion axisAngle(Vector3 axis, float angle) {
    const float s = std::sin(angle / 2);
    return {axis.x * s, axis.y * s, axis.z * s, std::cos(angle / 2)};
}

TEST(Matrix, FourByFourFormAppendsTheAffineColumn) {
    const Matrix m({1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {5, 6, 7});
    const Matrix4 full = m.toMatrix4();
    EXPECT_EQ(std::vector<float>(full.m[3], full.m[3] + 4), (std::vector<float>{5, 6, 7, 1}));
    EXPECT_EQ(std::make_tuple(full.m[0][3], full.m[1][3], full.m[2][3]), std::make_tuple(0, 0, 0));
    EXPECT_EQ(Matrix::fromMatrix4(full), m);
}

TEST(Matrix, IndexedAccessPastTheEndAsserts) {
    test::LogCapture capture;
    Vector3 v{1, 2, 3};
    EXPECT_EQ(v[2], 3.0f);
    EXPECT_THROW(v[3], AssertionFailed);
    EXPECT_EQ(capture.scriptLines().back(), "Assert: i < 3 : ");
    Matrix m;
    EXPECT_EQ(m[2].z, 1.0f);
    EXPECT_THROW(m[3], AssertionFailed);
    EXPECT_EQ(capture.scriptLines().back(), "Assert: c < C : ");
}

TEST(Matrix, ProductsApplyTheLeftTransformFirst) {
    // Row vectors: p * (A * B) == (p * A) * B.
    const Matrix scale({2, 0, 0}, {0, 3, 0}, {0, 0, 4}, {1, 0, 0});
    const Matrix turn = Matrix::fromQuaternion(axisAngle({0, 0, 1}, 0.7f), {0, 5, 0});
    const Vector3 p{1, 2, 3};
    expectNear((scale * turn).transformPoint(p), turn.transformPoint(scale.transformPoint(p)));
    // Scale by 2 in x, then move by 1 in x: (1,2,3) -> (2,6,12) + (1,0,0).
    expectNear(scale.transformPoint(p), {3, 6, 12});
    expectNear(scale.transformVector(p), {2, 6, 12});
}

TEST(Matrix, InversesUndoTheTransform) {
    const Matrix turn = Matrix::fromQuaternion(axisAngle({0.6f, 0.8f, 0}, 1.1f), {3, -2, 9});
    const Matrix skewed({2, 1, 0}, {0, 3, 1}, {1, 0, 4}, {1, 2, 3});
    Matrix inverse;
    ASSERT_TRUE(skewed.inverse(inverse));
    expectNear(skewed * inverse, Matrix::identity());
    expectNear(inverse * skewed, Matrix::identity());
    expectNear(turn * turn.rigidInverse(), Matrix::identity());

    const Matrix flat({1, 0, 0}, {0, 1, 0}, {0, 0, 0});
    Matrix untouched({9, 9, 9}, {9, 9, 9}, {9, 9, 9});
    EXPECT_FALSE(flat.inverse(untouched));
    EXPECT_EQ(untouched.rows[0], Vector3(9, 9, 9));
}

TEST(Quaternion, MatrixFollowsTheRowByRowFormulaAndProductsMatchMatrixProducts) {
    // 90 degrees about z: (0, 0, s, c) with s = c = sqrt(1/2).
    const Matrix m = Matrix::fromQuaternion(axisAngle({0, 0, 1}, float(M_PI / 2)));
    expectNear(m, Matrix({0, -1, 0}, {1, 0, 0}, {0, 0, 1}));
    const Quaternion a = axisAngle({1, 0, 0}, 0.4f);
    const Quaternion b = axisAngle({0, 0.6f, 0.8f}, -1.3f);
    expectNear(Matrix::fromQuaternion(a * b),
               Matrix::fromQuaternion(a) * Matrix::fromQuaternion(b));
}

TEST(Quaternion, MatrixConversionRoundTripsOnEveryBranch) {
    // Small angles take the trace branch; half turns about each axis take the
    // largest-diagonal branch for x, y and z.
    const Quaternion cases[] = {
        axisAngle({0, 1, 0}, 0.3f),
        axisAngle({1, 0, 0}, float(M_PI)),
        axisAngle({0, 1, 0}, float(M_PI)),
        axisAngle({0, 0, 1}, float(M_PI)),
        axisAngle({0.48f, 0.6f, 0.64f}, 2.9f),
        {0.5f, -0.5f, 0.5f, 0.5f},
    };
    for (const Quaternion& q : cases) {
        const Quaternion back = Matrix::fromQuaternion(q).toQuaternion();
        const float sign =
            (back.x * q.x + back.y * q.y + back.z * q.z + back.w * q.w) < 0 ? -1.0f : 1.0f;
        expectNear(Vector3(back.x, back.y, back.z) * sign, {q.x, q.y, q.z});
        EXPECT_NEAR(back.w * sign, q.w, 1e-5f);
    }
}

// A quaternion too short to normalise becomes the identity; a zero vector stays zero.
TEST(Normalising, KeepsDirectionAndLeavesWhatIsTooShortAtItsDefault) {
    EXPECT_EQ(Quaternion(1e-9f, 0, 0, 0).normalized(), Quaternion(0, 0, 0, 1));
    const Quaternion unit = Quaternion(0, 0, 3, 4).normalized();
    EXPECT_FLOAT_EQ(unit.z, 0.6f);
    EXPECT_FLOAT_EQ(unit.w, 0.8f);
    expectNear(Vector3(3, 0, 4).normalized(), {0.6f, 0, 0.8f});
    EXPECT_EQ(Vector3().normalized(), Vector3());
    expectNear(Vector3::cross({1, 0, 0}, {0, 1, 0}), {0, 0, 1});
}

// floor(x + 0.5) as a library floor gives it, held to ±4e18 (NaN to the low end): at and beside
// halves, around 2^52 where doubles turn whole, at the limits, and across magnitudes.
TEST(RoundHalfUp, IsTheFloorOfTheValuePlusAHalfWithinTheLimits) {
    constexpr double kLimit = 4.0e18;
    const auto expected = [](double value) -> std::int64_t {
        const double floored = std::floor(value + 0.5);
        if (std::isnan(floored) || floored <= -kLimit)
            return static_cast<std::int64_t>(-kLimit);
        if (floored >= kLimit)
            return static_cast<std::int64_t>(kLimit);
        return static_cast<std::int64_t>(floored);
    };
    const double infinity = std::numeric_limits<double>::infinity();
    std::vector<double> values = {0.0,
                                  -0.0,
                                  0.5,
                                  -0.5,
                                  1.5,
                                  -1.5,
                                  2.5,
                                  -2.5,
                                  0.49,
                                  -0.51,
                                  4503599627370496.0,
                                  -4503599627370497.0,
                                  9007199254740993.0,
                                  3.9e18,
                                  4.0e18,
                                  5.0e18,
                                  -5.0e18,
                                  1e300,
                                  -1e300,
                                  infinity,
                                  -infinity,
                                  std::numeric_limits<double>::quiet_NaN()};
    for (const double half : {0.5, -0.5, 1.5, -1.5, 511.5, -511.5, 4503599627370495.5})
        for (const double toward : {-infinity, infinity})
            values.push_back(std::nextafter(half, toward));
    double magnitude = 1e-3;
    for (int i = 0; i < 2000; ++i, magnitude *= 1.03)
        values.push_back((i % 2 ? -1.0 : 1.0) * magnitude * (1.0 + 0.37 * (i % 7)));
    EXPECT_EQ(roundHalfUp(2.5), 3);
    EXPECT_EQ(roundHalfUp(-2.5), -2);
    for (const double value : values)
        EXPECT_EQ(roundHalfUp(value), expected(value)) << value;
}

} // namespace
} // namespace vx
