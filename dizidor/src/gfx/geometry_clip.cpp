// Region codes, segment clipping and intersections with circles.
#include "gfx/geometry.h"

#include "rir2/calltrace.h"

#include <cmath>

namespace
{

// Each step puts one end exactly on an edge line and, since the new point lies between the two
// ends, a segment needs at most four steps. The bound only guards against rounding ping-pong.
const int MAX_CLIP_STEPS = 32;

} // namespace

int getOutcode(const Rect& r, const Point& p)
{
    RIR_TRACE("getOutcode");
    int nCode = 0;
    if ((float)r.left > p.x)
        nCode |= 1;
    if ((float)r.right < p.x)
        nCode |= 2;
    if ((float)r.top > p.y)
        nCode |= 4;
    if ((float)r.bottom < p.y)
        nCode |= 8;
    return nCode;
}

bool clipLineToRect(Point& p1, Point& p2, const Rect& r)
{
    RIR_TRACE("clipLineToRect");
    int nCode1 = getOutcode(r, p1);
    int nCode2 = getOutcode(r, p2);
    if (nCode1 + nCode2 == 0)
        return true;

    for (int nStep = 0; nStep < MAX_CLIP_STEPS; ++nStep)
    {
        // Both ends beyond the same edge: nothing inside. This also rejects a segment parallel
        // to an edge it lies beyond, so the divisions below never see a zero.
        if (nCode1 & nCode2)
            return false;
        const int nCode = nCode1 != 0 ? nCode1 : nCode2;
        Point q;
        if (nCode & 8)
        {
            q.y = (float)r.bottom;
            q.x = p1.x + (p2.x - p1.x) * (q.y - p1.y) / (p2.y - p1.y);
        }
        else if (nCode & 4)
        {
            q.y = (float)r.top;
            q.x = p1.x + (p2.x - p1.x) * (q.y - p1.y) / (p2.y - p1.y);
        }
        else if (nCode & 1)
        {
            q.x = (float)r.left;
            q.y = p1.y + (p2.y - p1.y) * (q.x - p1.x) / (p2.x - p1.x);
        }
        else
        {
            q.x = (float)r.right;
            q.y = p1.y + (p2.y - p1.y) * (q.x - p1.x) / (p2.x - p1.x);
        }

        if (nCode1 != 0)
        {
            p1 = q;
            nCode1 = getOutcode(r, p1);
        }
        else
        {
            p2 = q;
            nCode2 = getOutcode(r, p2);
        }
        if (nCode1 + nCode2 == 0)
            return true;
    }
    return false;
}

bool intersectLineCircle(const Point& p1, const Point& p2, const Point& centre, float fRadius,
                         float* pT1, float* pT2)
{
    RIR_TRACE("intersectLineCircle");
    const Point d = p2 - p1;
    const Point f = p1 - centre;
    const float fA = d.dot(d);
    const float fB = 2.0f * f.dot(d);
    const float fC = f.dot(f) - fRadius * fRadius;
    const float fDisc = fB * fB - 4.0f * fA * fC;
    // Written so that a nan discriminant (nan input) counts as a miss as well.
    if (!(fDisc >= 0.0f))
        return false;
    const float fQ = std::sqrt(fDisc);
    if (pT1)
        *pT1 = (-fB - fQ) / (2.0f * fA);
    if (pT2)
        *pT2 = (fQ - fB) / (2.0f * fA);
    return true;
}

bool sweepCircleAgainstCircle(const Point& from, const Point& to, float fRadius,
                              const Point& centre, float fOtherRadius, float* pT)
{
    RIR_TRACE("sweepCircleAgainstCircle");
    float fT1 = 0.0f;
    float fT2 = 0.0f;
    if (!intersectLineCircle(from, to, centre, fRadius + fOtherRadius, &fT1, &fT2))
        return false;
    if (pT)
        *pT = fT1;
    return fT1 >= 0.0f && fT1 <= 1.0f;
}
