// Campaign storage in the settings store (see campaignio.h).
#include "shell/campaignio.h"

#include "shell/appstore.h"

#include "app/log.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list.h"

#include <climits>
#include <cstdint>

namespace
{

void checkSlot(int nSlot)
{
    RIR_ASSERT(nSlot >= 0 && nSlot < CAMPAIGN_SLOTS);
}

// Repairs one side's stars and money in a town.
void repairSide(int nCity, int* pnStars, int* pnMoney, bool bLog)
{
    if (*pnStars < 0 || *pnMoney < 0 || (*pnStars > 0 && *pnMoney == 0))
    {
        // Stars without money behind them would make a star cost nothing.
        if (bLog)
            logPrintf("W: CIO::rC (%d) Money %d, Stars %d - fixing\n", nCity, *pnMoney, *pnStars);
        *pnStars = 0;
        *pnMoney = 0;
    }
    if (*pnStars > MAX_STAR)
    {
        if (bLog)
            logPrintf("W: CIO::rC (%d) Stars %d, fixing\n", nCity, *pnStars);
        *pnStars = MAX_STAR;
    }
}

// Repairs a town claimed by both sides: the side that keeps its stars keeps its money.
void repairTown(int nCity, int anStars[2], int anMoney[2], bool bLog)
{
    if (anStars[0] > 0 && anStars[1] > 0)
    {
        if (bLog)
            logPrintf("W: CIO::rC Stars (%d) %d %d, fixing\n", nCity, anStars[0], anStars[1]);
        const int nPlayer = anStars[0];
        const int nComputer = anStars[1];
        if (nPlayer <= nComputer)
            anStars[0] = 0;
        if (nComputer <= nPlayer)
            anStars[1] = 0;
    }
    if (anMoney[0] > 0 && anMoney[1] > 0)
    {
        if (bLog)
            logPrintf("W: CIO::rC Money (%d) %d %d, fixing\n", nCity, anMoney[0], anMoney[1]);
        if (anStars[0] > 0)
            anMoney[1] = 0;
        else if (anStars[1] > 0)
            anMoney[0] = 0;
        else
        {
            const int nPlayer = anMoney[0];
            const int nComputer = anMoney[1];
            if (nPlayer <= nComputer)
                anMoney[0] = 0;
            if (nComputer <= nPlayer)
                anMoney[1] = 0;
        }
    }
}

int saturatedSum(const int64_t nSum)
{
    if (nSum > INT_MAX)
        return INT_MAX;
    if (nSum < INT_MIN)
        return INT_MIN;
    return (int)nSum;
}

// How many pieces split(" ") makes of the text: the runs of bytes other than the blank.
int countValueTokens(const char* pszValue)
{
    int nTokens = 0;
    for (const char* p = pszValue ? pszValue : ""; *p; ++p)
        if (*p != ' ' && (p == pszValue || p[-1] == ' '))
            ++nTokens;
    return nTokens;
}

} // namespace

RIR::String campaignSlotKey(int nSlot, const char* pszUID)
{
    RIR_TRACE("campaignSlotKey");
    return RIR::String::format("CampaignData_%d_%s", nSlot, resolvePlayerUID(pszUID).c_str());
}

RIR::String formatCampaignValue(const CampaignState& cs)
{
    RIR_TRACE("formatCampaignValue");
    RIR::String sValue = RIR::String::format("%d %d ", cs.nTurn, cs.nOpponent);
    for (int i = 0; i < CITY_COUNT; ++i)
        sValue += RIR::String::format("%d %d %d %d ", cs.nStars[i][0], cs.nMoney[i][0],
                                      cs.nStars[i][1], cs.nMoney[i][1]);
    return sValue;
}

