// The insult rotation (level/insultrotation.h).
#include "level/insultrotation.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"
#include "rir2/random.h"

#include <vector>

RIR::List<RIR::String> readInsults(const char* pszText, RIR::Random& random)
{
    RIR_TRACE("readInsults");
    const RIR::List<RIR::String> lPieces = RIR::String(pszText ? pszText : "").split("\r\n");
    // The lines are shuffled in an array, where a swap trades two buffers in place; on the list
    // each of the 1000 swaps would walk to both indexes.
    std::vector<RIR::String> aLines;
    aLines.reserve((size_t)lPieces.getLength());
    for (int i = 0; i < lPieces.getLength(); ++i)
    {
        const RIR::String sLine = lPieces.getNode(i)->m_value.trim();
        if (sLine.length() > 0)
            aLines.push_back(sLine);
    }
    if (aLines.empty())
        RIR_THROW(FatalErrorException, "insults.txt has no lines\n");
    const int nLast = (int)aLines.size() - 1;
    for (int n = 0; n < 1000; ++n)
    {
        const int nA = random.range(0, nLast);
        const int nB = random.range(0, nLast);
        swap(aLines[(size_t)nA], aLines[(size_t)nB]);
    }
    RIR::List<RIR::String> lInsults;
    for (const RIR::String& sLine : aLines)
        lInsults.append(sLine);
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
