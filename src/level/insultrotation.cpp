// The insult rotation (level/insultrotation.h).
#include "level/insultrotation.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"
#include "rir2/random.h"

RIR::String nextInsult(RIR::List<RIR::String>& lInsults, RIR::Random& random)
{
    RIR_TRACE("nextInsult");
    const int nCount = lInsults.getLength();
    if (nCount == 0)
        return "";
    if (nCount > 14)
    {
        const RIR::String sLine = lInsults.get(0);
        lInsults.swap(0, random.range(10, nCount - 1));
        return sLine;
    }
    return lInsults.get(random.range(0, nCount - 1));
}
