// Polygon: preparation, region classification and the swept-circle contact test.
#include "gfx/polygon.h"

#include "gfx/geometry.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

Polygon::Polygon() : m_bPrepared(false), m_bConvex(false)
{
    RIR_TRACE("Polygon::Polygon");
}

Polygon::Polygon(const RIR::List<Point>& lPoints) : m_bPrepared(false), m_bConvex(false)
{
    RIR_TRACE("Polygon::Polygon");
    setPoints(lPoints);
}

Polygon::~Polygon()
{
    RIR_TRACE("Polygon::~Polygon");
}

void Polygon::setPoints(const RIR::List<Point>& lPoints)
{
    RIR_TRACE("Polygon::setPoints");
    m_lPoints = lPoints;
    m_bPrepared = false;
    m_aEdges.clear();
    m_afEdgeLengthsSq.clear();
    m_aNormals.clear();
    m_afNormalOffsets.clear();
    m_aCorners.clear();
    prepare();
}

// Everything is computed on copies and stored only once nothing can fail any more: the
// orientation test raises for a short or degenerate list, and a polygon marked prepared before
// that would answer later queries from arrays that were never filled.
void Polygon::prepare()
{
    RIR_TRACE("Polygon::prepare");
    if (m_bPrepared)
        return;
    RIR::List<Point> lPoints = m_lPoints;
    if (!isPolygonClockwise(lPoints))
        lPoints.reverse();
    const bool bConvex = isPolygonConvex(lPoints);
    lPoints.append(lPoints.get(0));

    std::vector<Point> aCorners;
    aCorners.reserve((size_t)lPoints.getLength());
    for (const RIR::List<Point>::Node* pNode = lPoints.getNode(0); pNode; pNode = pNode->m_pNext)
        aCorners.push_back(pNode->m_value);

    const size_t nEdges = aCorners.size() - 1;
    std::vector<Point> aEdges(nEdges);
    std::vector<float> afLengthsSq(nEdges);
    std::vector<Point> aNormals(nEdges);
    std::vector<float> afOffsets(nEdges);
    for (size_t i = 0; i < nEdges; ++i)
    {
        const Point e = aCorners[i + 1] - aCorners[i];
        aEdges[i] = e;
        afLengthsSq[i] = e.dot(e);
        Point n(e.y, -e.x);
        n.normalize();
        aNormals[i] = n;
        afOffsets[i] = aCorners[i].dot(n);
    }

    m_lPoints = lPoints;
    m_aCorners.swap(aCorners);
    m_aEdges.swap(aEdges);
    m_afEdgeLengthsSq.swap(afLengthsSq);
    m_aNormals.swap(aNormals);
    m_afNormalOffsets.swap(afOffsets);
    m_bConvex = bConvex;
    m_bPrepared = true;
}

Point Polygon::getNormal(int nEdge)
{
    RIR_TRACE("Polygon::getNormal");
    prepare();
    RIR_ASSERT(nEdge >= 0 && nEdge < getEdgeCount());
    return m_aNormals[(size_t)nEdge];
}

bool Polygon::isConvex()
{
    RIR_TRACE("Polygon::isConvex");
    prepare();
    return m_bConvex;
}

int Polygon::classifyEdge(int nEdge, const Point& p)
{
    RIR_TRACE("Polygon::classifyEdge");
    prepare();
    RIR_ASSERT(nEdge >= 0 && nEdge < getEdgeCount());
    const size_t i = (size_t)nEdge;
    const Point v = p - corner(nEdge);
    if (m_aNormals[i].dot(v) < 0.0f)
        return 3;
    const float t = v.dot(m_aEdges[i]);
    if (t < 0.0f)
        return 0;
    if (t > m_afEdgeLengthsSq[i])
        return 2;
    return 1;
}

int Polygon::findRegion(const Point& p)
{
    RIR_TRACE("Polygon::findRegion");
    prepare();
    int nPrev = 3;
    const int nEdges = getEdgeCount();
    for (int i = 0; i < nEdges; ++i)
    {
        const int c = classifyEdge(i, p);
        if (c == 1)
            return 2 * i + 1;
        if ((c != 2 && nPrev == 2) || (c == 0 && nPrev == 3 && i > 0))
            return 2 * i;
        nPrev = c;
    }
    const int c = classifyEdge(0, p);
    if ((c != 2 && nPrev == 2) || (c == 0 && nPrev == 3))
        return 0;
    return -1;
}

float Polygon::sweepCircle(const Point& from, const Point& to, float fRadius, Point* pNormalOut)
{
    RIR_TRACE("Polygon::sweepCircle");
    const int a = findRegion(from);
    const int b = findRegion(to);
    if (a == -1)
        return 0.0f;

    if (a == b && a % 2 == 0)
    {
        // Both ends beyond the same corner: the corner acts as a circle of the radius.
        const Point& p = corner(a / 2);
        float t1 = 0.0f;
        float t2 = 0.0f;
        if (!intersectLineCircle(from, to, p, fRadius, &t1, &t2) || t1 > 1.0f)
            return 1.0f;
        if (t1 < 0.0f && (p - to).lengthSquared() >= fRadius * fRadius)
            return 1.0f;
        if (pNormalOut)
        {
            Point n = from + (to - from) * t1 - p;
            n.normalize();
            *pNormalOut = n;
        }
        return t1;
    }

    if (a == b)
    {
        // Both ends facing the same edge: the signed clearances of the circle from its line.
        const size_t k = (size_t)(a / 2);
        const float dA = m_aNormals[k].dot(from) - m_afNormalOffsets[k] - fRadius;
        const float dB = m_aNormals[k].dot(to) - m_afNormalOffsets[k] - fRadius;
        if (dA > 0.0f && dB > 0.0f)
            return 1.0f;
        if ((dA <= 0.0f && dB <= 0.0f) || dA <= dB)
            return 0.0f;
        if (pNormalOut)
            *pNormalOut = m_aNormals[k];
        return (float)(((double)dA - (double)0.01f) / ((double)dA - (double)dB));
    }

    // The ends lie in different regions: halve the way until each half stays in one region.
    if ((to - from).length() < 0.01f)
        return 1.0f;
    const Point m = (from + to) / 2.0f;
    float t = sweepCircle(from, m, fRadius, pNormalOut);
    if (t < 1.0f)
        return t * 0.5f;
    t = sweepCircle(m, to, fRadius, pNormalOut);
    if (t < 1.0f)
        return t * 0.5f + 0.5f;
    return 1.0f;
}
