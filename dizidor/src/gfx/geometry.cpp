// Angles, rotations, rotated bounds, the overlap of turned rectangles, and small vector helpers.
#include "gfx/geometry.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <algorithm>
#include <cmath>

namespace
{

const double PI = 3.141592653589793;
// sqrt(2) as a float (1.4142135381698608).
const float SQRT2 = 1.41421354f;

// The sine and cosine of an angle in degrees, computed in double and stored as floats.
void getSinCos(float fDegrees, float& fSin, float& fCos)
{
    RIR_TRACE("getSinCos");
    const double dRad = (double)degToRad(fDegrees);
    fSin = (float)std::sin(dRad);
    fCos = (float)std::cos(dRad);
}

// Whether the rectangle of half size otherHalf turned by fOtherAngle about otherCentre lies
// wholly outside the rectangle of half size half turned by fAngle about centre, along one of
// the second rectangle's own axes.
bool isSeparatedInFrame(const Point& centre, const Point& half, float fAngle,
                        const Point& otherCentre, const Point& otherHalf, float fOtherAngle)
{
    RIR_TRACE("isSeparatedInFrame");
    const Point r = rotatePoint(otherCentre - centre, -fAngle);
    const Point e = getRotatedExtents(otherHalf, fOtherAngle - fAngle);
    return r.x - e.x > half.x || r.y - e.y > half.y || r.x + e.x < -half.x || r.y + e.y < -half.y;
}

} // namespace

// ---- angles ---------------------------------------------------------------------------------

float degToRad(float fDegrees)
{
    RIR_TRACE("degToRad");
    return (float)((double)fDegrees * PI / 180.0);
}

float radToDeg(float fRadians)
{
    RIR_TRACE("radToDeg");
    return (float)((double)fRadians * 180.0 / PI);
}

float normalizeAngle(float fDegrees)
{
    RIR_TRACE("normalizeAngle");
    // A remainder rather than repeated steps of 360: steps never end for an infinite angle or
    // once a - 360 == a in float (from about 2^33 up), and take long well before that. The
    // remainder is exact, with the sign of the angle.
    float fAngle = std::fmod(fDegrees, 360.0f);
    if (fAngle < 0.0f)
        fAngle += 360.0f;
    // A tiny negative remainder rounds up to 360 when 360 is added; that is the direction 0.
    if (fAngle >= 360.0f)
        fAngle -= 360.0f;
    // Turns -0 into +0.
    return fAngle + 0.0f;
}

float interpolateAngle(float fFrom, float fTo, float fT)
{
    RIR_TRACE("interpolateAngle");
    // The difference brought into -180 .. 180: (180, 540] gives (-180, 180], [-540, -180) gives
    // [-180, 180). The remainder keeps this bounded for any difference, infinite ones included.
    float fD = std::fmod(fTo - fFrom, 360.0f);
    if (fD > 180.0f)
        fD -= 360.0f;
    else if (fD < -180.0f)
        fD += 360.0f;
    return fFrom + fT * fD;
}

float getVectorAngle(const Point& v)
{
    RIR_TRACE("getVectorAngle");
    return (float)(std::atan2((double)v.y, (double)v.x) * 180.0 / PI);
}

// ---- rotations and bounds -------------------------------------------------------------------

Point rotatePoint(const Point& v, float fDegrees)
{
    RIR_TRACE("rotatePoint");
    if (fDegrees == 0.0f)
        return v;
    float fSin;
    float fCos;
    getSinCos(fDegrees, fSin, fCos);
    return Point(v.x * fCos - v.y * fSin, v.x * fSin + v.y * fCos);
}

Point getRotatedExtents(const Point& halfSize, float fDegrees)
{
    RIR_TRACE("getRotatedExtents");
    float fSin;
    float fCos;
    getSinCos(normalizeAngle(fDegrees), fSin, fCos);
    const float fS = std::fabs(fSin);
    const float fC = std::fabs(fCos);
    const float fHX = std::fabs(halfSize.x);
    const float fHY = std::fabs(halfSize.y);
    return Point(fHX * fC + fHY * fS, fHX * fS + fHY * fC);
}

