// The campaign's rules and the computer opponent (see campaign.h).
#include "shell/campaign.h"

#include "shell/appstore.h"
#include "shell/campaignio.h"
#include "shell/textformat.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace
{

// The neighbours of each town; the table is symmetric, and each town counts as its own
// neighbour besides.
const int ADJACENT[CITY_COUNT][8] = {
    {1, 5, 6, -1},               // 0
    {0, 2, 6, -1},               // 1
    {1, 3, 6, 7, -1},            // 2
    {2, 4, 7, 8, 9, -1},         // 3
    {3, 9, -1},                  // 4
    {0, 6, 10, -1},              // 5
    {0, 1, 2, 5, 7, 10, 11, -1}, // 6
    {2, 3, 6, 8, 11, 12, -1},    // 7
    {3, 7, 9, 12, 13, 14, -1},   // 8
    {3, 4, 8, 14, -1},           // 9
    {5, 6, 11, 15, 16, -1},      // 10
    {6, 7, 10, 12, 16, -1},      // 11
    {7, 8, 11, 13, 16, 17, -1},  // 12
    {8, 12, 14, 17, 18, -1},     // 13
    {8, 9, 13, 18, 19, -1},      // 14
    {10, 16, -1},                // 15
    {10, 11, 12, 15, 17, -1},    // 16
    {12, 13, 16, 18, -1},        // 17
    {13, 14, 17, 19, -1},        // 18
    {14, 18, -1},                // 19
};

const int OPPONENT_DIFFICULTY[OPPONENT_COUNT] = {0, 1, 1, 2, 2};

// Computer cash (low, mid, high, top) by difficulty.
const int OPPONENT_CASH[3][4] = {
    {1000, 2000, 2500, 3000},
    {1500, 2500, 3500, 4500},
    {2000, 3500, 4500, 5500},
};

const int BATTLE_LEVEL[MAX_STAR + 1] = {0, 11, 23, 31, 37, 44};

int clampInt(int64_t nValue, int nLow, int nHigh)
{
    return (int)std::min<int64_t>(std::max<int64_t>(nValue, nLow), nHigh);
}

void checkCity(int nCity)
{
    RIR_ASSERT(nCity >= 0);
    RIR_ASSERT(nCity < CITY_COUNT);
}

void checkPlayer(int nPlayer)
{
    RIR_ASSERT(nPlayer == PLAYER_HUMAN || nPlayer == PLAYER_COMPUTER);
}

} // namespace

bool areCitiesAdjacent(int nCityA, int nCityB)
{
    if (nCityA < 0 || nCityA >= CITY_COUNT || nCityB < 0 || nCityB >= CITY_COUNT)
        return false;
    if (nCityA == nCityB)
        return true;
    for (const int* p = ADJACENT[nCityA]; *p != -1; ++p)
        if (*p == nCityB)
            return true;
    return false;
}

int getOpponentDifficulty(int nOpponent)
{
    RIR_ASSERT(nOpponent >= 0 && nOpponent < OPPONENT_COUNT);
    return OPPONENT_DIFFICULTY[nOpponent];
}

int getBattleLevel(int nTotalStars)
{
    return BATTLE_LEVEL[clampInt(nTotalStars, 0, MAX_STAR)];
}

RIR::String getCityName(int nCity)
{
    RIR_TRACE("getCityName");
    return getText(RIR::String::format("CityName%d", nCity).c_str());
}

Campaign::Campaign() {}

void Campaign::startNewCampaign(int nOpponent, int nSlot, const char* pszUID)
{
    RIR_TRACE("Campaign::startNewCampaign");
    // The start money follows the chosen opponent's difficulty, as it does in play.
    getOpponentDifficulty(nOpponent);
    m_pCS = CampaignState();
    m_pCS.nTurn = 1;
    m_pCS.nOpponent = nOpponent;
    const int M = getStartMoney();
    struct Holding
    {
        int nCity, nSide, nStars, nMoney;
    };
    const Holding aHoldings[] = {
        {0, PLAYER_HUMAN, 3, 4 * M},     {1, PLAYER_HUMAN, 1, M},     {5, PLAYER_HUMAN, 1, M},
        {19, PLAYER_COMPUTER, 3, 4 * M}, {18, PLAYER_COMPUTER, 1, M}, {14, PLAYER_COMPUTER, 1, M},
    };
    for (const Holding& h : aHoldings)
    {
        m_pCS.nStars[h.nCity][h.nSide] = h.nStars;
        m_pCS.nMoney[h.nCity][h.nSide] = h.nMoney;
    }
    computeCampaignTotals(&m_pCS);
    writeCampaign(&m_pCS, nSlot, pszUID);
}

