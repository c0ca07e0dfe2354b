// Polygon: a closed polygon prepared for collision queries of a moving circle.
//
// Preparation orients the corners clockwise on the screen, closes the list (the first corner is
// repeated at the end) and precomputes every edge with its squared length, its outward unit
// normal and the distance term of its line. The queries then tell in which feature region a point
// lies (inside, facing an edge, or beyond a corner) and how far a circle can travel along a
// segment before it touches the polygon.
//
// Usage:
//     RIR::List<Point> lCorners; ... at least three corners, in either turning order
//     Polygon wall(lCorners);                  // prepared at once
//     Point normal;
//     float t = wall.sweepCircle(from, to, 8.0f, &normal);
//     if (t < 1.0f) ... contact at from + (to - from) * t, pushed back along normal
//
// Failures: fewer than three corners raise AssertFailException
// "Assertion failed : lPoints.size() > 2", corners on one line FatalErrorException
// "Degenerate polygon passed to isPolygonClockwise()". Such a polygon stays unprepared with its
// points as they were given, and every query that needs the preparation raises the same error
// again, so nothing ever reads edges that were not computed.
#ifndef DIZIDOR_GFX_POLYGON_H
#define DIZIDOR_GFX_POLYGON_H

#include "gfx/point.h"
#include "rir2/list.h"

#include <vector>

class Polygon
{
public:
    // No points, not prepared.
    Polygon();
    // setPoints: raises as preparation raises.
    explicit Polygon(const RIR::List<Point>& lPoints);
    virtual ~Polygon();

    Polygon(const Polygon& other) = default;
    Polygon& operator=(const Polygon& other) = default;

    // Copies the points, forgets the old preparation and prepares the polygon. Raises as
    // preparation raises; the points stay as given and the polygon unprepared.
    void setPoints(const RIR::List<Point>& lPoints);
    // Orients, closes and measures the polygon; nothing when it is prepared already. Raises for
    // fewer than three corners or a degenerate polygon and then changes nothing.
    void prepare();
    bool isPrepared() const { return m_bPrepared; }
    // The corners: after preparation clockwise on the screen and closed.
    const RIR::List<Point>& getPoints() const { return m_lPoints; }
    // The number of edges (0 until prepared).
    int getEdgeCount() const { return (int)m_aEdges.size(); }
    // Edge i's outward unit normal; prepares first. A bad index raises AssertFailException.
    Point getNormal(int nEdge);

    // Prepares, then whether the corners never turn both ways.
    bool isConvex();
    // Where p lies relative to edge i (prepares first): 3 on the inner side of the edge's line;
    // otherwise 0 before the edge's start, 2 beyond its end, 1 facing the edge itself. A bad
    // index raises AssertFailException.
    int classifyEdge(int nEdge, const Point& p);
    // -1 inside, 2i in the region of corner i, 2i + 1 in the region of edge i; prepares first.
    int findRegion(const Point& p);
    // The fraction of the way from `from` to `to` at which a circle of the radius first touches
    // the polygon: 1.0 when it never does, 0.0 when it starts inside, and slightly before the
    // touching point against an edge. *pNormalOut (when not null) gets the normal of the feature
    // touched. Prepares first.
    float sweepCircle(const Point& from, const Point& to, float fRadius, Point* pNormalOut);

private:
    // The corner k of the prepared (closed) list.
    const Point& corner(int nCorner) const { return m_aCorners[(size_t)nCorner]; }

    RIR::List<Point> m_lPoints;
    bool m_bPrepared;
    std::vector<Point> m_aEdges;
    std::vector<float> m_afEdgeLengthsSq;
    std::vector<Point> m_aNormals;
    std::vector<float> m_afNormalOffsets;
    bool m_bConvex;
    // The closed corner list for indexed access.
    std::vector<Point> m_aCorners;
};

#endif
