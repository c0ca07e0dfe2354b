// blendPixel: the "source over destination" mix of one pixel, shared by every image back-end so
// that composing looks the same whichever back-end stores the pixels.
#ifndef DIZIDOR_GFX_PIXELBLEND_H
#define DIZIDOR_GFX_PIXELBLEND_H

#include "gfx/color.h"

#include <algorithm>

// The source pixel laid over the destination pixel. The destination's share shrinks so that the
// two alphas add up to at most 255; the colours mix in proportion to them. A fully transparent
// source leaves the destination as it is.
inline Color blendPixel(const Color& dest, const Color& src)
{
    const int sa = src.a;
    if (sa == 0)
        return dest;
    const int da = std::min((int)dest.a, 255 - sa);
    const int nSum = da + sa;
    return Color((dest.r * da + src.r * sa) / nSum, (dest.g * da + src.g * sa) / nSum,
                 (dest.b * da + src.b * sa) / nSum, std::min(nSum, 255));
}

#endif
