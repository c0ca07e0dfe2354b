#include "ui/buttonstyle.h"

#include "rir2/calltrace.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

ButtonStyle::ButtonStyle()
    : bResize(false), nCapLeft(0), nCapRight(0), bTileCenter(false), nTextMargin(20), hSounds(97),
      hSoundSet(97)
{
    RIR_TRACE("ButtonStyle::ButtonStyle");
    for (int i = 0; i < BS_COUNT; ++i)
    {
        nTextDX[i] = i == BS_PRESSED ? 3 : 0;
        nTextDY[i] = i == BS_PRESSED ? 3 : 0;
        cTextColor[i] = Color(255, 255, 255, 255);
        bUseTextColor[i] = false;
    }
    hSounds.set("clicked", RIR::List<RIR::SmartPtr<Sample>>());
    hSounds.set("highlighted", RIR::List<RIR::SmartPtr<Sample>>());
    hSoundSet.set("clicked", false);
    hSoundSet.set("highlighted", false);
}
