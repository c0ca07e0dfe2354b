// The insult rotation (level/insultrotation.h).
#include "level/insultrotation.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/random.h"

RIR::List<RIR::String> readInsults(const char* pszText, RIR::Random& random)
{
    RIR_TRACE("readInsults");
    RIR::List<RIR::String> lInsults;
    const RIR::List<RIR::String> lPieces = RIR::String(pszText ? pszText : "").split("\r\n");
    for (int i = 0; i < lPieces.getLength(); ++i)
    {
        const RIR::String sLine = lPieces.get(i).trim();
        if (sLine.length() > 0)
            lInsults.append(sLine);
    }
    if (lInsults.isEmpty())
        RIR_THROW(FatalErrorException, "insults.txt has no lines\n");
    const int nLast = lInsults.getLength() - 1;
    for (int n = 0; n < 1000; ++n)
    {
        const int nA = random.range(0, nLast);
        const int nB = random.range(0, nLast);
        lInsults.swap(nA, nB);
    }
    return lInsults;
}

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
