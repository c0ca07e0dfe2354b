#include "ui/framestyle.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

FrameStyle::FrameStyle() : rBorder(), bHasBorderParts(false), bHasAlpha(false), bBorderSet(false)
{
    RIR_TRACE("FrameStyle::FrameStyle");
    for (int i = 0; i < FP_COUNT; ++i)
        bFrameFixed[i] = false;
}

FrameStyle::~FrameStyle()
{
    RIR_TRACE("FrameStyle::~FrameStyle");
    for (int i = 0; i < FP_COUNT; ++i)
    {
        for (int j = 0; j < lDecorations[i].getLength(); ++j)
            delete lDecorations[i].get(j);
        lDecorations[i].clear();
    }
}
