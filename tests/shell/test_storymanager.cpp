// The story manager on the headless application with a scripted level and stand-in scenes: how
// each kind of result moves the save slot and what plays next, the story viewer's limit and the
// warning flag, the last day leading to the final scene and the credits (and never to a day 45),
// and a result of another kind of game.
#include "storyfixture.h"

#include "shell/dollycreditsmode.h"
#include "shell/interlevelmode.h"
#include "shell/storymanager.h"
#include "shell/storymodedlg.h"

#include "rir2/exception.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace
{

class StoryManagerTest : public StoryTest
{
protected:
    // Loads the slot (as the slot screen's "load" does) over the menu.
    StoryManager* load(int nSlot)
    {
        StoryManager* pManager = new StoryManager(nSlot, -1, -1);
        m_pApp->pushMode(pManager);
        return pManager;
    }
};

} // namespace

TEST_F(StoryManagerTest, EachResultMovesTheSlotAndChoosesWhatPlaysNext)
{
    const struct
    {
        const char* pszCase;
        const char* pszSlot;       // the slot loaded (level, time flag, difficulty, score)
        const char* pszLastScene;  // "LastInterlevel" before
        GameResults result;        // the day's result
        const char* pszSlotAfter;  // the slot afterwards (in memory and in the settings file)
        std::vector<int> scenes;   // scenes shown after the day
        int nNextDay;              // the day started next, -1 none
        int nNextTotal;            // its running total
        const char* pszLastAfter;  // "LastInterlevel" afterwards
        const char* pszWarning;    // "ShowStoryModeWarning" afterwards
        bool bManagerLeft;         // the manager is still on the stack
    } aCases[] = {
        {"won", "3 0 1 1000", "3", won(900, 50), "4 0 1 1950", {4}, 4, 1950, "4", "FALSE", true},
        {"skipped", "0 1 2 0", "0", won(0, 0), "1 1 2 0", {1}, 1, 0, "1", "", true},
        {"won, viewer ahead", "2 0 0 400", "20", won(100, 0), "3 0 0 500", {3}, 3, 500, "20", "",
         true},
        {"try again", "6 0 1 500", "6", lost(true), "6 0 1 500", {6}, 6, 500, "6", "FALSE", true},
        {"lost", "6 0 1 500", "6", lost(false), "6 0 1 500", {-1}, -1, 0, "6", "FALSE", true},
        {"aborted", "2 1 1 700", "2", aborted(), "2 1 1 700", {}, -1, 0, "2", "", false}};
    start();
    for (const auto& c : aCases)
    {
        SCOPED_TRACE(c.pszCase);
        setSlot(4, c.pszSlot);
        m_pApp->saveSettings();
        m_pApp->setSetting("LastInterlevel", c.pszLastScene);
        m_pApp->setSetting("ShowStoryModeWarning", "");
        m_levels.queueResult(c.result);
        const size_t nStarted = m_levels.started().size();
        m_scenes.clear();
        StoryManager* pManager = load(4);
        // A loaded game starts its day without a scene.
        ASSERT_EQ(nStarted + 1, m_levels.started().size());
        const FakeLevelDay day = m_levels.started().back();
        EXPECT_EQ(GT_STORY, day.nGameType);
        frames(3);
        EXPECT_EQ(c.pszSlotAfter, slot(4));
        EXPECT_EQ(c.pszSlotAfter, savedSlot(4));
        EXPECT_EQ(c.scenes, m_scenes.entries());
        if (c.nNextDay >= 0)
        {
            ASSERT_EQ(nStarted + 2, m_levels.started().size());
            const FakeLevelDay& next = m_levels.started().back();
            EXPECT_EQ(c.nNextDay, next.nLevel);
            EXPECT_EQ(c.nNextTotal, next.nScoreTotal);
            EXPECT_EQ(day.nLevelLength, next.nLevelLength);
            EXPECT_EQ(day.nDifficulty, next.nDifficulty);
        }
        else
            EXPECT_EQ(nStarted + 1, m_levels.started().size());
        EXPECT_EQ(c.pszLastAfter, setting("LastInterlevel"));
        EXPECT_EQ(c.pszWarning, setting("ShowStoryModeWarning"));
        bool bOnStack = false;
        for (int i = 0; i < m_pApp->getModeCount(); ++i)
            bOnStack = bOnStack || m_pApp->getMode(i) == pManager;
        EXPECT_EQ(c.bManagerLeft, bOnStack);
        // Back to the menu for the next case: the scene and the day still running end; a lost
        // game's scene ends the manager after it.
        while (!dynamic_cast<MenuFrame*>(m_pApp->getTopMode()))
        {
            if (dynamic_cast<FakeLevel*>(m_pApp->getTopMode()))
                m_levels.lastLevel()->finish(aborted());
            else
                m_pApp->getTopMode()->endMode();
            frames(1);
        }
        EXPECT_FALSE(m_pApp->hasLastResults());
    }
}

