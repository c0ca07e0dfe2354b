// Square-spiral points, polygon orientation, convexity and containment, and the convex hull.
#include "gfx/geometry.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace
{

// The points of the list in order, for indexed access in both directions (the list's own index
// cache only walks forward).
std::vector<Point> toVector(const RIR::List<Point>& lPoints)
{
    RIR_TRACE("toVector");
    std::vector<Point> aPoints;
    aPoints.reserve((size_t)lPoints.getLength());
    if (lPoints.isEmpty())
        return aPoints;
    for (const RIR::List<Point>::Node* pNode = lPoints.getNode(0); pNode; pNode = pNode->m_pNext)
        aPoints.push_back(pNode->m_value);
    return aPoints;
}

// The largest r with r * r <= n, exactly (n >= 0).
int64_t integerSqrt(int64_t n)
{
    RIR_TRACE("integerSqrt");
    int64_t nRoot = (int64_t)std::sqrt((double)n);
    while (nRoot * nRoot > n)
        --nRoot;
    while ((nRoot + 1) * (nRoot + 1) <= n)
        ++nRoot;
    return nRoot;
}

} // namespace

Point getSpiralPoint(int nIdx, int* pRing)
{
    RIR_TRACE("getSpiralPoint");
    RIR_ASSERT(nIdx >= 0);
    if (nIdx == 0)
    {
        if (pRing)
            *pRing = 0;
        return Point(0.0f, 0.0f);
    }
    // The ring k holds the indices (2k - 1)^2 .. (2k + 1)^2 - 1, so k = floor((floor(sqrt(n)) +
    // 1) / 2). The square root is taken exactly: a float root rounds up to the next odd number
    // just below a ring's end once n passes 2^23, which gives a point of the wrong ring, and near
    // the int limit the ring's start then overflows. 64-bit arithmetic keeps (2k - 1)^2 safe.
    const int64_t n = nIdx;
    const int64_t k = (integerSqrt(n) + 1) / 2;
    const int64_t m = n - (2 * k - 1) * (2 * k - 1);
    if (pRing)
        *pRing = (int)k;
    if (m < 2 * k) // top edge, going left
        return Point((float)(k - 1 - m), (float)-k);
    if (m < 4 * k) // left edge, going down
        return Point((float)-k, (float)(m - 3 * k + 1));
    if (m < 6 * k) // bottom edge, going right
        return Point((float)(m - 5 * k + 1), (float)k);
    return Point((float)k, (float)(7 * k - 1 - m)); // right edge, going up
}

bool isPolygonClockwise(const RIR::List<Point>& lPoints)
{
    RIR_TRACE("isPolygonClockwise");
    if (lPoints.getLength() <= 2)
        RIR_THROW(AssertFailException, "Assertion failed : lPoints.size() > 2");
    const std::vector<Point> aPoints = toVector(lPoints);
    for (size_t i = 1; i + 1 < aPoints.size(); ++i)
    {
        const Point e1 = aPoints[i] - aPoints[i - 1];
        const Point e2 = aPoints[i + 1] - aPoints[i];
        const Point n(-e1.y, e1.x);
        // The sine of the turn at corner i; a repeated point gives nan, which never decides.
        const float fD = e2.dot(n) / (n.length() * e2.length());
        if (std::fabs(fD) >= 0.001)
            return fD > 0.0f;
    }
    RIR_THROW(FatalErrorException, "Degenerate polygon passed to isPolygonClockwise()");
}

bool isPolygonConvex(const RIR::List<Point>& lPoints)
{
    RIR_TRACE("isPolygonConvex");
    const std::vector<Point> aPoints = toVector(lPoints);
    Point n(0.0f, 0.0f);
    float fPrev = 0.0f;
    for (size_t i = 0; i + 1 < aPoints.size(); ++i)
    {
        const Point e = aPoints[i + 1] - aPoints[i];
        const float fD = e.dot(n);
        if (i > 0 && fD * fPrev < 0.0f)
            return false;
        n = Point(-e.y, e.x);
        fPrev = fD;
    }
    return true;
}

