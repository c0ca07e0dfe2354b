// Integer helpers of the image geometry.
//
// Image geometry comes partly from data files (side files, animation scripts), so sums and
// differences of its numbers are taken in 64 bits and brought back into the 32-bit range by
// saturation instead of overflowing.
#ifndef DIZIDOR_GFX_IMAGEARITH_H
#define DIZIDOR_GFX_IMAGEARITH_H

#include <cmath>
#include <cstdint>

// The value held within the int32 range.
inline int32_t saturateToInt32(int64_t nValue)
{
    if (nValue > INT32_MAX)
        return INT32_MAX;
    if (nValue < INT32_MIN)
        return INT32_MIN;
    return (int32_t)nValue;
}

// The float truncated toward zero, held within the int32 range; nan gives 0.
inline int32_t truncateToInt32(float fValue)
{
    if (std::isnan(fValue))
        return 0;
    if (fValue >= 2147483648.0f)
        return INT32_MAX;
    if (fValue <= -2147483648.0f)
        return INT32_MIN;
    return (int32_t)fValue;
}

#endif
