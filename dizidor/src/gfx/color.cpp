#include "gfx/color.h"

#include "rir2/calltrace.h"

RIR::String Color::toString() const
{
    RIR_TRACE("Color::toString");
    return RIR::String::format("(%d, %d, %d, %d)", (int)r, (int)g, (int)b, (int)a);
}
