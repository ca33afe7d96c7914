#include <d3dx9math.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(D3DXVec3Normalize, KeepsTheDirectionAtAnyScaleAndGivesZeroWithoutOne) {
    const float huge = 3e38f;
    const float tiny = 1e-40f; // subnormal: its square is below the float range
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        D3DXVECTOR3 in, want;
    };
    const Case cases[] = {
        {{3, 0, -4}, {0.6f, 0, -0.8f}}, {{huge, huge, 0}, {0.70710678f, 0.70710678f, 0}},
        {{0, tiny, 0}, {0, 1, 0}},      {{0, 0, 0}, {0, 0, 0}},
        {{inf, 0, 0}, {0, 0, 0}},       {{std::nanf(""), 1, 0}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.in.x << " " << c.in.y << " " << c.in.z);
        D3DXVECTOR3 v = c.in;
        EXPECT_EQ(D3DXVec3Normalize(&v, &v), &v); // in place, as the mender calls it
        EXPECT_NEAR(v.x, c.want.x, 1e-7f);
        EXPECT_NEAR(v.y, c.want.y, 1e-7f);
        EXPECT_NEAR(v.z, c.want.z, 1e-7f);
    }
}

} // namespace
