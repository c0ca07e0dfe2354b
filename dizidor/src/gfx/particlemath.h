// Small arithmetic shared by the particle files.
#ifndef DIZIDOR_GFX_PARTICLEMATH_H
#define DIZIDOR_GFX_PARTICLEMATH_H

#include <climits>

// Truncates toward zero, held within the int range; not a number gives 0. Positions and pixel
// columns of particles pass through here, so that a runaway value stays defined.
inline int truncToInt(float f)
{
    if (f != f)
        return 0;
    if (f >= 2147483520.0f)
        return INT_MAX;
    if (f <= -2147483520.0f)
        return INT_MIN;
    return (int)f;
}

#endif
