#include "gfx/rect.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <type_traits>

static_assert(!std::is_polymorphic_v<Rect>, "Rect has no virtual operations");
static_assert(sizeof(Rect) == 16, "Rect is four 32-bit edges");

namespace
{

// Expects the four edges, given in the order left, top, right, bottom.
void expectEdges(const Rect& r, int32_t nLeft, int32_t nTop, int32_t nRight, int32_t nBottom)
{
    EXPECT_EQ(nLeft, r.left);
    EXPECT_EQ(nTop, r.top);
    EXPECT_EQ(nRight, r.right);
    EXPECT_EQ(nBottom, r.bottom);
}

} // namespace

TEST(Rect, FieldsAreStoredVerticalFirst)
{
    const Rect r(1, 2, 3, 4);
    const int32_t* pFields = &r.top;
    EXPECT_EQ(2, pFields[0]); // top
    EXPECT_EQ(1, pFields[1]); // left
    EXPECT_EQ(4, pFields[2]); // bottom
    EXPECT_EQ(3, pFields[3]); // right
    EXPECT_EQ(1, r.getLeft());
    EXPECT_EQ(2, r.getTop());
    EXPECT_EQ(3, r.getRight());
    EXPECT_EQ(4, r.getBottom());
    expectEdges(Rect(), 0, 0, 0, 0);
}

TEST(Rect, SetKeepsOrNormalizesTheEdges)
{
    Rect r(10, 20, 5, 2);
    expectEdges(r, 10, 20, 5, 2); // unchanged without the flag
    expectEdges(Rect(10, 20, 5, 2, true), 5, 2, 10, 20);

    r.setNormalized(10, 20, 5, 2);
    expectEdges(r, 5, 2, 10, 20);
    r.set(-1, -2, -3, -4, false);
    expectEdges(r, -1, -2, -3, -4);
    r.set(-1, -2, -3, -4, true);
    expectEdges(r, -3, -4, -1, -2);
    r.setNormalized(3, 3, 3, 3);
    expectEdges(r, 3, 3, 3, 3);
}

TEST(Rect, SetFromPointsTruncatesTowardZero)
{
    Rect r;
    r.set(Point(1.9f, -2.7f), Point(-3.5f, 4.2f));
    expectEdges(r, 1, -2, -3, 4);
    r.set(Point(1.9f, -2.7f), Point(-3.5f, 4.2f), true);
    expectEdges(r, -3, -2, 1, 4);
    // Coordinates beyond the int range saturate and nan counts as 0 instead of being undefined.
    r.set(Point(1e10f, -1e10f), Point(NAN, 2147483520.0f));
    expectEdges(r, INT32_MAX, INT32_MIN, 0, 2147483520);
}

