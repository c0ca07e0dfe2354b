// Plane geometry on Point, Rect and point lists: free functions.
//
// Angles are in degrees unless a name says radians. Screen y grows downward, so a positive angle
// turns clockwise on the screen. Conversions to radians multiply by pi / 180 in double precision
// and store a float; sines and cosines are computed in double precision and stored as floats;
// every other result is single-precision float arithmetic.
//
// geometry.cpp holds angles, rotations, bounds and the overlap test; geometry_clip.cpp the
// outcode, segment clipping and circle intersections; geometry_polygon.cpp the spiral points,
// the polygon tests and the convex hull.
#ifndef DIZIDOR_GFX_GEOMETRY_H
#define DIZIDOR_GFX_GEOMETRY_H

#include "gfx/point.h"
#include "gfx/rect.h"
#include "rir2/list.h"

// ---- angles ---------------------------------------------------------------------------------

// degrees * pi / 180.
float degToRad(float fDegrees);
// radians * 180 / pi.
float radToDeg(float fRadians);
// The same direction in [0, 360). Works by remainder, so any finite angle takes constant time;
// an infinite or nan angle gives nan.
float normalizeAngle(float fDegrees);
// from + t * d, where d is the turn from fFrom to fTo along the shorter way (-180 .. 180). The
// result is not normalised: (350, 10, 0.5) gives 360.
float interpolateAngle(float fFrom, float fTo, float fT);
// The direction of v, atan2(v.y, v.x) in degrees between -180 and 180, not normalised.
float getVectorAngle(const Point& v);

// ---- rotations and bounds -------------------------------------------------------------------

// v turned about the origin by the angle; an angle of exactly 0 returns v unchanged.
Point rotatePoint(const Point& v, float fDegrees);
// The half width and half height of the axis-aligned box around a centred rectangle of the given
// half size turned by the angle. A negative half size counts by its magnitude.
Point getRotatedExtents(const Point& halfSize, float fDegrees);
// The axis-aligned box around the rectangle with the corners topLeft and bottomRight turned about
// the origin: the minimum and maximum of its four turned corners. The corners may come in any
// order (a mirrored sprite hands them over swapped) and the rectangle may be empty. A nan angle
// raises AssertFailException "Assertion failed : fBottom >= fTop".
void getRotatedBounds(const Point& topLeft, const Point& bottomRight, float fDegrees,
                      Point& outTopLeft, Point& outBottomRight);
// Whether two rectangles, each given by centre, size and turn angle, overlap; touching counts as
// overlapping. A separating-axis test on the four axes of the two rectangles. A negative size
// counts by its magnitude.
bool rotatedRectsOverlap(const Point& centreA, const Point& sizeA, float fAngleA,
                         const Point& centreB, const Point& sizeB, float fAngleB);

// ---- vectors and triangles ------------------------------------------------------------------

// v mirrored at the line whose normal is given; a zero normal leaves v as it is.
Point reflectVector(const Point& v, const Point& normal);
// (b.x - a.x)(c.y - a.y) - (b.y - a.y)(c.x - a.x) > 0: a clockwise turn a-b-c on the screen.
bool isPositiveTurn(const Point& a, const Point& b, const Point& c);
// Twice the area of the triangle a, b, c (never negative).
float getDoubleTriangleArea(const Point& a, const Point& b, const Point& c);

// ---- clipping and intersections (geometry_clip.cpp) -----------------------------------------

// The region code of p against r: bit 1 left of it, 2 right, 4 above, 8 below. The tests are
// strict, so a point on an edge is inside.
int getOutcode(const Rect& r, const Point& p);
// Clips the segment p1-p2 to r in place. False, with the points partly moved, when no part of it
// lies inside.
bool clipLineToRect(Point& p1, Point& p2, const Rect& r);
// The parameters t1 <= t2 at which the line p1 + t (p2 - p1) meets the circle. False, with the
// outputs untouched, when it misses (nan input counts as a miss). Null outputs are skipped.
// p1 == p2 divides by zero and gives nan parameters.
bool intersectLineCircle(const Point& p1, const Point& p2, const Point& centre, float fRadius,
                         float* pT1 = nullptr, float* pT2 = nullptr);
// First contact of a circle of fRadius moving from `from` to `to` with a fixed circle: *pT gets
// the fraction of the way at contact whenever the paths' line meets it, and the result is true
// when that fraction lies in [0, 1]. A null pT is skipped.
bool sweepCircleAgainstCircle(const Point& from, const Point& to, float fRadius,
                              const Point& centre, float fOtherRadius, float* pT);

// ---- spiral, polygons and hull (geometry_polygon.cpp) ----------------------------------------

// The integer point number nIdx of a square spiral around the origin: index 0 is (0, 0), ring k
// holds the 8k indices (2k - 1)^2 .. (2k + 1)^2 - 1, starting at (k - 1, -k) and running left
// along the top edge, down the left edge, right along the bottom and up the right edge. *pRing
// gets the ring when pRing is not null. A negative index raises AssertFailException
// "Assertion failed : nIdx >= 0".
Point getSpiralPoint(int nIdx, int* pRing = nullptr);
// Whether the open point list turns clockwise on the screen, decided by the first inner corner
// whose turn has a sine of at least 0.001. Fewer than three points raise AssertFailException
// "Assertion failed : lPoints.size() > 2"; no such corner raises FatalErrorException
// "Degenerate polygon passed to isPolygonClockwise()".
bool isPolygonClockwise(const RIR::List<Point>& lPoints);
// False when two successive inner corners of the open point list turn opposite ways; a straight
// corner never decides, and the corners at the first and last point are not examined, so a list
// of fewer than four points is always convex.
bool isPolygonConvex(const RIR::List<Point>& lPoints);
// Even-odd rule over the closed polygon; false for an empty list.
bool isPointInPolygon(const RIR::List<Point>& lPoints, const Point& p);
// The corners of the convex hull (QuickHull) in cyclic order: the lower side's points first, then
// the point of smallest x, the upper side's points and the point of largest x. Two points or
// fewer come back as they are. Copies of the two end points are left out; when all points share
// one x the ends are those of smallest and largest y, and when all are equal the hull is that
// one point.
RIR::List<Point> getConvexHull(const RIR::List<Point>& lPoints);
// The recursive step of getConvexHull: inserts into lHull, before b, the hull corners of lSet
// (points on the outer side of the line a-b).
void addHullPoints(const Point& a, const Point& b, const RIR::List<Point>& lSet,
                   RIR::List<Point>& lHull);

#endif
