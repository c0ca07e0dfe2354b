#include "gfx/geometry.h"

#include "rir2/exception.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <set>
#include <utility>
#include <vector>

namespace
{

RIR::List<Point> makeList(std::initializer_list<Point> points)
{
    RIR::List<Point> lPoints;
    for (const Point& p : points)
        lPoints.append(p);
    return lPoints;
}

std::vector<Point> toVector(const RIR::List<Point>& lPoints)
{
    std::vector<Point> aPoints;
    for (int i = 0; i < lPoints.getLength(); ++i)
        aPoints.push_back(lPoints.get(i));
    return aPoints;
}

void expectPointNear(const Point& expected, const Point& actual, float fTolerance)
{
    EXPECT_NEAR(expected.x, actual.x, fTolerance);
    EXPECT_NEAR(expected.y, actual.y, fTolerance);
}

// The sine and cosine the helpers use: double precision on the float radians, stored as floats.
void sinCos(float fDegrees, float& fSin, float& fCos)
{
    const float fRad = (float)((double)fDegrees * 3.141592653589793 / 180.0);
    fSin = (float)std::sin((double)fRad);
    fCos = (float)std::cos((double)fRad);
}

// (b - a) x (c - a), the turn a-b-c: positive is clockwise on the screen.
float cross(const Point& a, const Point& b, const Point& c)
{
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Small deterministic generator for the property tests.
class Lcg
{
public:
    explicit Lcg(uint32_t nSeed) : m_nState(nSeed) {}
    int next(int nRange)
    {
        m_nState = m_nState * 1664525u + 1013904223u;
        return (int)((m_nState >> 8) % (uint32_t)nRange);
    }

private:
    uint32_t m_nState;
};

} // namespace

// ---- angles ---------------------------------------------------------------------------------

TEST(GeometryAngles, DegreesAndRadians)
{
    EXPECT_FLOAT_EQ(3.14159265f, degToRad(180.0f));
    EXPECT_FLOAT_EQ(-1.57079633f, degToRad(-90.0f));
    EXPECT_FLOAT_EQ(180.0f, radToDeg(3.14159265f));
    EXPECT_FLOAT_EQ(57.2957795f, radToDeg(1.0f));
    EXPECT_EQ(0.0f, degToRad(0.0f));
}

TEST(GeometryAngles, NormalizeAngle)
{
    const struct
    {
        float fIn;
        float fOut;
    } aCases[] = {
        {-30.0f, 330.0f},
        {720.0f, 0.0f},
        {359.9f, 359.9f},
        {360.0f, 0.0f},
        {-360.0f, 0.0f},
        {0.0f, 0.0f},
        {-0.0f, 0.0f},
        {725.5f, 5.5f},
        {-725.5f, 354.5f},
        {1e10f, 280.0f},
        {-1e10f, 80.0f},
        // 2^33: from here on a - 360 == a in float, so stepping by 360 would never end.
        {8589934592.0f, 152.0f},
        // A tiny negative angle rounds to 360 when 360 is added; it is the direction 0.
        {-1e-6f, 0.0f},
    };
    for (const auto& c : aCases)
    {
        const float fOut = normalizeAngle(c.fIn);
        EXPECT_EQ(c.fOut, fOut) << "angle " << c.fIn;
        EXPECT_FALSE(std::signbit(fOut)) << "angle " << c.fIn;
    }
    // Every finite float ends in [0, 360) without a loop; non-finite angles give nan.
    EXPECT_LT(normalizeAngle(3.4e38f), 360.0f);
    EXPECT_GE(normalizeAngle(-3.4e38f), 0.0f);
    EXPECT_TRUE(std::isnan(normalizeAngle(INFINITY)));
    EXPECT_TRUE(std::isnan(normalizeAngle(-INFINITY)));
    EXPECT_TRUE(std::isnan(normalizeAngle(NAN)));
}

TEST(GeometryAngles, InterpolateAngleTakesTheShortWay)
{
    const struct
    {
        float fFrom;
        float fTo;
        float fT;
        float fOut;
    } aCases[] = {
        {350.0f, 10.0f, 0.5f, 360.0f}, // over 0, not normalised
        {10.0f, 350.0f, 0.5f, 0.0f},     {0.0f, 90.0f, 0.5f, 45.0f},
        {0.0f, 270.0f, 0.5f, -45.0f},    {0.0f, 180.0f, 1.0f, 180.0f}, // +180 stays +180
        {180.0f, 0.0f, 1.0f, 0.0f},                                    // -180 stays -180
        {0.0f, 900.0f, 1.0f, 180.0f},    {0.0f, -900.0f, 1.0f, -180.0f},
        {30.0f, 30.0f, 0.7f, 30.0f},     {0.0f, 359.0f, 1.0f, -1.0f},
        {-720.0f, 10.0f, 0.0f, -720.0f},
    };
    for (const auto& c : aCases)
        EXPECT_FLOAT_EQ(c.fOut, interpolateAngle(c.fFrom, c.fTo, c.fT))
            << c.fFrom << " -> " << c.fTo << " at " << c.fT;
    // Differences of any size end quickly.
    // 1e10 is 280 modulo 360, the short way -80.
    EXPECT_FLOAT_EQ(-80.0f, interpolateAngle(0.0f, 1e10f, 1.0f));
    EXPECT_TRUE(std::isnan(interpolateAngle(0.0f, INFINITY, 0.5f)));
}

TEST(GeometryAngles, VectorAngle)
{
    const struct
    {
        Point v;
        float fDegrees;
    } aCases[] = {
        {Point(1.0f, 0.0f), 0.0f},    {Point(0.0f, 1.0f), 90.0f},     {Point(-1.0f, 0.0f), 180.0f},
        {Point(0.0f, -1.0f), -90.0f}, {Point(-1.0f, -1.0f), -135.0f}, {Point(3.0f, 3.0f), 45.0f},
        {Point(0.0f, 0.0f), 0.0f},
    };
    for (const auto& c : aCases)
        EXPECT_FLOAT_EQ(c.fDegrees, getVectorAngle(c.v)) << c.v.x << ", " << c.v.y;
}

// ---- rotations ------------------------------------------------------------------------------

TEST(GeometryRotation, RotatePoint)
{
    // A positive angle turns clockwise on the screen: +x goes to +y (down).
    const Point q = rotatePoint(Point(1.0f, 0.0f), 90.0f);
    EXPECT_NEAR(-4.37e-8f, q.x, 1e-9f);
    EXPECT_EQ(1.0f, q.y);
    expectPointNear(Point(0.0f, -1.0f), rotatePoint(Point(1.0f, 0.0f), -90.0f), 1e-6f);
    expectPointNear(Point(-2.0f, -3.0f), rotatePoint(Point(2.0f, 3.0f), 180.0f), 1e-6f);
    expectPointNear(Point(0.0f, 1.41421356f), rotatePoint(Point(1.0f, 1.0f), 45.0f), 1e-6f);

    // Exactly 0 returns the point bit for bit; a full turn only comes close.
    const Point v(0.1f, -7.3f);
    EXPECT_EQ(v, rotatePoint(v, 0.0f));
    expectPointNear(v, rotatePoint(v, 360.0f), 1e-5f);
    expectPointNear(v, rotatePoint(v, -720.0f), 1e-5f);
}

TEST(GeometryRotation, RotatedExtents)
{
    const struct
    {
        Point half;
        float fDegrees;
        Point extents;
    } aCases[] = {
        {Point(5.0f, 5.0f), 0.0f, Point(5.0f, 5.0f)},
        {Point(5.0f, 5.0f), 45.0f, Point(7.0710678f, 7.0710678f)},
        {Point(4.0f, 2.0f), 90.0f, Point(2.0f, 4.0f)},
        {Point(4.0f, 2.0f), -90.0f, Point(2.0f, 4.0f)},
        {Point(4.0f, 2.0f), 180.0f, Point(4.0f, 2.0f)},
        {Point(4.0f, 2.0f), 30.0f, Point(4.4641016f, 3.7320508f)},
        {Point(4.0f, 2.0f), 210.0f, Point(4.4641016f, 3.7320508f)},
        {Point(4.0f, 2.0f), -30.0f, Point(4.4641016f, 3.7320508f)},
        // A mirrored (negative) half size has the extents of its magnitude.
        {Point(-4.0f, 2.0f), 30.0f, Point(4.4641016f, 3.7320508f)},
        {Point(0.0f, 0.0f), 77.0f, Point(0.0f, 0.0f)},
    };
    for (const auto& c : aCases)
        expectPointNear(c.extents, getRotatedExtents(c.half, c.fDegrees), 1e-5f);
}

TEST(GeometryRotation, RotatedBoundsFollowTheQuadrantFormulas)
{
    // Angles well inside each quadrant, where the per-quadrant formulas apply directly.
    const float aAngles[] = {10.0f, 45.0f, 100.0f, 135.0f, 200.0f, 225.0f, 300.0f, 315.0f};
    const float fX1 = -3.0f, fY1 = -1.5f, fX2 = 7.0f, fY2 = 4.25f;
    for (float fDeg : aAngles)
    {
        float s, c;
        sinCos(fDeg, s, c);
        float fL, fT, fR, fB;
        if (fDeg < 90.0f)
        {
            fL = fX1 * c - fY2 * s;
            fT = fX1 * s + fY1 * c;
            fR = fX2 * c - fY1 * s;
            fB = fX2 * s + fY2 * c;
        }
        else if (fDeg < 180.0f)
        {
            fL = fX2 * c - fY2 * s;
            fT = fX1 * s + fY2 * c;
            fR = fX1 * c - fY1 * s;
            fB = fX2 * s + fY1 * c;
        }
        else if (fDeg < 270.0f)
        {
            fL = fX2 * c - fY1 * s;
            fT = fX2 * s + fY2 * c;
            fR = fX1 * c - fY2 * s;
            fB = fX1 * s + fY1 * c;
        }
        else
        {
            fL = fX1 * c - fY1 * s;
            fT = fX2 * s + fY1 * c;
            fR = fX2 * c - fY2 * s;
            fB = fX1 * s + fY2 * c;
        }
        Point tl, br;
        getRotatedBounds(Point(fX1, fY1), Point(fX2, fY2), fDeg, tl, br);
        EXPECT_EQ(Point(fL, fT), tl) << fDeg;
        EXPECT_EQ(Point(fR, fB), br) << fDeg;
    }
}

TEST(GeometryRotation, RotatedBoundsAreTheExtremesOfTheTurnedCorners)
{
    // Rectangles: ordinary, mirrored in x (negative scale), mirrored in both, zero height,
    // zero width, a single point.
    const std::pair<Point, Point> aRects[] = {
        {Point(-3.0f, -1.5f), Point(7.0f, 4.25f)}, {Point(10.0f, -5.0f), Point(-10.0f, 5.0f)},
        {Point(4.0f, 3.0f), Point(-2.0f, -6.0f)},  {Point(0.0f, 0.0f), Point(10.0f, 0.0f)},
        {Point(3.0f, -8.0f), Point(3.0f, 2.0f)},   {Point(2.0f, 2.0f), Point(2.0f, 2.0f)},
    };
    // Angles on and just beside the quadrant boundaries, where the float radians may fall on
    // the other side of the boundary than the angle.
    std::vector<float> aAngles = {0.0f,      1e-6f,     30.0f,     89.99999f, 89.999995f,
                                  90.0f,     90.00001f, 179.9999f, 180.0f,    180.0001f,
                                  269.9999f, 270.0f,    270.0001f, 359.9999f, 359.99997f};
    for (int i = 0; i < 360; i += 15)
        aAngles.push_back((float)i + 0.5f);

    for (const auto& rect : aRects)
    {
        for (float fDeg : aAngles)
        {
            const Point aCorners[] = {rect.first, Point(rect.second.x, rect.first.y),
                                      Point(rect.first.x, rect.second.y), rect.second};
            float fL = INFINITY, fT = INFINITY, fR = -INFINITY, fB = -INFINITY;
            for (const Point& corner : aCorners)
            {
                const Point q = rotatePoint(corner, fDeg);
                fL = std::min(fL, q.x);
                fT = std::min(fT, q.y);
                fR = std::max(fR, q.x);
                fB = std::max(fB, q.y);
            }
            Point tl, br;
            ASSERT_NO_THROW(getRotatedBounds(rect.first, rect.second, fDeg, tl, br))
                << rect.first.x << "," << rect.first.y << " at " << fDeg;
            // rotatePoint uses the same sine and cosine for angles in [0, 360).
            EXPECT_EQ(Point(fL, fT), tl) << fDeg;
            EXPECT_EQ(Point(fR, fB), br) << fDeg;
        }
    }
}

TEST(GeometryRotation, RotatedBoundsOfAnyAngle)
{
    Point tl, br;
    getRotatedBounds(Point(0.0f, 0.0f), Point(4.0f, 2.0f), 90.0f, tl, br);
    expectPointNear(Point(-2.0f, 0.0f), tl, 1e-6f);
    expectPointNear(Point(0.0f, 4.0f), br, 1e-6f);

    // Angles outside [0, 360) are normalised first, however large.
    Point tl2, br2;
    getRotatedBounds(Point(0.0f, 0.0f), Point(4.0f, 2.0f), -270.0f, tl2, br2);
    EXPECT_EQ(tl, tl2);
    EXPECT_EQ(br, br2);
    getRotatedBounds(Point(-1.0f, -1.0f), Point(3.0f, 2.0f), 1e10f, tl, br);
    getRotatedBounds(Point(-1.0f, -1.0f), Point(3.0f, 2.0f), 280.0f, tl2, br2);
    EXPECT_EQ(tl2, tl);
    EXPECT_EQ(br2, br);

    // A tiny negative angle is the direction 0, not 360 (whose float radians lie past a full
    // turn): a zero-width rectangle keeps its exact box.
    getRotatedBounds(Point(3.0f, -8.0f), Point(3.0f, 2.0f), -1e-6f, tl, br);
    EXPECT_EQ(Point(3.0f, -8.0f), tl);
    EXPECT_EQ(Point(3.0f, 2.0f), br);

    // A nan angle is reported, not turned into a box.
    try
    {
        getRotatedBounds(Point(0.0f, 0.0f), Point(4.0f, 2.0f), NAN, tl, br);
        FAIL() << "no exception";
    }
    catch (const RIR::AssertFailException& e)
    {
        EXPECT_STREQ("Assertion failed : fBottom >= fTop", e.getMessage());
    }
}

// ---- overlap of turned rectangles -----------------------------------------------------------

TEST(GeometryOverlap, RotatedRectsOverlap)
{
    const Point sq(10.0f, 10.0f);
    const struct
    {
        const char* pszName;
        Point centreA, sizeA;
        float fAngleA;
        Point centreB, sizeB;
        float fAngleB;
        bool bOverlap;
    } aCases[] = {
        {"touching squares", Point(0, 0), sq, 0, Point(10.0f, 0), sq, 0, true},
        {"squares apart", Point(0, 0), sq, 0, Point(10.01f, 0), sq, 0, false},
        {"squares apart in y", Point(0, 0), sq, 0, Point(0, -10.01f), sq, 0, false},
        {"same centre", Point(3, 3), sq, 17, Point(3, 3), Point(1, 1), 80, true},
        {"diamonds 14 apart", Point(0, 0), sq, 45, Point(14.0f, 0), sq, 45, true},
        {"diamonds 14.2 apart", Point(0, 0), sq, 45, Point(14.2f, 0), sq, 45, false},
        {"diamond tip into square", Point(0, 0), sq, 0, Point(12.0f, 0), sq, 45, true},
        {"diamond tip short of square", Point(0, 0), sq, 0, Point(12.2f, 0), sq, 45, false},
        {"far apart (quick rejection)", Point(0, 0), sq, 0, Point(100, 100), sq, 30, false},
        // A thin bar across the square's corner: no axis of the square separates them, only
        // the bar's own axis does.
        {"bar beside the corner", Point(0, 0), sq, 0, Point(10, 10), Point(40, 2), -45, false},
        {"bar over the corner", Point(0, 0), sq, 0, Point(5.5f, 5.5f), Point(40, 2), -45, true},
        // A mirrored (negative) size is the same rectangle.
        {"mirrored touching", Point(0, 0), Point(-10, 10), 0, Point(10, 0), sq, 0, true},
        {"mirrored apart", Point(0, 0), Point(-10, 10), 0, Point(10.01f, 0), sq, 0, false},
        {"mirrored B apart", Point(0, 0), sq, 0, Point(0, 10.01f), Point(10, -10), 0, false},
    };
    for (const auto& c : aCases)
    {
        EXPECT_EQ(c.bOverlap,
                  rotatedRectsOverlap(c.centreA, c.sizeA, c.fAngleA, c.centreB, c.sizeB, c.fAngleB))
            << c.pszName;
        // The test is symmetric.
        EXPECT_EQ(c.bOverlap,
                  rotatedRectsOverlap(c.centreB, c.sizeB, c.fAngleB, c.centreA, c.sizeA, c.fAngleA))
            << c.pszName << " (exchanged)";
    }
}

// ---- vectors and triangles ------------------------------------------------------------------

TEST(GeometryVectors, ReflectTurnAndArea)
{
    expectPointNear(Point(1.0f, 1.0f), reflectVector(Point(1.0f, -1.0f), Point(0.0f, 5.0f)), 1e-6f);
    expectPointNear(Point(-3.0f, 4.0f), reflectVector(Point(3.0f, 4.0f), Point(-2.0f, 0.0f)),
                    1e-6f);
    expectPointNear(Point(0.0f, 2.0f), reflectVector(Point(2.0f, 0.0f), Point(1.0f, -1.0f)), 1e-6f);
    // A zero normal leaves the vector as it is.
    EXPECT_EQ(Point(3.0f, 4.0f), reflectVector(Point(3.0f, 4.0f), Point(0.0f, 0.0f)));

    const struct
    {
        Point a, b, c;
        bool bPositive;
        float fArea2;
    } aCases[] = {
        {Point(0, 0), Point(1, 0), Point(1, 1), true, 1.0f}, // clockwise on the screen
        {Point(1, 1), Point(1, 0), Point(0, 0), false, 1.0f},
        {Point(0, 0), Point(2, 2), Point(4, 4), false, 0.0f}, // collinear
        {Point(-1, 2), Point(3, 2), Point(0, 7), true, 20.0f},
        {Point(-1, 2), Point(0, 7), Point(3, 2), false, 20.0f},
    };
    for (const auto& c : aCases)
    {
        EXPECT_EQ(c.bPositive, isPositiveTurn(c.a, c.b, c.c));
        EXPECT_EQ(c.fArea2, getDoubleTriangleArea(c.a, c.b, c.c));
    }
}

// ---- clipping and circles -------------------------------------------------------------------

TEST(GeometryClip, Outcode)
{
    const Rect r(0, 0, 10, 10); // left, top, right, bottom
    const struct
    {
        Point p;
        int nCode;
    } aCases[] = {
        {Point(5, 5), 0},    {Point(0, 5), 0}, // on the left edge: inside
        {Point(10, 10), 0},  {Point(-0.01f, 5), 1}, {Point(10.5f, 5), 2},
        {Point(5, -1), 4},   {Point(5, 11), 8},     {Point(-1, -1), 5},
        {Point(11, 11), 10}, {Point(-1, 11), 9},    {Point(11, -1), 6},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(c.nCode, getOutcode(r, c.p)) << c.p.x << ", " << c.p.y;
}

TEST(GeometryClip, ClipLineToRect)
{
    const Rect r(0, 0, 10, 10);
    const struct
    {
        const char* pszName;
        Point p1, p2;
        bool bInside;
        Point q1, q2; // the clipped segment when inside
    } aCases[] = {
        {"inside", Point(1, 2), Point(8, 9), true, Point(1, 2), Point(8, 9)},
        {"across", Point(-5, 5), Point(15, 5), true, Point(0, 5), Point(10, 5)},
        {"across reversed", Point(15, 5), Point(-5, 5), true, Point(10, 5), Point(0, 5)},
        {"diagonal", Point(-5, -5), Point(15, 15), true, Point(0, 0), Point(10, 10)},
        {"from inside out", Point(5, 5), Point(5, 20), true, Point(5, 5), Point(5, 10)},
        {"along the left edge", Point(0, -5), Point(0, 15), true, Point(0, 0), Point(0, 10)},
        {"corner cut", Point(-2, 6), Point(6, -2), true, Point(0, 4), Point(4, 0)},
        {"both left", Point(-5, 0), Point(-1, 20), false, Point(), Point()},
        {"parallel below", Point(0, 12), Point(10, 12), false, Point(), Point()},
        {"misses the corner", Point(-5, 4), Point(4, -5), false, Point(), Point()},
        {"a point outside", Point(20, 20), Point(20, 20), false, Point(), Point()},
    };
    for (const auto& c : aCases)
    {
        Point p1 = c.p1;
        Point p2 = c.p2;
        EXPECT_EQ(c.bInside, clipLineToRect(p1, p2, r)) << c.pszName;
        if (c.bInside)
        {
            expectPointNear(c.q1, p1, 1e-5f);
            expectPointNear(c.q2, p2, 1e-5f);
        }
    }
}

TEST(GeometryClip, IntersectLineCircle)
{
    float fT1 = 42.0f;
    float fT2 = 42.0f;
    EXPECT_TRUE(intersectLineCircle(Point(-10, 0), Point(10, 0), Point(0, 0), 5.0f, &fT1, &fT2));
    EXPECT_FLOAT_EQ(0.25f, fT1);
    EXPECT_FLOAT_EQ(0.75f, fT2);

    // The parameters of the whole line, outside [0, 1] too.
    EXPECT_TRUE(intersectLineCircle(Point(10, 3), Point(20, 3), Point(0, 3), 5.0f, &fT1, &fT2));
    EXPECT_FLOAT_EQ(-1.5f, fT1);
    EXPECT_FLOAT_EQ(-0.5f, fT2);

    // Tangent: one double root.
    EXPECT_TRUE(intersectLineCircle(Point(-10, 5), Point(10, 5), Point(0, 0), 5.0f, &fT1, &fT2));
    EXPECT_FLOAT_EQ(0.5f, fT1);
    EXPECT_FLOAT_EQ(0.5f, fT2);

    // A miss leaves the outputs alone; null outputs are allowed.
    fT1 = fT2 = 42.0f;
    EXPECT_FALSE(intersectLineCircle(Point(-10, 6), Point(10, 6), Point(0, 0), 5.0f, &fT1, &fT2));
    EXPECT_EQ(42.0f, fT1);
    EXPECT_EQ(42.0f, fT2);
    EXPECT_TRUE(intersectLineCircle(Point(-10, 0), Point(10, 0), Point(0, 0), 5.0f));
    EXPECT_FALSE(intersectLineCircle(Point(NAN, 0), Point(10, 0), Point(0, 0), 5.0f, &fT1, &fT2));
    EXPECT_EQ(42.0f, fT1);
}

TEST(GeometryClip, SweepCircleAgainstCircle)
{
    const struct
    {
        const char* pszName;
        Point from, to;
        bool bHit;
        float fT; // nan: *pT untouched
    } aCases[] = {
        {"head on", Point(-10, 0), Point(10, 0), true, 0.4f},
        {"stops short", Point(-10, 0), Point(-5, 0), false, 1.6f},
        {"ends touching", Point(-10, 0), Point(-2, 0), true, 1.0f},
        {"moving away", Point(5, 0), Point(10, 0), false, -1.4f},
        {"starts overlapping", Point(-1, 0), Point(10, 0), false, -1.0f / 11.0f},
        {"passes beside", Point(-10, 2.5f), Point(10, 2.5f), false, NAN},
    };
    for (const auto& c : aCases)
    {
        float fT = 42.0f;
        EXPECT_EQ(c.bHit, sweepCircleAgainstCircle(c.from, c.to, 1.0f, Point(0, 0), 1.0f, &fT))
            << c.pszName;
        if (std::isnan(c.fT))
            EXPECT_EQ(42.0f, fT) << c.pszName;
        else
            EXPECT_NEAR(c.fT, fT, 1e-6f) << c.pszName;
    }
    EXPECT_TRUE(
        sweepCircleAgainstCircle(Point(-10, 0), Point(10, 0), 1.0f, Point(0, 0), 1.0f, nullptr));
}

// ---- spiral ---------------------------------------------------------------------------------

TEST(GeometrySpiral, FirstIndices)
{
    const struct
    {
        int nIdx;
        Point p;
        int nRing;
    } aCases[] = {
        {0, Point(0, 0), 0},   {1, Point(0, -1), 1}, {2, Point(-1, -1), 1}, {3, Point(-1, 0), 1},
        {4, Point(-1, 1), 1},  {5, Point(0, 1), 1},  {6, Point(1, 1), 1},   {7, Point(1, 0), 1},
        {8, Point(1, -1), 1},  {9, Point(1, -2), 2}, {10, Point(0, -2), 2}, {24, Point(2, -2), 2},
        {25, Point(2, -3), 3},
    };
    for (const auto& c : aCases)
    {
        int nRing = -1;
        EXPECT_EQ(c.p, getSpiralPoint(c.nIdx, &nRing)) << c.nIdx;
        EXPECT_EQ(c.nRing, nRing) << c.nIdx;
        EXPECT_EQ(c.p, getSpiralPoint(c.nIdx)) << c.nIdx; // no ring wanted
    }
}

TEST(GeometrySpiral, RingsAreFilledOnceInAWalk)
{
    const int nRings = 6;
    std::set<std::pair<int, int>> seen;
    Point prev;
    for (int n = 0; n < (2 * nRings + 1) * (2 * nRings + 1); ++n)
    {
        int nRing = -1;
        const Point p = getSpiralPoint(n, &nRing);
        const int x = (int)p.x;
        const int y = (int)p.y;
        EXPECT_EQ(nRing, std::max(std::abs(x), std::abs(y))) << n;
        EXPECT_TRUE(seen.insert({x, y}).second) << "repeated at " << n;
        if (n > 0)
        {
            // Each step moves to a neighbouring point.
            EXPECT_LE(std::fabs(p.x - prev.x), 1.0f) << n;
            EXPECT_LE(std::fabs(p.y - prev.y), 1.0f) << n;
        }
        prev = p;
    }
    EXPECT_EQ((size_t)((2 * nRings + 1) * (2 * nRings + 1)), seen.size());
}

TEST(GeometrySpiral, LargeIndicesAndErrors)
{
    // The last index of ring 2048: its float square root rounds up to 4097.
    int nRing = -1;
    EXPECT_EQ(Point(2048, -2048), getSpiralPoint(4097 * 4097 - 1, &nRing));
    EXPECT_EQ(2048, nRing);
    EXPECT_EQ(Point(2048, -2049), getSpiralPoint(4097 * 4097, &nRing));
    EXPECT_EQ(2049, nRing);

    // The largest index stays within its ring (no overflow).
    const Point p = getSpiralPoint(INT_MAX, &nRing);
    EXPECT_EQ(23170, nRing);
    EXPECT_EQ(Point(23170, -18537), p);

    try
    {
        getSpiralPoint(-1, &nRing);
        FAIL() << "no exception";
    }
    catch (const RIR::AssertFailException& e)
    {
        EXPECT_STREQ("Assertion failed : nIdx >= 0", e.getMessage());
    }
}

// ---- polygons -------------------------------------------------------------------------------

TEST(GeometryPolygon, Clockwise)
{
    const struct
    {
        const char* pszName;
        RIR::List<Point> lPoints;
        bool bClockwise;
    } aCases[] = {
        {"square", makeList({Point(0, 0), Point(1, 0), Point(1, 1), Point(0, 1)}), true},
        {"reversed square", makeList({Point(0, 1), Point(1, 1), Point(1, 0), Point(0, 0)}), false},
        {"straight first corner", makeList({Point(0, 0), Point(1, 0), Point(2, 0), Point(2, 1)}),
         true},
        {"repeated point", makeList({Point(0, 0), Point(0, 0), Point(1, 0), Point(1, -1)}), false},
        // Only the first deciding corner counts, even for a figure of eight.
        {"figure of eight",
         makeList({Point(0, 0), Point(1, 0), Point(1, 1), Point(2, 1), Point(2, 0)}), true},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(c.bClockwise, isPolygonClockwise(c.lPoints)) << c.pszName;
}

TEST(GeometryPolygon, ClockwiseErrors)
{
    try
    {
        isPolygonClockwise(makeList({Point(0, 0), Point(1, 1), Point(2, 2)}));
        FAIL() << "no exception";
    }
    catch (const RIR::FatalErrorException& e)
    {
        EXPECT_STREQ("Degenerate polygon passed to isPolygonClockwise()", e.getMessage());
    }
    // A corner of sine below 0.001 does not decide either.
    EXPECT_THROW(isPolygonClockwise(makeList({Point(0, 0), Point(1000, 0), Point(2000, 0.5f)})),
                 RIR::FatalErrorException);

    const RIR::List<Point> aShort[] = {makeList({}), makeList({Point(0, 0), Point(1, 1)})};
    for (const auto& lPoints : aShort)
    {
        try
        {
            isPolygonClockwise(lPoints);
            FAIL() << "no exception";
        }
        catch (const RIR::AssertFailException& e)
        {
            EXPECT_STREQ("Assertion failed : lPoints.size() > 2", e.getMessage());
        }
    }
}

TEST(GeometryPolygon, Convex)
{
    const struct
    {
        const char* pszName;
        RIR::List<Point> lPoints;
        bool bConvex;
    } aCases[] = {
        {"square", makeList({Point(0, 0), Point(1, 0), Point(1, 1), Point(0, 1)}), true},
        {"L hexagon",
         makeList({Point(0, 0), Point(2, 0), Point(2, 1), Point(1, 1), Point(1, 2), Point(0, 2)}),
         false},
        {"zigzag", makeList({Point(0, 0), Point(1, 0), Point(1, 1), Point(2, 1), Point(2, 2)}),
         false},
        {"triangle", makeList({Point(0, 0), Point(1, 0), Point(0, 1)}), true},
        // Three points have a single inner corner, nothing to compare it with.
        {"three points", makeList({Point(0, 0), Point(1, 0), Point(1, 1)}), true},
        {"empty", makeList({}), true},
        {"one point", makeList({Point(3, 3)}), true},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(c.bConvex, isPolygonConvex(c.lPoints)) << c.pszName;
}

TEST(GeometryPolygon, PointInPolygon)
{
    const RIR::List<Point> lSquare =
        makeList({Point(0, 0), Point(10, 0), Point(10, 10), Point(0, 10)});
    const RIR::List<Point> lL =
        makeList({Point(0, 0), Point(2, 0), Point(2, 1), Point(1, 1), Point(1, 2), Point(0, 2)});
    const struct
    {
        const char* pszName;
        const RIR::List<Point>* pPoints;
        Point p;
        bool bInside;
    } aCases[] = {
        {"centre", &lSquare, Point(5, 5), true},
        {"right of it", &lSquare, Point(15, 5), false},
        {"left of it", &lSquare, Point(-1, 5), false},
        // Half-open: the left and top edges belong to the square, the right and bottom do not.
        {"left edge", &lSquare, Point(0, 5), true},
        {"top edge", &lSquare, Point(5, 0), true},
        {"right edge", &lSquare, Point(10, 5), false},
        {"bottom edge", &lSquare, Point(5, 10), false},
        {"level with a corner", &lSquare, Point(-5, 0), false},
        {"L notch", &lL, Point(1.5f, 1.5f), false},
        {"L arm", &lL, Point(0.5f, 1.5f), true},
        {"L foot", &lL, Point(1.5f, 0.5f), true},
    };
    for (const auto& c : aCases)
        EXPECT_EQ(c.bInside, isPointInPolygon(*c.pPoints, c.p)) << c.pszName;
    EXPECT_FALSE(isPointInPolygon(makeList({}), Point(0, 0)));
}

// ---- convex hull ----------------------------------------------------------------------------

TEST(GeometryHull, Cases)
{
    const struct
    {
        const char* pszName;
        RIR::List<Point> lPoints;
        std::vector<Point> aHull;
    } aCases[] = {
        {"square and centre",
         makeList({Point(0, 0), Point(1, 0), Point(1, 1), Point(0, 1), Point(0.5f, 0.5f)}),
         {Point(0, 0), Point(0, 1), Point(1, 1), Point(1, 0)}},
        // The lower side's corners come first, before the point of smallest x.
        {"diamond",
         makeList({Point(-2, 0), Point(2, 0), Point(0, -2), Point(0, 2), Point(0, 0), Point(1, 1)}),
         {Point(0, -2), Point(-2, 0), Point(0, 2), Point(2, 0)}},
        {"two points", makeList({Point(5, 5), Point(1, 1)}), {Point(5, 5), Point(1, 1)}},
        {"one point", makeList({Point(5, 5)}), {Point(5, 5)}},
        {"empty", makeList({}), {}},
        // A point on the line between the ends goes to the lower side.
        {"collinear",
         makeList({Point(0, 0), Point(2, 0), Point(1, 0)}),
         {Point(1, 0), Point(0, 0), Point(2, 0)}},
        // All on one vertical line: the ends are those of smallest and largest y.
        {"vertical",
         makeList({Point(0, 0), Point(0, 1), Point(0, 2)}),
         {Point(0, 1), Point(0, 0), Point(0, 2)}},
        // Copies of the ends do not come back as extra corners.
        {"repeated ends",
         makeList({Point(0, 0), Point(1, 0), Point(0, 0), Point(1, 1), Point(0, 1), Point(1, 0)}),
         {Point(0, 0), Point(0, 1), Point(1, 1), Point(1, 0)}},
        {"all equal", makeList({Point(3, 4), Point(3, 4), Point(3, 4)}), {Point(3, 4)}},
    };
    for (const auto& c : aCases)
    {
        const std::vector<Point> aHull = toVector(getConvexHull(c.lPoints));
        ASSERT_EQ(c.aHull.size(), aHull.size()) << c.pszName;
        for (size_t i = 0; i < aHull.size(); ++i)
            EXPECT_EQ(c.aHull[i], aHull[i]) << c.pszName << " corner " << i;
    }
}

TEST(GeometryHull, RandomSetsGiveAConvexEnclosingHull)
{
    // Integer coordinates keep every cross product exact, with many repeated and collinear
    // points among them.
    for (uint32_t nSeed = 1; nSeed <= 20; ++nSeed)
    {
        Lcg rng(nSeed);
        const int nCount = 3 + rng.next(300);
        RIR::List<Point> lPoints;
        std::vector<Point> aPoints;
        for (int i = 0; i < nCount; ++i)
        {
            const Point p((float)(rng.next(41) - 20), (float)(rng.next(41) - 20));
            lPoints.append(p);
            aPoints.push_back(p);
        }
        const std::vector<Point> aHull = toVector(getConvexHull(lPoints));
        ASSERT_GE(aHull.size(), 2u) << "seed " << nSeed;
        for (size_t i = 0; i < aHull.size(); ++i)
        {
            const Point& a = aHull[i];
            const Point& b = aHull[(i + 1) % aHull.size()];
            const Point& c = aHull[(i + 2) % aHull.size()];
            EXPECT_NE(std::find(aPoints.begin(), aPoints.end(), a), aPoints.end());
            // Every corner turns the same way (counter-clockwise on the screen) ...
            EXPECT_LE(cross(a, b, c), 0.0f) << "seed " << nSeed << " corner " << i;
            // ... and every point lies on the inner side of every edge, or on it.
            for (const Point& p : aPoints)
                EXPECT_LE(cross(a, b, p), 0.0f) << "seed " << nSeed << " edge " << i;
        }
        // No corner twice.
        for (size_t i = 0; i < aHull.size(); ++i)
            for (size_t j = i + 1; j < aHull.size(); ++j)
                EXPECT_NE(aHull[i], aHull[j]) << "seed " << nSeed;
    }
}

TEST(GeometryHull, ManyPointsOnACircle)
{
    RIR::List<Point> lPoints;
    const int nCount = 2000;
    for (int i = 0; i < nCount; ++i)
    {
        const double dA = 2.0 * 3.141592653589793 * i / nCount;
        lPoints.append(Point((float)(1000.0 * std::cos(dA)), (float)(1000.0 * std::sin(dA))));
    }
    lPoints.append(Point(0, 0));
    const RIR::List<Point> lHull = getConvexHull(lPoints);
    EXPECT_GE(lHull.getLength(), nCount * 9 / 10);
    EXPECT_LE(lHull.getLength(), nCount);
    EXPECT_EQ(-1, lHull.indexOf(Point(0, 0)));
}
