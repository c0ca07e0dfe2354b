// Fuzz target: the reader of stored campaigns, over the whole input (up to its first zero byte,
// as a C text). parseCampaignValue must either refuse the value or give a state that keeps the
// rules whole (turn >= 1, opponent 0..4, stars 0..5 with money behind them, at most one holder
// per town) and whose normal form reads back unchanged; readCampaign through the settings store
// must agree. The repaired state is then played: every town is ordered on by both sides.
// Invariant: an accepted value gives a state within the rules whose normal form reads back
// unchanged and that the settings store reads alike; a refused value the store refuses too.
#include "fuzzcheck.h"

#include "shell/campaign.h"
#include "shell/campaignio.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "rir2/exception.h"
#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace
{

GameApp* app()
{
    static GameApp* s_pApp = nullptr;
    if (!s_pApp)
    {
        disableLogging();
        disableSaving();
        s_pApp = new GameApp();
    }
    return s_pApp;
}

// The store every input starts from: the player's id and nothing else.
void resetStore(GameApp* pApp)
{
    pApp->clearSettings();
    pApp->setSetting("PlayerUID", "FUZZ");
}

void checkState(const CampaignState& cs)
{
    FUZZ_CHECK(cs.nTurn >= 1);
    FUZZ_CHECK(cs.nOpponent >= 0 && cs.nOpponent < OPPONENT_COUNT);
    for (int i = 0; i < CITY_COUNT; ++i)
    {
        FUZZ_CHECK(cs.nStars[i][0] == 0 || cs.nStars[i][1] == 0);
        for (int nSide = 0; nSide < 2; ++nSide)
        {
            FUZZ_CHECK(cs.nStars[i][nSide] >= 0 && cs.nStars[i][nSide] <= MAX_STAR);
            FUZZ_CHECK(cs.nMoney[i][nSide] >= 0);
            FUZZ_CHECK(cs.nStars[i][nSide] == 0 || cs.nMoney[i][nSide] > 0);
        }
    }
}

void checkValue(GameApp* pApp, const std::string& sValue)
{
    try
    {
        Campaign campaign;
        // The broken reader takes every value, whatever it parsed.
        if (!parseCampaignValue(sValue.c_str(), &campaign.getState(), false, nullptr) &&
            !fuzzBrokenReader())
        {
            pApp->setSetting("CampaignData_0_FUZZ", sValue.c_str());
            bool bRead = false;
            try
            {
                readCampaign(&campaign.getState(), 0);
                bRead = true;
            }
            catch (const RIR::FatalErrorException&)
            {
            }
            FUZZ_CHECK(!bRead);
            return;
        }
        const CampaignState& cs = campaign.getState();
        checkState(cs);
        const RIR::String sNormal = formatCampaignValue(cs);
        CampaignState again;
        FUZZ_CHECK(parseCampaignValue(sNormal.c_str(), &again, false, nullptr));
        FUZZ_CHECK(formatCampaignValue(again) == sNormal);

        pApp->setSetting("CampaignData_0_FUZZ", sValue.c_str());
        CampaignState stored;
        FUZZ_CHECK(readCampaign(&stored, 0));
        FUZZ_CHECK(formatCampaignValue(stored) == sNormal);
        FUZZ_CHECK(pApp->getSetting("CampaignData_0_FUZZ") == sNormal);

        campaign.getRandom().seed(1);
        for (int i = 0; i < CITY_COUNT; ++i)
        {
            FUZZ_CHECK(campaign.getCityCost(i) >= 1);
            Campaign copy;
            copy.getState() = cs;
            RIR::String sText;
            const int nBits = copy.resolveTurn(2000, i, 3000, (i + 5) % CITY_COUNT, &sText);
            if (nBits & OR_PLAYER_SUCCEEDS)
                copy.applyOrder(PLAYER_HUMAN, 2000, i);
            if (nBits & OR_COMPUTER_SUCCEEDS)
                copy.applyOrder(PLAYER_COMPUTER, 3000, (i + 5) % CITY_COUNT);
            checkState(copy.getState());
        }
        if (campaign.listActionCities(PLAYER_COMPUTER).getLength() > 0)
            campaign.chooseOpponentOrder();
    }
    catch (const RIR::Exception&)
    {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    const std::string sValue((const char*)pData, nSize);
    GameApp* pApp = app();
    resetStore(pApp);
    checkValue(pApp, sValue);
    // What the input stored goes with it, so that what one input allocates it also frees (which
    // keeps libFuzzer's leak check from running after it).
    pApp->clearSettings();
    return 0;
}
