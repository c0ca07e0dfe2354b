#include "gfx/polygon.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <type_traits>

static_assert(std::is_copy_constructible_v<Polygon>, "a value with its own arrays");
static_assert(std::has_virtual_destructor_v<Polygon>, "may be derived from");

namespace
{

RIR::List<Point> points(std::initializer_list<Point> corners)
{
    RIR::List<Point> lPoints;
    for (const Point& p : corners)
        lPoints.append(p);
    return lPoints;
}

// The unit square, counter-clockwise on the screen (y grows downward).
RIR::List<Point> unitSquare()
{
    return points({Point(0, 0), Point(0, 1), Point(1, 1), Point(1, 0)});
}

// The region of the edge or corner whose point or edge start is `at`, found by index.
int edgeIndexFrom(const Polygon& polygon, const Point& start)
{
    const RIR::List<Point>& lPoints = polygon.getPoints();
    for (int i = 0; i + 1 < lPoints.getLength(); ++i)
        if (lPoints.get(i) == start)
            return i;
    return -1;
}

} // namespace

TEST(PolygonTest, PreparationOrientsClosesAndMeasures)
{
    Polygon square(unitSquare());
    ASSERT_TRUE(square.isPrepared());
    // Reversed to clockwise on the screen and closed.
    const RIR::List<Point>& lPoints = square.getPoints();
    ASSERT_EQ(5, lPoints.getLength());
    EXPECT_EQ(Point(1, 0), lPoints.get(0));
    EXPECT_EQ(Point(0, 0), lPoints.get(3));
    EXPECT_EQ(lPoints.get(0), lPoints.get(4));
    EXPECT_EQ(4, square.getEdgeCount());
    EXPECT_TRUE(square.isConvex());

    // Every normal points outward: the top edge (0,0)-(1,0) faces up.
    const int nTop = edgeIndexFrom(square, Point(0, 0));
    ASSERT_GE(nTop, 0);
    EXPECT_EQ(Point(1, 0), lPoints.get(nTop + 1));
    EXPECT_EQ(Point(0, -1), square.getNormal(nTop));
    const int nRight = edgeIndexFrom(square, Point(1, 0));
    EXPECT_EQ(Point(1, 0), square.getNormal(nRight));

    // A clockwise list keeps its order; preparing again changes nothing.
    Polygon clockwise(points({Point(0, 0), Point(2, 0), Point(2, 2), Point(0, 2)}));
    EXPECT_EQ(Point(2, 0), clockwise.getPoints().get(1));
    clockwise.prepare();
    EXPECT_EQ(5, clockwise.getPoints().getLength());

    // An L-shaped hexagon is concave.
    Polygon l(points({Point(0, 0), Point(2, 0), Point(2, 1), Point(1, 1), Point(1, 2),
                      Point(0, 2)}));
    EXPECT_FALSE(l.isConvex());
}

TEST(PolygonTest, APolygonThatCannotBePreparedStaysUnpreparedAndRaises)
{
    struct Case
    {
        const char* pszName;
        RIR::List<Point> lPoints;
        const char* pszMessage;
    };
    const Case aCases[] = {
        {"two corners", points({Point(0, 0), Point(1, 0)}),
         "Assertion failed : lPoints.size() > 2"},
        {"no corners", RIR::List<Point>(), "Assertion failed : lPoints.size() > 2"},
        {"collinear", points({Point(0, 0), Point(1, 1), Point(2, 2)}),
         "Degenerate polygon passed to isPolygonClockwise()"},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        Polygon polygon;
        try
        {
            polygon.setPoints(c.lPoints);
            FAIL() << "accepted";
        }
        catch (const RIR::Exception& e)
        {
            EXPECT_STREQ(c.pszMessage, e.getMessage());
        }
        EXPECT_FALSE(polygon.isPrepared());
        EXPECT_EQ(c.lPoints.getLength(), polygon.getPoints().getLength()) << "not closed";
        EXPECT_EQ(0, polygon.getEdgeCount());
        // Every query raises the same error again instead of reading unfilled arrays.
        EXPECT_THROW(polygon.findRegion(Point(0, 0)), RIR::Exception);
        EXPECT_THROW(polygon.classifyEdge(0, Point(0, 0)), RIR::Exception);
        EXPECT_THROW(polygon.sweepCircle(Point(0, 0), Point(1, 1), 1.0f, nullptr),
                     RIR::Exception);
        EXPECT_THROW(polygon.isConvex(), RIR::Exception);
        EXPECT_FALSE(polygon.isPrepared());

        // Good points afterwards make it usable.
        polygon.setPoints(unitSquare());
        EXPECT_TRUE(polygon.isPrepared());
        EXPECT_EQ(-1, polygon.findRegion(Point(0.5f, 0.5f)));
    }
}