bool parseCampaignValue(const char* pszValue, CampaignState* pCS, bool bLog, int* pnTokens)
{
    RIR_TRACE("parseCampaignValue");
    RIR_ASSERT(pCS);
    // The tokens are counted before any is copied: a value of the wrong length, however long,
    // is refused without building its list.
    const int nTokens = countValueTokens(pszValue);
    if (pnTokens)
        *pnTokens = nTokens;
    if (nTokens != CAMPAIGN_TOKENS)
        return false;
    const RIR::List<RIR::String> lTokens = RIR::String(pszValue).split(" ");

    CampaignState cs;
    int nToken = 0;
    auto next = [&]() { return RIR::String::toInt(lTokens.get(nToken++).c_str()); };
    cs.nTurn = next();
    if (cs.nTurn < 1)
    {
        if (bLog)
            logPrintf("W: CIO::rC Turn %d, fixing\n", cs.nTurn);
        cs.nTurn = 1;
    }
    cs.nOpponent = next();
    if (cs.nOpponent < 0 || cs.nOpponent >= OPPONENT_COUNT)
    {
        if (bLog)
            logPrintf("W: CIO::rC Opponent %d, fixing\n", cs.nOpponent);
        cs.nOpponent = cs.nOpponent < 0 ? 0 : OPPONENT_COUNT - 1;
    }
    for (int i = 0; i < CITY_COUNT; ++i)
    {
        for (int nSide = 0; nSide < 2; ++nSide)
        {
            cs.nStars[i][nSide] = next();
            cs.nMoney[i][nSide] = next();
            repairSide(i, &cs.nStars[i][nSide], &cs.nMoney[i][nSide], bLog);
        }
        int anStars[2] = {cs.nStars[i][0], cs.nStars[i][1]};
        int anMoney[2] = {cs.nMoney[i][0], cs.nMoney[i][1]};
        repairTown(i, anStars, anMoney, bLog);
        for (int nSide = 0; nSide < 2; ++nSide)
        {
            cs.nStars[i][nSide] = anStars[nSide];
            cs.nMoney[i][nSide] = anMoney[nSide];
        }
    }
    computeCampaignTotals(&cs);
    *pCS = cs;
    return true;
}

void writeCampaign(const CampaignState* pCS, int nSlot, const char* pszUID)
{
    RIR_TRACE("writeCampaign");
    RIR_ASSERT(pCS);
    checkSlot(nSlot);
    setStoredValue(campaignSlotKey(nSlot, pszUID).c_str(), formatCampaignValue(*pCS).c_str());
    saveStore();
}

bool readCampaign(CampaignState* pCS, int nSlot, const char* pszUID)
{
    RIR_TRACE("readCampaign");
    RIR_ASSERT(pCS);
    checkSlot(nSlot);
    const RIR::String sValue = getStoredValue(campaignSlotKey(nSlot, pszUID).c_str());
    int nTokens = 0;
    if (!parseCampaignValue(sValue.c_str(), pCS, true, &nTokens))
        RIR_THROW(FatalErrorException,
                  RIR::String::format("Invalid token count %d\n", nTokens).c_str());
    writeCampaign(pCS, nSlot, pszUID);
    return true;
}

bool peekCampaign(CampaignState* pCS, int nSlot, const char* pszUID)
{
    RIR_TRACE("peekCampaign");
    RIR_ASSERT(pCS);
    checkSlot(nSlot);
    const RIR::String sValue = getStoredValue(campaignSlotKey(nSlot, pszUID).c_str());
    if (sValue.length() == 0)
        return false;
    int nTokens = 0;
    if (parseCampaignValue(sValue.c_str(), pCS, false, &nTokens))
        return true;
    logPrintf("W: CIO::rC Invalid token count %d\n", nTokens);
    return false;
}

bool isCampaignSlotUsed(int nSlot, const char* pszUID)
{
    RIR_TRACE("isCampaignSlotUsed");
    checkSlot(nSlot);
    return getStoredValue(campaignSlotKey(nSlot, pszUID).c_str()).length() > 0;
}

void deleteCampaignSlot(int nSlot, const char* pszUID)
{
    RIR_TRACE("deleteCampaignSlot");
    checkSlot(nSlot);
    setStoredValue(campaignSlotKey(nSlot, pszUID).c_str(), "");
}

int countCampaignSlots(const char* pszUID)
{
    RIR_TRACE("countCampaignSlots");
    int nCount = 0;
    for (int i = 0; i < CAMPAIGN_SLOTS; ++i)
        nCount += isCampaignSlotUsed(i, pszUID) ? 1 : 0;
    return nCount;
}

void computeCampaignTotals(CampaignState* pCS)
{
    RIR_TRACE("computeCampaignTotals");
    RIR_ASSERT(pCS);
    for (int nSide = 0; nSide < 2; ++nSide)
    {
        int64_t nMoney = 0;
        int64_t nStars = 0;
        for (int i = 0; i < CITY_COUNT; ++i)
        {
            nMoney += pCS->nMoney[i][nSide];
            nStars += pCS->nStars[i][nSide];
        }
        pCS->nTotalMoney[nSide] = saturatedSum(nMoney);
        pCS->nTotalStars[nSide] = saturatedSum(nStars);
    }
}