TEST(Rect, CornersSizeAndCenter)
{
    const Rect r(-3, 2, 0, 9);
    EXPECT_EQ(Point(-3.0f, 2.0f), r.getTopLeft());
    EXPECT_EQ(Point(0.0f, 9.0f), r.getBottomRight());
    EXPECT_EQ(Point(3.0f, 7.0f), r.getSize());
    // (-3 + 0) / 2 truncates toward zero to -1; (2 + 9) / 2 to 5.
    EXPECT_EQ(Point(-1.0f, 5.0f), r.getCenter());
    // An unnormalised rectangle has a negative size.
    EXPECT_EQ(Point(-5.0f, -6.0f), Rect(5, 6, 0, 0).getSize());
    // Extreme edges neither overflow the sum nor the difference.
    const Rect big(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_EQ(Point(0.0f, 0.0f), big.getCenter());
    EXPECT_EQ(Point(4294967295.0f, 4294967295.0f), big.getSize());
    EXPECT_EQ(Point((float)INT32_MAX, (float)INT32_MAX),
              Rect(INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX).getCenter());
}

TEST(Rect, EmptinessAndEquality)
{
    EXPECT_TRUE(Rect().isEmpty());
    EXPECT_TRUE(Rect(0, 0, 0, 10).isEmpty());
    EXPECT_TRUE(Rect(0, 0, 10, 0).isEmpty());
    EXPECT_FALSE(Rect(0, 0, 1, 1).isEmpty());
    EXPECT_FALSE(Rect(5, 5, 0, 0).isEmpty()); // reversed edges are not empty

    EXPECT_TRUE(Rect(1, 2, 3, 4) == Rect(1, 2, 3, 4));
    EXPECT_FALSE(Rect(1, 2, 3, 4) != Rect(1, 2, 3, 4));
    const Rect aOthers[] = {Rect(0, 2, 3, 4), Rect(1, 0, 3, 4), Rect(1, 2, 0, 4), Rect(1, 2, 3, 0)};
    for (const Rect& o : aOthers)
    {
        EXPECT_TRUE(Rect(1, 2, 3, 4) != o) << o.toString().c_str();
        EXPECT_FALSE(Rect(1, 2, 3, 4) == o) << o.toString().c_str();
    }
}

TEST(Rect, OverlapAndIntersectionAreStrict)
{
    struct Case
    {
        const char* pszName;
        Rect other;
        bool bOverlaps;
        Rect expected;
    };
    const Rect base(0, 0, 10, 10);
    const Case aCases[] = {
        {"touching right edge", Rect(10, 0, 20, 10), false, Rect()},
        {"touching bottom edge", Rect(0, 10, 10, 20), false, Rect()},
        {"touching corner", Rect(10, 10, 20, 20), false, Rect()},
        {"disjoint", Rect(30, 30, 40, 40), false, Rect()},
        {"partial", Rect(5, 5, 15, 15), true, Rect(5, 5, 10, 10)},
        {"partial from the top left", Rect(-5, -5, 1, 1), true, Rect(0, 0, 1, 1)},
        {"inside", Rect(2, 3, 4, 5), true, Rect(2, 3, 4, 5)},
        {"enclosing", Rect(-1, -1, 11, 11), true, Rect(0, 0, 10, 10)},
        {"identical", Rect(0, 0, 10, 10), true, Rect(0, 0, 10, 10)},
        // Only the edges are compared: a zero-width rectangle strictly inside still overlaps.
        {"zero width inside", Rect(5, 5, 5, 8), true, Rect(5, 5, 5, 8)},
    };
    for (const Case& c : aCases)
    {
        EXPECT_EQ(c.bOverlaps, base.overlaps(c.other)) << c.pszName;
        EXPECT_EQ(c.bOverlaps, c.other.overlaps(base)) << c.pszName;
        EXPECT_EQ(c.expected, base.intersect(c.other)) << c.pszName;
        EXPECT_EQ(c.expected, c.other.intersect(base)) << c.pszName;
    }
}

TEST(Rect, UnionIgnoresEmptyOperands)
{
    const Rect r(3, 4, 8, 9);
    EXPECT_EQ(r, Rect().getUnion(r));
    EXPECT_EQ(r, Rect(50, 50, 50, 60).getUnion(r)); // empty, wherever it lies
    EXPECT_EQ(r, r.getUnion(Rect(-50, -50, -40, -50)));
    EXPECT_EQ(Rect(0, 0, 30, 30), Rect(0, 0, 10, 10).getUnion(Rect(20, 20, 30, 30)));
    EXPECT_EQ(Rect(-5, 0, 10, 12), Rect(0, 0, 10, 10).getUnion(Rect(-5, 2, 3, 12)));
    // Both empty: the other is the result.
    EXPECT_EQ(Rect(7, 7, 7, 9), Rect().getUnion(Rect(7, 7, 7, 9)));
}

TEST(Rect, IncludeGrowsWithoutEmptinessTest)
{
    Rect r; // the zero rectangle still counts as the point (0, 0)
    r.include(Rect(5, 5, 10, 10));
    EXPECT_EQ(Rect(0, 0, 10, 10), r);
    r.include(Rect(-3, 2, 4, 20));
    EXPECT_EQ(Rect(-3, 0, 10, 20), r);
    r.include(Rect(1, 1, 2, 2)); // already inside: unchanged
    EXPECT_EQ(Rect(-3, 0, 10, 20), r);
}

TEST(Rect, ClampToMovesEachEdgeIntoTheOther)
{
    struct Case
    {
        const char* pszName;
        Rect r;
        Rect expected;
    };
    const Rect limits(0, 0, 10, 10);
    const Case aCases[] = {
        {"inside", Rect(2, 3, 4, 5), Rect(2, 3, 4, 5)},
        {"overhanging top left", Rect(-5, -5, 5, 5), Rect(0, 0, 5, 5)},
        {"overhanging bottom right", Rect(5, 5, 15, 15), Rect(5, 5, 10, 10)},
        {"enclosing", Rect(-1, -1, 11, 11), Rect(0, 0, 10, 10)},
        // Wholly outside: a degenerate rectangle on the nearest edge, not the zero rectangle.
        {"outside bottom right", Rect(50, 50, 60, 60), Rect(10, 10, 10, 10)},
        {"outside left", Rect(-20, 2, -10, 8), Rect(0, 2, 0, 8)},
        {"outside above", Rect(2, -20, 8, -10), Rect(2, 0, 8, 0)},
    };
    for (const Case& c : aCases)
    {
        Rect r = c.r;
        r.clampTo(limits);
        EXPECT_EQ(c.expected, r) << c.pszName << ": " << r.toString().c_str();
    }
    // The order raise-then-lower lets the lower limit win against limits that are out of order.
    Rect r(5, 5, 6, 6);
    r.clampTo(Rect(10, 10, 0, 0));
    EXPECT_EQ(Rect(0, 0, 0, 0), r);
}

TEST(Rect, ToStringListsLeftTopRightBottom)
{
    EXPECT_STREQ("(1, 2 - 3, 4)", Rect(1, 2, 3, 4).toString().c_str());
    EXPECT_STREQ("(-1, 0 - 2147483647, -2147483648)",
                 Rect(-1, 0, INT32_MAX, INT32_MIN).toString().c_str());
    EXPECT_STREQ("(0, 0 - 0, 0)", Rect().toString().c_str());
}
