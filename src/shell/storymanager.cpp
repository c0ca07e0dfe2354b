// StoryManager: judging a day's result, the save slot, and what comes next.
#include "shell/storymanager.h"

#include "level/diffmanager.h"
#include "level/gameresults.h"
#include "level/gametype.h"
#include "shell/appstore.h"
#include "shell/dbdapp.h"
#include "shell/dollycreditsmode.h"
#include "shell/interlevelmode.h"
#include "shell/savegameio.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cinttypes>
#include <cstdint>
#include <memory>

namespace
{

// Story days last 180 seconds, or 600 with the long-day flag.
const int SHORT_DAY_SECONDS = 180;
const int LONG_DAY_SECONDS = 600;
// From this day on the story counts as known: no warning before timed games and campaigns.
const int WARNING_LAST_DAY = 4;

GameMode* makeInterLevelMode(int nEntry, GameMode* pNextMode)
{
    return new InterLevelMode(nEntry, pNextMode);
}

StoryManager::SceneMaker g_pfnSceneMaker = &makeInterLevelMode;

} // namespace

RIR::String storyResultsNote(int nGameType, const void* pResults)
{
    return RIR::String::format("nGT %d; PGR %0*" PRIXPTR, nGameType, (int)(2 * sizeof(uintptr_t)),
                               (uintptr_t)pResults);
}

StoryManager::StoryManager(int nSlot, int nTime, int nDifficulty)
    : DBDMode(MF_ACTIVE | MF_SEE_THROUGH), m_nSlot(nSlot), m_bDone(false),
      m_bSkipInterLevel(true)
{
    RIR_TRACE("StoryManager::StoryManager");
    if (nTime != -1 && nDifficulty != -1)
    {
        createSaveSlot(nSlot, nTime, nDifficulty);
        m_bSkipInterLevel = false;
    }
}

StoryManager::~StoryManager()
{
}

GameMode* StoryManager::makeScene(int nEntry, GameMode* pNextMode)
{
    return g_pfnSceneMaker(nEntry, pNextMode);
}

void StoryManager::setSceneMaker(SceneMaker pfnMaker)
{
    g_pfnSceneMaker = pfnMaker ? pfnMaker : &makeInterLevelMode;
}

void StoryManager::noteProgress(int nLevel)
{
    RIR_TRACE("StoryManager::noteProgress");
    if (nLevel > RIR::String::toInt(getStoredValue("LastInterlevel").c_str()))
        setStoredValue("LastInterlevel", RIR::String::format("%d", nLevel).c_str());
    if (nLevel >= WARNING_LAST_DAY)
        setStoredValue("ShowStoryModeWarning", "FALSE");
}

void StoryManager::onActivate()
{
    RIR_TRACE("StoryManager::onActivate");
    if (m_bDone)
    {
        endMode();
        return;
    }
    DBDApp* pApp = getDBDApp();
    int nLevel = -1;
    int nTime = 0;
    int nDifficulty = 0;
    int nScore = 0;
    readSaveSlot(m_nSlot, &nLevel, &nTime, &nDifficulty, &nScore);

    if (pApp->hasLastResults())
    {
        // Owned here from now on, also when the check below raises.
        std::unique_ptr<GameResults> pGR(pApp->takeLastResults());
        RIR::setTraceParams(storyResultsNote(pGR->nGameType, pGR.get()).c_str());
        RIR_ASSERT(pGR->nGameType == GT_STORY);
        if (pGR->bAborted)
        {
            endMode();
            return;
        }
        if (pGR->bWon)
        {
            nScore += pGR->nCash + pGR->nTimeBonus;
            ++nLevel;
            updateSaveSlot(m_nSlot, nLevel, nScore);
        }
        else if (!pGR->bTryAgain)
        {
            m_bDone = true;
            pApp->pushMode(makeScene(InterLevelMode::ILE_LOST, nullptr));
            return;
        }
    }

    // The slot was emptied under the game (or never held one): there is nothing to play.
    if (nLevel < 0)
    {
        endMode();
        return;
    }

    noteProgress(nLevel);
    if (nLevel >= STORY_LEVELS)
    {
        // The story is over: the final scene first, the credits under it follow.
        m_bDone = true;
        pApp->pushMode(new DollyCreditsMode());
        pApp->pushMode(makeScene(InterLevelMode::ILE_LAST, nullptr));
        return;
    }

    RIR_TRACE_LINE();
    DifficultyManager* pDM =
        new DifficultyManager(GT_STORY, nTime != 0 ? LONG_DAY_SECONDS : SHORT_DAY_SECONDS,
                              nDifficulty, nLevel);
    GameMode* pDay = pApp->createLevel(pDM, nScore);
    const bool bSkipScene = m_bSkipInterLevel;
    m_bSkipInterLevel = false;
    if (bSkipScene)
        pApp->pushMode(pDay);
    else
        pApp->pushMode(makeScene(nLevel, pDay));
}