TEST_F(StoryManagerTest, DayLengthAndDifficultyComeFromTheSlot)
{
    start();
    const struct
    {
        const char* pszSlot;
        int nLength;
        int nDifficulty;
    } aCases[] = {{"5 0 0 0", 180, 0}, {"5 1 2 0", 600, 2}, {"5 7 1 0", 600, 1}};
    for (const auto& c : aCases)
    {
        setSlot(0, c.pszSlot);
        load(0);
        ASSERT_FALSE(m_levels.started().empty());
        EXPECT_EQ(c.nLength, m_levels.started().back().nLevelLength) << c.pszSlot;
        EXPECT_EQ(c.nDifficulty, m_levels.started().back().nDifficulty) << c.pszSlot;
        EXPECT_EQ(5, m_levels.started().back().nLevel);
        m_levels.lastLevel()->finish(aborted());
        frames(1);
        EXPECT_NE(nullptr, top<MenuFrame>());
    }
}

TEST_F(StoryManagerTest, AWeekOfWinsThenALossRaisesTheViewerLimitAndDropsTheWarningFromDay4)
{
    start();
    m_pApp->setSetting("ShowStoryModeWarning", "TRUE");
    m_pApp->setSetting("LastInterlevel", "0");
    for (int i = 0; i < 5; ++i)
        m_levels.queueResult(won(100, 10));
    m_levels.queueResult(lost(false));
    m_pApp->pushMode(new StoryManager(2, 0, 1)); // a new game: chapter scene first
    EXPECT_EQ("0 0 1 0", slot(2));
    const std::vector<std::string> aWarning = {"TRUE", "TRUE", "TRUE", "TRUE", "FALSE", "FALSE"};
    for (int nDay = 0; nDay <= 5; ++nDay)
    {
        EXPECT_EQ(std::to_string(nDay), setting("LastInterlevel")) << nDay;
        EXPECT_EQ(aWarning[nDay], setting("ShowStoryModeWarning")) << nDay;
        frames(2);
    }
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, -1}), m_scenes.entries());
    EXPECT_EQ("5 0 1 550", slot(2));
    ASSERT_NE(nullptr, top<FakeScene>());
    top<FakeScene>()->endMode(); // the lost-game scene watched to its end
    EXPECT_NE(nullptr, top<MenuFrame>());
    EXPECT_EQ(6u, m_levels.started().size());
}

TEST_F(StoryManagerTest, WinningTheLastDayShowsTheFinalSceneThenTheCreditsThenTheSlots)
{
    start();
    setSlot(7, "44 1 2 88000");
    m_pApp->setSetting("StorySavegame", "7");
    m_pApp->getTopMode()->onCallback(MC_STORY, 0);
    StoryModeDlg* pSlots = top<StoryModeDlg>();
    ASSERT_NE(nullptr, pSlots);
    EXPECT_EQ("Ch8 - Day 45 (H/10m)", pSlots->getSlotCaption(7));
    m_levels.queueResult(won(1500, 200));
    pSlots->onCallback(StoryModeDlg::ID_LOAD, 0);
    frames(3);

    // Only day 44 was ever built; the slot is finished.
    ASSERT_EQ(1u, m_levels.started().size());
    EXPECT_EQ(44, m_levels.started()[0].nLevel);
    EXPECT_EQ("45 1 2 89700", slot(7));
    EXPECT_EQ("45 1 2 89700", savedSlot(7));
    EXPECT_EQ("45", setting("LastInterlevel"));
    EXPECT_EQ((std::vector<int>{45}), m_scenes.entries());
    FakeScene* pFinal = top<FakeScene>();
    ASSERT_NE(nullptr, pFinal);
    EXPECT_FALSE(pFinal->hasNextMode());
    ASSERT_NE(nullptr, dynamic_cast<DollyCreditsMode*>(m_pApp->getMode(1)));

    pFinal->endMode();
    frames(1);
    ASSERT_NE(nullptr, top<DollyCreditsMode>());
    m_pApp->dispatchMouseDown(1, 400, 300); // a click ends the credits
    m_pApp->dispatchMouseUp(1, 400, 300);
    frames(2);
    ASSERT_EQ(pSlots, m_pApp->getTopMode());
    EXPECT_EQ("Over $89700 (H/10m)", pSlots->getSlotCaption(7));
    EXPECT_FALSE(pSlots->getLoadButton()->isEnabled());
    EXPECT_FALSE(pSlots->getDeleteButton()->isEnabled());
    EXPECT_EQ(1u, m_levels.started().size());
}