int Campaign::getDifficulty() const
{
    return getOpponentDifficulty(m_pCS.nOpponent);
}

int Campaign::getStartMoney() const
{
    return getDifficulty() == 2 ? 2500 : 1500;
}

int Campaign::getCityCost(int nCity) const
{
    RIR_TRACE("Campaign::getCityCost");
    checkCity(nCity);
    int nSide = PLAYER_COMPUTER;
    if (m_pCS.nStars[nCity][PLAYER_COMPUTER] <= 0)
    {
        if (m_pCS.nStars[nCity][PLAYER_HUMAN] == 0)
            return getStartMoney();
        if (m_pCS.nStars[nCity][PLAYER_HUMAN] < 0)
            RIR_THROW(AssertFailException,
                      "Assertion failed : m_pCS.nStars[nCity][PLAYER_HUMAN] > 0");
        nSide = PLAYER_HUMAN;
    }
    // Little money behind many stars would price a star at 0 and gain orders divided by it.
    const int nCost = (int)(0.75 * m_pCS.nMoney[nCity][nSide] / m_pCS.nStars[nCity][nSide]);
    return std::max(nCost, 1);
}

int Campaign::getCityStars(int nCity) const
{
    checkCity(nCity);
    return m_pCS.nStars[nCity][0] + m_pCS.nStars[nCity][1];
}

bool Campaign::canActOn(int nPlayer, int nCity) const
{
    RIR_TRACE("Campaign::canActOn");
    checkPlayer(nPlayer);
    checkCity(nCity);
    if (m_pCS.nStars[nCity][nPlayer] >= MAX_STAR)
        return false;
    for (int i = 0; i < CITY_COUNT; ++i)
        if (m_pCS.nStars[i][nPlayer] > 0 && areCitiesAdjacent(i, nCity))
            return true;
    return false;
}

RIR::List<int> Campaign::listActionCities(int nPlayer) const
{
    RIR_TRACE("Campaign::listActionCities");
    RIR::List<int> lCities;
    for (int i = 0; i < CITY_COUNT; ++i)
        if (canActOn(nPlayer, i))
            lCities.append(i);
    return lCities;
}

RIR::List<int> Campaign::listOwnCities(int nPlayer) const
{
    RIR_TRACE("Campaign::listOwnCities");
    checkPlayer(nPlayer);
    RIR::List<int> lCities;
    for (int i = 0; i < CITY_COUNT; ++i)
        if (m_pCS.nStars[i][nPlayer] > 0)
            lCities.append(i);
    return lCities;
}

RIR::List<int> Campaign::listEmptyCities() const
{
    RIR_TRACE("Campaign::listEmptyCities");
    RIR::List<int> lCities;
    for (int i = 0; i < CITY_COUNT; ++i)
        if (getCityStars(i) == 0)
            lCities.append(i);
    return lCities;
}

RIR::String Campaign::getOpponentName() const
{
    RIR_TRACE("Campaign::getOpponentName");
    return getText(RIR::String::format("AIOpp%dShortName", m_pCS.nOpponent).c_str());
}

RIR::String Campaign::describeOrder(int nPlayer, int nCity) const
{
    RIR_TRACE("Campaign::describeOrder");
    checkPlayer(nPlayer);
    checkCity(nCity);
    const char* pszKey = "CampaignNewCity";
    if (getCityStars(nCity) > 0)
    {
        if (m_pCS.nStars[nCity][nPlayer] == 0)
        {
            if (m_pCS.nStars[nCity][1 - nPlayer] <= 0)
                RIR_THROW(AssertFailException, "Assertion failed : false");
            pszKey = "CampaignAttackCity";
        }
        else
        {
            pszKey = "CampaignGrowCity";
        }
    }
    return getText(pszKey)
        .replaceAll("@CITY@", getCityName(nCity).c_str())
        .replaceAll("@STARS@", RIR::String::format("%d", getCityStars(nCity)).c_str())
        .replaceAll("@COST@", RIR::String::format("%d", getCityCost(nCity)).c_str());
}

int Campaign::pickCity(const RIR::List<int>& lCities)
{
    RIR_ASSERT(lCities.getLength() > 0);
    return lCities.get(m_random.range(0, lCities.getLength() - 1));
}

int Campaign::chooseOpponentOrder()
{
    RIR_TRACE("Campaign::chooseOpponentOrder");
    switch (m_pCS.nOpponent)
    {
    case 0:
    case 2:
        return pickCity(listActionCities(PLAYER_COMPUTER));
    case 1:
    {
        const RIR::List<int> lCities = listActionCities(PLAYER_COMPUTER);
        RIR_ASSERT(lCities.getLength() > 0);
        int nBest = lCities.get(0);
        for (int i = 1; i < lCities.getLength(); ++i)
            if (getCityCost(lCities.get(i)) < getCityCost(nBest))
                nBest = lCities.get(i);
        return nBest;
    }
    case 3:
    case 4:
        return chooseContactOrder();
    default:
        RIR_THROW(AssertFailException, "Assertion failed : false");
    }
}

