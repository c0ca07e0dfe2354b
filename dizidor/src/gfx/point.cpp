#include "gfx/point.h"

#include "rir2/calltrace.h"

#include <cmath>

float Point::length() const
{
    RIR_TRACE("Point::length");
    return std::sqrt(x * x + y * y);
}

float Point::angle() const
{
    RIR_TRACE("Point::angle");
    const double dRad = std::atan2((double)y, (double)x);
    float fDeg = (float)(dRad * 180.0 / 3.141592653589793);
    // atan2 gives (-180, 180]; a tiny negative angle becomes 360.0f after the first step, which
    // the second loop brings back to 0.
    while (fDeg < 0.0f)
        fDeg += 360.0f;
    while (fDeg >= 360.0f)
        fDeg -= 360.0f;
    return fDeg;
}

void Point::normalize()
{
    RIR_TRACE("Point::normalize");
    const float fLen = length();
    if (fLen > 0.0f)
    {
        x /= fLen;
        y /= fLen;
    }
}
