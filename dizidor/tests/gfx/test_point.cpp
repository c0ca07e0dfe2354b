#include "gfx/point.h"

#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>

static_assert(std::has_virtual_destructor_v<Point>, "Point has a virtual destructor");
static_assert(std::is_copy_constructible_v<Point> && std::is_copy_assignable_v<Point>,
              "Point is a value type");

TEST(Point, ConstructionAndCopy)
{
    const Point p0;
    EXPECT_EQ(0.0f, p0.x);
    EXPECT_EQ(0.0f, p0.y);

    Point p(1.5f, -2.25f);
    const Point q(p);
    EXPECT_EQ(1.5f, q.x);
    EXPECT_EQ(-2.25f, q.y);
    p = Point(7.0f, 8.0f);
    EXPECT_EQ(Point(7.0f, 8.0f), p);
    EXPECT_EQ(Point(1.5f, -2.25f), q); // the copy is independent
}

TEST(Point, FreeOperators)
{
    const Point a(3.0f, -4.0f);
    const Point b(0.5f, 2.0f);
    EXPECT_EQ(Point(3.5f, -2.0f), a + b);
    EXPECT_EQ(Point(2.5f, -6.0f), a - b);
    EXPECT_EQ(Point(6.0f, -8.0f), a * 2.0f);
    EXPECT_EQ(Point(6.0f, -8.0f), 2.0f * a);
    EXPECT_EQ(Point(1.5f, -2.0f), a / 2.0f);
    // The scalar-first division divides the point too; it is not a reciprocal.
    EXPECT_EQ(Point(1.5f, -2.0f), 2.0f / a);
    EXPECT_EQ(Point(-3.0f, 4.0f), -a);
}

TEST(Point, CompoundOperatorsWorkInPlace)
{
    Point p(1.0f, 2.0f);
    p += Point(2.0f, 3.0f);
    EXPECT_EQ(Point(3.0f, 5.0f), p);
    p -= Point(1.0f, 1.0f);
    EXPECT_EQ(Point(2.0f, 4.0f), p);
    p *= 1.5f;
    EXPECT_EQ(Point(3.0f, 6.0f), p);
    p /= 3.0f;
    EXPECT_EQ(Point(1.0f, 2.0f), p);
    // Chaining returns the point itself.
    (p += Point(1.0f, 1.0f)) *= 2.0f;
    EXPECT_EQ(Point(4.0f, 6.0f), p);
}

TEST(Point, EqualityIsExactPerComponent)
{
    EXPECT_TRUE(Point(1.0f, 2.0f) == Point(1.0f, 2.0f));
    EXPECT_FALSE(Point(1.0f, 2.0f) != Point(1.0f, 2.0f));
    EXPECT_TRUE(Point(1.0f, 2.0f) != Point(1.0f, std::nextafter(2.0f, 3.0f)));
    EXPECT_TRUE(Point(1.0f, 2.0f) != Point(2.0f, 2.0f));
}

TEST(Point, DivisionByZeroFollowsFloatRules)
{
    const Point p = Point(1.0f, -1.0f) / 0.0f;
    EXPECT_TRUE(std::isinf(p.x) && p.x > 0);
    EXPECT_TRUE(std::isinf(p.y) && p.y < 0);
}

TEST(Point, LengthDotAndNormalize)
{
    EXPECT_EQ(5.0f, Point(3.0f, 4.0f).length());
    EXPECT_EQ(25.0f, Point(3.0f, 4.0f).lengthSquared());
    EXPECT_EQ(0.0f, Point().length());
    EXPECT_EQ(3.0f * -1.0f + 4.0f * 2.0f, Point(3.0f, 4.0f).dot(Point(-1.0f, 2.0f)));

    Point p(3.0f, 4.0f);
    p.normalize();
    EXPECT_FLOAT_EQ(0.6f, p.x);
    EXPECT_FLOAT_EQ(0.8f, p.y);
    EXPECT_FLOAT_EQ(1.0f, p.length());

    Point z;
    z.normalize(); // a zero vector stays put instead of becoming nan
    EXPECT_EQ(Point(0.0f, 0.0f), z);

    Point down(0.0f, -5.0f);
    down.normalize();
    EXPECT_EQ(Point(0.0f, -1.0f), down);
}

TEST(Point, AngleInDegreesWithinZeroTo360)
{
    struct Case
    {
        float fX, fY, fAngle;
    };
    const Case aCases[] = {
        {1.0f, 0.0f, 0.0f},    {0.0f, 1.0f, 90.0f}, {-1.0f, 0.0f, 180.0f},
        {0.0f, -1.0f, 270.0f}, {1.0f, 1.0f, 45.0f}, {-1.0f, -1.0f, 225.0f},
        {1.0f, -1.0f, 315.0f}, {0.0f, 0.0f, 0.0f},  {-1.0f, -0.0f, 180.0f},
        {1.0f, -1e-30f, 0.0f}, // a tiny negative angle rounds to 360.0f and comes back to 0
    };
    for (const Case& c : aCases)
    {
        const float f = Point(c.fX, c.fY).angle();
        EXPECT_FLOAT_EQ(c.fAngle, f) << "(" << c.fX << ", " << c.fY << ")";
        EXPECT_GE(f, 0.0f);
        EXPECT_LT(f, 360.0f);
    }
    // Degrees from radians through pi = 3.141592653589793 in double, rounded once to float.
    EXPECT_EQ((float)(std::atan2(2.0, 1.0) * 180.0 / 3.141592653589793), Point(1.0f, 2.0f).angle());
}