void getRotatedBounds(const Point& topLeft, const Point& bottomRight, float fDegrees,
                      Point& outTopLeft, Point& outBottomRight)
{
    RIR_TRACE("getRotatedBounds");
    float fSin;
    float fCos;
    getSinCos(normalizeAngle(fDegrees), fSin, fCos);

    // The corners in order: a mirrored sprite hands them over with left and right swapped.
    const float fX1 = std::min(topLeft.x, bottomRight.x);
    const float fX2 = std::max(topLeft.x, bottomRight.x);
    const float fY1 = std::min(topLeft.y, bottomRight.y);
    const float fY2 = std::max(topLeft.y, bottomRight.y);

    // A turned corner is (x c - y s, x s + y c). Each term depends on one coordinate only and
    // float rounding is monotonic, so the extremes over the four corners come from the extremes
    // of each term, picked by the signs of s and c. Choosing by sign rather than by the quadrant
    // of the angle stays right when the float radians of an angle just below a multiple of 90
    // round into the next quadrant.
    const float fXcMin = fCos >= 0.0f ? fX1 * fCos : fX2 * fCos;
    const float fXcMax = fCos >= 0.0f ? fX2 * fCos : fX1 * fCos;
    const float fXsMin = fSin >= 0.0f ? fX1 * fSin : fX2 * fSin;
    const float fXsMax = fSin >= 0.0f ? fX2 * fSin : fX1 * fSin;
    const float fYcMin = fCos >= 0.0f ? fY1 * fCos : fY2 * fCos;
    const float fYcMax = fCos >= 0.0f ? fY2 * fCos : fY1 * fCos;
    const float fYsMin = fSin >= 0.0f ? fY1 * fSin : fY2 * fSin;
    const float fYsMax = fSin >= 0.0f ? fY2 * fSin : fY1 * fSin;

    const float fLeft = fXcMin - fYsMax;
    const float fRight = fXcMax - fYsMin;
    const float fTop = fXsMin + fYcMin;
    const float fBottom = fXsMax + fYcMax;

    // Only a nan (a nan angle, or an infinite corner times a zero sine) fails these now.
    RIR_ASSERT(fBottom >= fTop);
    RIR_ASSERT(fRight >= fLeft);
    outTopLeft = Point(fLeft, fTop);
    outBottomRight = Point(fRight, fBottom);
}

bool rotatedRectsOverlap(const Point& centreA, const Point& sizeA, float fAngleA,
                         const Point& centreB, const Point& sizeB, float fAngleB)
{
    RIR_TRACE("rotatedRectsOverlap");
    // Half sizes; a mirrored (negative) size is the same rectangle.
    const Point halfA(std::fabs(sizeA.x) * 0.5f, std::fabs(sizeA.y) * 0.5f);
    const Point halfB(std::fabs(sizeB.x) * 0.5f, std::fabs(sizeB.y) * 0.5f);
    const float fMaxA = std::max(halfA.x, halfA.y);
    const float fMaxB = std::max(halfB.x, halfB.y);

    // Quick rejection: each rectangle lies within sqrt(2) times its larger half size of its
    // centre.
    const float fReach = (fMaxA + fMaxB) * SQRT2;
    if ((centreA - centreB).lengthSquared() > fReach * fReach)
        return false;

    RIR_TRACE_LINE();
    if (isSeparatedInFrame(centreA, halfA, fAngleA, centreB, halfB, fAngleB))
        return false;
    return !isSeparatedInFrame(centreB, halfB, fAngleB, centreA, halfA, fAngleA);
}

// ---- vectors and triangles ------------------------------------------------------------------

Point reflectVector(const Point& v, const Point& normal)
{
    RIR_TRACE("reflectVector");
    Point n = normal;
    n.normalize();
    return v + (-2.0f * n.dot(v)) * n;
}

bool isPositiveTurn(const Point& a, const Point& b, const Point& c)
{
    RIR_TRACE("isPositiveTurn");
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x) > 0.0f;
}

float getDoubleTriangleArea(const Point& a, const Point& b, const Point& c)
{
    RIR_TRACE("getDoubleTriangleArea");
    return std::fabs((a.y - c.y) * (b.x - a.x) - (a.x - c.x) * (b.y - a.y));
}