int Campaign::chooseContactOrder()
{
    RIR_TRACE("Campaign::chooseContactOrder");
    int nWorstAtRisk = -1;
    const RIR::List<int> lOwn = listOwnCities(PLAYER_COMPUTER);
    for (int i = 0; i < lOwn.getLength(); ++i)
    {
        const int nCity = lOwn.get(i);
        if (!canActOn(PLAYER_HUMAN, nCity))
            continue;
        if (nWorstAtRisk == -1 ||
            (getCityCost(nCity) < getCityCost(nWorstAtRisk) && canActOn(PLAYER_COMPUTER, nCity)))
            nWorstAtRisk = nCity;
    }
    int nBestToAttack = -1;
    const RIR::List<int> lTheirs = listOwnCities(PLAYER_HUMAN);
    for (int i = 0; i < lTheirs.getLength(); ++i)
    {
        const int nCity = lTheirs.get(i);
        if (!canActOn(PLAYER_COMPUTER, nCity))
            continue;
        if (nBestToAttack == -1 || getCityCost(nCity) < getCityCost(nBestToAttack))
            nBestToAttack = nCity;
    }
    RIR_ASSERT((nWorstAtRisk == -1 && nBestToAttack == -1) ||
               (nWorstAtRisk != -1 && nBestToAttack != -1));
    if (nWorstAtRisk != -1)
        return getCityCost(nBestToAttack) < getCityCost(nWorstAtRisk) ? nBestToAttack
                                                                      : nWorstAtRisk;

    // The sides do not touch: grow and expand, in the opponent's order.
    RIR::List<int> lGrow;
    for (int i = 0; i < lOwn.getLength(); ++i)
        if (getCityStars(lOwn.get(i)) < MAX_STAR)
            lGrow.append(lOwn.get(i));
    RIR::List<int> lExpand;
    const RIR::List<int> lEmpty = listEmptyCities();
    for (int i = 0; i < lEmpty.getLength(); ++i)
        if (canActOn(PLAYER_COMPUTER, lEmpty.get(i)))
            lExpand.append(lEmpty.get(i));
    const RIR::List<int>& lFirst = m_pCS.nOpponent == 3 ? lGrow : lExpand;
    const RIR::List<int>& lSecond = m_pCS.nOpponent == 3 ? lExpand : lGrow;
    if (lFirst.getLength() > 0)
        return pickCity(lFirst);
    if (lSecond.getLength() > 0)
        return pickCity(lSecond);
    return pickCity(listActionCities(PLAYER_COMPUTER));
}

int Campaign::computeOpponentCash()
{
    RIR_TRACE("Campaign::computeOpponentCash");
    const int* pRow = OPPONENT_CASH[getDifficulty()];
    const double x = m_random.nextDouble();
    if (x < 0.2)
        return m_random.range(pRow[0], pRow[1]);
    if (x < 0.8)
        return m_random.range(pRow[1], pRow[2]);
    return m_random.range(pRow[2], pRow[3]);
}