TEST(PolygonTest, RegionsAndEdgeClasses)
{
    Polygon square(unitSquare());
    const int nTop = edgeIndexFrom(square, Point(0, 0));
    const int nRight = edgeIndexFrom(square, Point(1, 0));
    struct Case
    {
        Point p;
        int nRegion;
    };
    const Case aCases[] = {
        {Point(0.5f, 0.5f), -1},         // inside
        {Point(0.99f, 0.01f), -1},       // inside, near a corner
        {Point(0.5f, -1.0f), 2 * nTop + 1},  // facing the top edge
        {Point(2.0f, 0.5f), 2 * nRight + 1}, // facing the right edge
        {Point(-1.0f, -1.0f), 2 * nTop},     // beyond the corner (0, 0)
        {Point(2.0f, -1.0f), 2 * nRight},    // beyond the corner (1, 0)
        {Point(2.0f, 2.0f), 2 * edgeIndexFrom(square, Point(1, 1))},
        {Point(-1.0f, 2.0f), 2 * edgeIndexFrom(square, Point(0, 1))},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(std::to_string(c.p.x) + ", " + std::to_string(c.p.y));
        EXPECT_EQ(c.nRegion, square.findRegion(c.p));
    }

    // Edge classes against the top edge (0,0) -> (1,0).
    EXPECT_EQ(3, square.classifyEdge(nTop, Point(0.5f, 0.5f)));  // inner side
    EXPECT_EQ(0, square.classifyEdge(nTop, Point(-0.5f, -1.0f))); // before its start
    EXPECT_EQ(1, square.classifyEdge(nTop, Point(0.5f, -1.0f)));
    EXPECT_EQ(2, square.classifyEdge(nTop, Point(1.5f, -1.0f))); // beyond its end
    EXPECT_THROW(square.classifyEdge(4, Point(0, 0)), RIR::AssertFailException);
    EXPECT_THROW(square.classifyEdge(-1, Point(0, 0)), RIR::AssertFailException);
}

TEST(PolygonTest, SweptCircleContacts)
{
    Polygon square(unitSquare());
    Point normal(7, 7);

    // Same edge region, never close enough.
    EXPECT_FLOAT_EQ(1.0f, square.sweepCircle(Point(0.5f, -1), Point(0.5f, -0.5f), 0.1f, &normal));
    EXPECT_EQ(Point(7, 7), normal) << "no contact, no normal";

    // Same edge region, the circle reaches the edge's line: a contact slightly early.
    const float tEdge = square.sweepCircle(Point(0.5f, -1), Point(0.5f, -0.05f), 0.1f, &normal);
    // Clearances 0.9 and -0.05: (0.9 - 0.01) / 0.95.
    EXPECT_NEAR(0.89f / 0.95f, tEdge, 1e-5f);
    EXPECT_EQ(Point(0, -1), normal);

    // Crossing into the polygon: the halving finds the contact with the top edge.
    normal = Point(7, 7);
    const float tCross = square.sweepCircle(Point(0.5f, -1), Point(0.5f, 0.5f), 0.1f, &normal);
    EXPECT_LT(tCross, 1.0f);
    // The circle touches where its centre is 0.1 above the edge: 0.9 of 1.5.
    EXPECT_NEAR(0.9f / 1.5f, tCross, 0.02f);
    EXPECT_EQ(Point(0, -1), normal);

    // Starting inside.
    EXPECT_FLOAT_EQ(0.0f, square.sweepCircle(Point(0.5f, 0.5f), Point(3, 3), 0.1f, nullptr));
    // Already overlapping the edge and moving further in.
    EXPECT_FLOAT_EQ(0.0f, square.sweepCircle(Point(0.5f, -0.05f), Point(0.5f, -0.01f), 0.1f,
                                             nullptr));

    // Within one corner region: the corner (0, 0) acts as a circle of the radius.
    normal = Point(7, 7);
    const float tCorner =
        square.sweepCircle(Point(-1, -1), Point(-0.01f, -0.01f), 0.5f, &normal);
    // The centre meets the corner's circle at distance 0.5 along the diagonal.
    const float fDiag = 0.99f * 1.41421356f;
    EXPECT_NEAR((1.41421356f - 0.5f) / fDiag, tCorner, 1e-4f);
    EXPECT_NEAR(-0.70710678f, normal.x, 1e-4f);
    EXPECT_NEAR(-0.70710678f, normal.y, 1e-4f);
    // Passing the corner region at a distance.
    EXPECT_FLOAT_EQ(1.0f, square.sweepCircle(Point(-1, -1), Point(-0.9f, -0.5f), 0.1f, nullptr));

    // A path through several regions that misses the polygon.
    EXPECT_FLOAT_EQ(1.0f, square.sweepCircle(Point(-1, -1), Point(2, -1), 0.5f, nullptr));
}
