// The wanted man's look (level/wantedlook.h).
#include "level/wantedlook.h"

#include "rir2/calltrace.h"
#include "rir2/random.h"

bool sameWantedLook(const WantedLook& a, const WantedLook& b)
{
    return a.nHeadType == b.nHeadType && a.nFeatureA == b.nFeatureA && a.nFeatureB == b.nFeatureB &&
           a.bFeatureC == b.bFeatureC;
}

WantedLook randomWantedLook(RIR::Random& random, const WantedLook* pPoster)
{
    RIR_TRACE("randomWantedLook");
    // There are far more looks than one, so the loop ends at once nearly always.
    for (;;)
    {
        WantedLook look;
        look.nHeadType = (int)(random.next32() % 13) + 1;
        if (look.nHeadType == 13)
        {
            look.nFeatureB = 1;
            look.nFeatureA = 0;
            look.bFeatureC = false;
        }
        else
        {
            look.nFeatureB = (int)(random.next32() % 2) + 1;
            look.nFeatureA = (int)(random.next32() % 2) + 1;
            look.bFeatureC = random.next32() % 2 == 0;
        }
        if (random.next32() % 3 == 0)
            look.nFeatureB = 0;
        if (random.next32() % 2 == 0)
            look.nFeatureA = 0;
        if (!pPoster || !sameWantedLook(look, *pPoster))
            return look;
    }
}