TEST_F(StoryManagerTest, TheRealScenesLeadIntoTheDaysAndOutToTheCredits)
{
    addScenePictures();
    start();
    StoryManager::setSceneMaker(nullptr);
    const int ESCAPE = 27;

    // A new game: the first chapter's scene, which starts day 0 when it is over.
    m_levels.queueResult(won(200, 0));
    m_pApp->pushMode(new StoryManager(0, 0, 1));
    InterLevelMode* pScene = top<InterLevelMode>();
    ASSERT_NE(nullptr, pScene);
    EXPECT_EQ(0, pScene->getEntry());
    EXPECT_TRUE(m_levels.started().size() == 1 && m_levels.started()[0].nLevel == 0);
    m_pApp->dispatchKeyDown(ESCAPE, 0);
    frames(3);
    // Day 0 won: the newspaper of week 1 stands before day 1.
    pScene = top<InterLevelMode>();
    ASSERT_NE(nullptr, pScene);
    EXPECT_EQ(1, pScene->getEntry());
    EXPECT_EQ("1 0 1 200", slot(0));
    ASSERT_EQ(2u, m_levels.started().size());
    m_pApp->dispatchKeyDown(ESCAPE, 0);
    frames(2);
    ASSERT_NE(nullptr, top<FakeLevel>());
    m_levels.lastLevel()->finish(aborted());
    frames(2);
    ASSERT_NE(nullptr, top<MenuFrame>());

    // The last day won: the final scene over the credits, then the menu.
    setSlot(0, "44 0 1 5000");
    m_levels.queueResult(won(700, 0));
    m_pApp->pushMode(new StoryManager(0, -1, -1));
    frames(2);
    pScene = top<InterLevelMode>();
    ASSERT_NE(nullptr, pScene);
    EXPECT_EQ(InterLevelMode::ILE_LAST, pScene->getEntry());
    EXPECT_EQ(3u, m_levels.started().size());
    m_pApp->dispatchKeyDown(ESCAPE, 0);
    frames(2);
    ASSERT_NE(nullptr, top<DollyCreditsMode>());
    m_pApp->dispatchMouseDown(1, 400, 300);
    m_pApp->dispatchMouseUp(1, 400, 300);
    frames(2);
    EXPECT_NE(nullptr, top<MenuFrame>());
    EXPECT_EQ("45 0 1 5700", slot(0));
}

TEST_F(StoryManagerTest, AResultOfAnotherGameIsRefusedAndItsAddressNotedInFull)
{
    start();
    setSlot(0, "1 0 1 0");
    GameResults* pTimed = new GameResults();
    pTimed->nGameType = GT_TIMED;
    m_pApp->setLastResults(pTimed);
    char szAddress[40];
    std::snprintf(szAddress, sizeof(szAddress), "%0*" PRIXPTR, (int)(2 * sizeof(uintptr_t)),
                  (uintptr_t)pTimed);
    try
    {
        load(0);
        FAIL() << "no assertion";
    }
    catch (const RIR::AssertFailException& e)
    {
        EXPECT_STREQ("Assertion failed : pGR->nGameType == GT_STORY", e.getMessage());
        const RIR::CallStackSnapshot& trace = e.getSnapshot();
        std::string sNote;
        for (int i = 0; i < trace.getCount(); ++i)
        {
            // Entry names may carry a marker before the function's name.
            const std::string sName = trace.getEntryName(i);
            const std::string sWanted = "StoryManager::onActivate";
            if (sName.size() >= sWanted.size() &&
                sName.compare(sName.size() - sWanted.size(), sWanted.size(), sWanted) == 0)
                sNote = trace.getEntryNote(i);
        }
        EXPECT_EQ(std::string("nGT 0; PGR ") + szAddress, sNote);
    }
    // The record was taken (and deleted) and no day started.
    EXPECT_FALSE(m_pApp->hasLastResults());
    EXPECT_TRUE(m_levels.started().empty());
}

TEST(StoryResultsNote, ShowsEveryBitOfTheAddress)
{
    EXPECT_EQ("nGT 1; PGR " + std::string(2 * sizeof(uintptr_t), '0'),
              std::string(storyResultsNote(1, nullptr).c_str()));
    if (sizeof(uintptr_t) == 8)
    {
        const void* p = (const void*)(uintptr_t)0x00007F12345678ABull;
        EXPECT_STREQ("nGT 2; PGR 00007F12345678AB", storyResultsNote(2, p).c_str());
    }
}