int Campaign::resolveTurn(int nPlayerCash, int nPlayerCity, int nComputerCash, int nComputerCity,
                          RIR::String* psText) const
{
    RIR_TRACE("Campaign::resolveTurn");
    checkCity(nPlayerCity);
    checkCity(nComputerCity);
    const RIR::String sOpponent = getOpponentName();
    int nResult = 0;
    RIR::String sText;

    if (nPlayerCity == nComputerCity)
    {
        const int a = nPlayerCash;
        const int b = nComputerCash;
        const int nCity = nPlayerCity;
        const char* pszKind;
        const char* pszOutcome;
        if (getCityStars(nCity) == 0)
        {
            const int nCost = getCityCost(nCity);
            pszKind = "New";
            if (a > nCost && a > b)
            {
                nResult |= OR_PLAYER_SUCCEEDS;
                pszOutcome = "Won";
            }
            else if (b > nCost && b > a)
            {
                nResult |= OR_COMPUTER_SUCCEEDS;
                pszOutcome = "Lost";
            }
            else
            {
                pszOutcome = "Failed";
            }
        }
        else if (m_pCS.nStars[nCity][PLAYER_HUMAN] > 0)
        {
            pszKind = "Defend";
            if (a < b)
            {
                nResult |= OR_COMPUTER_SUCCEEDS;
                pszOutcome = "Lost";
            }
            else
            {
                pszOutcome = "Won";
            }
        }
        else
        {
            pszKind = "Attack";
            if (a > b)
            {
                nResult |= OR_PLAYER_SUCCEEDS;
                pszOutcome = "Won";
            }
            else
            {
                pszOutcome = "Lost";
            }
        }
        sText = formatText(getText((RIR::String("CampaignClash") + pszKind).c_str()).c_str(),
                           {sOpponent, getCityName(nCity)});
        sText += formatText(
            getText((RIR::String("Campaign") + pszKind + pszOutcome).c_str()).c_str(), {sOpponent});
    }
    else
    {
        const int anCash[2] = {nPlayerCash, nComputerCash};
        const int anCity[2] = {nPlayerCity, nComputerCity};
        for (int i = 0; i < 2; ++i)
        {
            const int nCity = anCity[i];
            const int nCost = getCityCost(nCity);
            const bool bSuccess = anCash[i] > nCost;
            if (bSuccess)
                nResult |= i == PLAYER_HUMAN ? OR_PLAYER_SUCCEEDS : OR_COMPUTER_SUCCEEDS;
            const int nGained = anCash[i] / nCost;
            const int nOwn = m_pCS.nStars[nCity][i];
            const int nOther = m_pCS.nStars[nCity][1 - i];
            RIR::String sKey;
            int64_t n;
            if (nOwn == 0 && nOther == 0)
            {
                sKey = bSuccess ? "ResOpenSuccess" : "ResOpenFailure";
                n = nOwn;
            }
            else if (nOther > 0)
            {
                sKey = bSuccess ? "ResAttackSuccess" : "ResAttackFailure";
                n = bSuccess ? (int64_t)nOther - nGained : nOwn;
            }
            else
            {
                sKey = bSuccess ? "ResGrowSuccess" : "ResGrowFailure";
                n = bSuccess ? (int64_t)nOwn + nGained : nOwn;
            }
            sKey += i == PLAYER_HUMAN ? "You" : "Opp";
            const int nStars = clampInt(n, 0, MAX_STAR);
            const RIR::String sFormat = getText(sKey.c_str());
            if (i == PLAYER_HUMAN)
                sText += formatText(sFormat.c_str(), {getCityName(nCity), nStars}) + "\n\n";
            else
                sText += formatText(sFormat.c_str(), {sOpponent, getCityName(nCity), nStars});
        }
    }
    if (psText)
        *psText = sText;
    return nResult;
}

void Campaign::applyOrder(int nPlayer, int nCash, int nCity)
{
    RIR_TRACE("Campaign::applyOrder");
    checkPlayer(nPlayer);
    checkCity(nCity);
    const int nGained = nCash / getCityCost(nCity);
    int* pnStars = m_pCS.nStars[nCity];
    int* pnMoney = m_pCS.nMoney[nCity];
    if (pnStars[nPlayer] > 0)
    {
        if (pnStars[nPlayer] > MAX_STAR)
            RIR_THROW(AssertFailException,
                      "Assertion failed : m_pCS.nStars[nCity][nPlayer] <= MAX_STAR");
        pnMoney[nPlayer] = clampInt((int64_t)pnMoney[nPlayer] + nCash, INT_MIN, INT_MAX);
        pnStars[nPlayer] = clampInt((int64_t)pnStars[nPlayer] + nGained, 0, MAX_STAR);
    }
    else if (pnStars[1 - nPlayer] > 0)
    {
        const int nOther = 1 - nPlayer;
        pnStars[nOther] = clampInt((int64_t)pnStars[nOther] - nGained, INT_MIN, INT_MAX);
        pnMoney[nOther] = clampInt((int64_t)pnMoney[nOther] - nCash, INT_MIN, INT_MAX);
        if (pnMoney[nOther] <= 0 || pnStars[nOther] <= 0)
        {
            pnStars[nOther] = 0;
            pnMoney[nOther] = 0;
        }
    }
    else
    {
        if (pnStars[nPlayer] != 0)
            RIR_THROW(AssertFailException, "Assertion failed : m_pCS.nStars[nCity][nPlayer] == 0");
        if (pnStars[1 - nPlayer] != 0)
            RIR_THROW(AssertFailException,
                      "Assertion failed : m_pCS.nStars[nCity][1 - nPlayer] == 0");
        pnMoney[nPlayer] = clampInt((int64_t)pnMoney[nPlayer] + nCash, INT_MIN, INT_MAX);
        pnStars[nPlayer] = clampInt(nGained, 0, MAX_STAR);
    }
    computeCampaignTotals(&m_pCS);
}
