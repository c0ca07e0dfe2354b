// RenderMatrix: row-vector transforms as the 3-D driver composes them.
#include "platform/gl/rendermatrix.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

struct Transformed
{
    float x;
    float y;
    float z;
};

Transformed apply(const RenderMatrix& m, float fX, float fY, float fZ = 0.0f)
{
    float af[4];
    m.transform(fX, fY, fZ, af);
    return Transformed{af[0] / af[3], af[1] / af[3], af[2] / af[3]};
}

TEST(RenderMatrixTest, ProductAppliesTheLeftMatrixFirst)
{
    // Scale, then turn a quarter clockwise on the screen, then move: the sprite transform.
    RenderMatrix m = RenderMatrix::scaling(2.0f, 3.0f, 1.0f) * RenderMatrix::rotationZ(1.5707964f) *
                     RenderMatrix::translation(10.0f, 20.0f, 0.0f);
    Transformed p = apply(m, 1.0f, 1.0f);
    // (1, 1) -> (2, 3) -> (-3, 2) -> (7, 22).
    EXPECT_NEAR(7.0f, p.x, 1e-5f);
    EXPECT_NEAR(22.0f, p.y, 1e-5f);

    // The other order moves first and scales the move too.
    Transformed q = apply(RenderMatrix::translation(10.0f, 0.0f, 0.0f) *
                              RenderMatrix::scaling(2.0f, 2.0f, 1.0f),
                          1.0f, 0.0f);
    EXPECT_NEAR(22.0f, q.x, 1e-5f);
    EXPECT_TRUE((RenderMatrix::translation(1, 2, 3) * RenderMatrix::identity()) ==
                RenderMatrix::translation(1, 2, 3));
}

TEST(RenderMatrixTest, RotationTurnsClockwiseOnTheScreen)
{
    // Screen y grows downward: +x turns toward +y.
    Transformed p = apply(RenderMatrix::rotationZ(1.5707964f), 1.0f, 0.0f);
    EXPECT_NEAR(0.0f, p.x, 1e-6f);
    EXPECT_NEAR(1.0f, p.y, 1e-6f);
}

TEST(RenderMatrixTest, OrthographicProjectionMapsTheScreenBox)
{
    // The driver's projection: left edge at -80 (a letterbox), 960 units wide, top 0, bottom
    // 600, depth -1 to 1.
    RenderMatrix m = RenderMatrix::orthoOffCenter(-80.0f, 880.0f, 600.0f, 0.0f, -1.0f, 1.0f);
    const struct
    {
        float x, y, z;
        float ex, ey, ez;
    } aCases[] = {
        {-80.0f, 0.0f, -1.0f, -1.0f, 1.0f, 0.0f},  // top-left, near
        {880.0f, 600.0f, 1.0f, 1.0f, -1.0f, 1.0f}, // bottom-right, far
        {400.0f, 300.0f, 0.0f, 0.0f, 0.0f, 0.5f},  // centre
        {0.0f, 600.0f, 0.0f, -0.8333333f, -1.0f, 0.5f},
    };
    for (const auto& c : aCases)
    {
        Transformed p = apply(m, c.x, c.y, c.z);
        EXPECT_NEAR(c.ex, p.x, 1e-5f) << c.x << ", " << c.y;
        EXPECT_NEAR(c.ey, p.y, 1e-5f) << c.x << ", " << c.y;
        EXPECT_NEAR(c.ez, p.z, 1e-5f) << c.x << ", " << c.y;
    }
}

TEST(RenderMatrixTest, TextFormShowsIdentityByName)
{
    EXPECT_STREQ("identity", RenderMatrix().toString().c_str());
    EXPECT_STREQ("[1 0 0 0; 0 1 0 0; 0 0 1 0; 5 -2 0 1]",
                 RenderMatrix::translation(5.0f, -2.0f, 0.0f).toString().c_str());
}

} // namespace
