#include "app/positionkeyword.h"

#include <cstdint>

#include "gfx/image.h"
#include "gfx/rect.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/rirstring.h"

int parsePositionKeyword(const char* pszText, Image* pImage, bool bHorizontal)
{
    RIR_TRACE("parsePositionKeyword");
    RIR_ASSERT(pImage);
    RIR::String sText(pszText);
    int nOffset = 0;
    int nSign = sText.findChar('+');
    if (nSign < 0)
        nSign = sText.findChar('-');
    if (nSign >= 0)
    {
        nOffset = RIR::String::toInt(sText.from(nSign).c_str());
        sText = sText.left(nSign);
    }

    const int nSize = bHorizontal ? pImage->getWidth() : pImage->getHeight();
    int nBase = 0;
    if (sText == "contents_center")
    {
        const Rect rect = pImage->getPhysicalRect();
        nBase = bHorizontal ? rect.left + (rect.right - rect.left) / 2 + pImage->getInsPointX()
                            : rect.top + (rect.bottom - rect.top) / 2 + pImage->getInsPointY();
    }
    else if (sText == "center" || sText == "middle")
        nBase = nSize / 2;
    else if (sText == "right" || sText == "bottom")
        nBase = nSize;
    else if (sText == "left" || sText == "top")
        nBase = 0;
    else
        nBase = RIR::String::toInt(sText.c_str());
    // Added in 64 bits and held to the int range, so that extreme numbers cannot overflow.
    const int64_t nSum = (int64_t)nBase + nOffset;
    if (nSum > INT32_MAX)
        return INT32_MAX;
    if (nSum < INT32_MIN)
        return INT32_MIN;
    return (int)nSum;
}