bool isPointInPolygon(const RIR::List<Point>& lPoints, const Point& p)
{
    RIR_TRACE("isPointInPolygon");
    const std::vector<Point> aPoints = toVector(lPoints);
    const size_t nCount = aPoints.size();
    bool bInside = false;
    for (size_t i = 0; i < nCount; ++i)
    {
        const Point& a = aPoints[i];
        const Point& b = aPoints[(i + 1) % nCount];
        // Half-open in y, so a vertex on the ray's line counts for one of its edges only; the
        // test also keeps horizontal edges (a.y == b.y) out of the division.
        if ((a.y <= p.y && p.y < b.y) || (b.y <= p.y && p.y < a.y))
        {
            const float fX = a.x + (b.x - a.x) * (p.y - a.y) / (b.y - a.y);
            if (p.x < fX)
                bInside = !bInside;
        }
    }
    return bInside;
}

RIR::List<Point> getConvexHull(const RIR::List<Point>& lPoints)
{
    RIR_TRACE("getConvexHull");
    if (lPoints.getLength() <= 2)
        return lPoints;
    const std::vector<Point> aPoints = toVector(lPoints);

    // The ends of the dividing line: the first points of smallest and largest x.
    size_t nMin = 0;
    size_t nMax = 0;
    for (size_t i = 1; i < aPoints.size(); ++i)
    {
        if (aPoints[i].x < aPoints[nMin].x)
            nMin = i;
        if (aPoints[i].x > aPoints[nMax].x)
            nMax = i;
    }
    // All points on one vertical line: both would be the same point, and the hull would lose
    // the line's other end. Divide by y instead.
    if (nMin == nMax)
    {
        for (size_t i = 1; i < aPoints.size(); ++i)
        {
            if (aPoints[i].y < aPoints[nMin].y)
                nMin = i;
            if (aPoints[i].y > aPoints[nMax].y)
                nMax = i;
        }
    }
    const Point pMin = aPoints[nMin];
    const Point pMax = aPoints[nMax];

    RIR::List<Point> lHull;
    lHull.append(pMin);
    // All points equal: the hull is that one point.
    if (pMin == pMax)
        return lHull;
    lHull.append(pMax);

    // Copies of the two ends stay out of the sets, so that they do not come back as extra
    // corners. Points on the line itself go to the lower set.
    RIR::List<Point> lUpper;
    RIR::List<Point> lLower;
    for (const Point& p : aPoints)
    {
        if (p == pMin || p == pMax)
            continue;
        if ((p.y - pMin.y) * (pMax.x - pMin.x) - (pMax.y - pMin.y) * (p.x - pMin.x) > 0.0f)
            lUpper.append(p);
        else
            lLower.append(p);
    }
    RIR_TRACE_LINE();
    addHullPoints(pMin, pMax, lUpper, lHull);
    addHullPoints(pMax, pMin, lLower, lHull);
    return lHull;
}

void addHullPoints(const Point& a, const Point& b, const RIR::List<Point>& lSet,
                   RIR::List<Point>& lHull)
{
    RIR_TRACE("addHullPoints");
    if (lSet.isEmpty())
        return;
    const int nIdx = lHull.indexOf(b);
    // Only a nan point (never equal to itself) can be missing from the hull.
    if (nIdx < 0)
        RIR_THROW(BadParmException, "addHullPoints: the end point is not in the hull");
    if (lSet.getLength() == 1)
    {
        lHull.insertAt(nIdx, lSet.get(0));
        return;
    }

    // The point farthest from the line a-b (the first one on ties) is a hull corner.
    const std::vector<Point> aSet = toVector(lSet);
    size_t nFar = 0;
    float fFar = -1.0f;
    for (size_t i = 0; i < aSet.size(); ++i)
    {
        const Point& p = aSet[i];
        const float fDist = std::fabs((b.x - a.x) * (a.y - p.y) - (b.y - a.y) * (a.x - p.x));
        if (fDist > fFar)
        {
            fFar = fDist;
            nFar = i;
        }
    }
    const Point pFar = aSet[nFar];
    lHull.insertAt(nIdx, pFar);

    // The points still outside the two new edges a-pFar and pFar-b; the rest are inside the
    // triangle and drop out.
    RIR::List<Point> lSet1;
    RIR::List<Point> lSet2;
    for (const Point& p : aSet)
    {
        if ((p.y - a.y) * (pFar.x - a.x) - (p.x - a.x) * (pFar.y - a.y) > 0.0f)
            lSet1.append(p);
        if ((b.x - pFar.x) * (p.y - pFar.y) - (b.y - pFar.y) * (p.x - pFar.x) > 0.0f)
            lSet2.append(p);
    }
    RIR_TRACE_LINE();
    addHullPoints(a, pFar, lSet1, lHull);
    addHullPoints(pFar, b, lSet2, lHull);
}
