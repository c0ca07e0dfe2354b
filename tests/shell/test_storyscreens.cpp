// The story's save-slot screen and new-game dialog on the headless application: slot captions
// and the enabled states of "load" and "delete", the selection remembered, the overwrite and
// delete questions, the new-game dialog's choices written at once, the menu's story button, and
// a whole first day from the menu back to the slot screen.
#include "storyfixture.h"

#include "shell/newgamedlg.h"
#include "shell/storymanager.h"
#include "shell/storymodedlg.h"

#include "ui/button.h"
#include "ui/dlgyesno.h"
#include "ui/label.h"
#include "ui/radiobutton.h"

#include <vector>

namespace
{

class StoryScreenTest : public StoryTest
{
protected:
    StoryModeDlg* openSlots()
    {
        StoryModeDlg* pSlots = new StoryModeDlg();
        m_pApp->pushMode(pSlots);
        frames(1);
        return pSlots;
    }

    // The question of the yes/no dialog on top ("" when there is none).
    std::string question()
    {
        DlgYesNo* pAsk = top<DlgYesNo>();
        if (!pAsk || !pAsk->getTextTable())
            return "";
        Label* pLabel = dynamic_cast<Label*>(pAsk->getTextTable()->getObject(0, 0, 0).get());
        return pLabel ? pLabel->getText().c_str() : "?";
    }

    void answer(int nAnswer)
    {
        ASSERT_NE(nullptr, top<DlgYesNo>());
        top<DlgYesNo>()->onCallback(nAnswer, 0);
        frames(1);
    }
};

} // namespace

TEST_F(StoryScreenTest, SlotCaptionsAndTheButtonsOfEachSlot)
{
    const struct
    {
        const char* pszStored; // nullptr: no key
        const char* pszCaption;
        bool bLoadAndDelete;
    } aSlots[] = {
        {nullptr, "Empty", false},
        {"0 0 1 0", "Ch0 - Day 1 (M/3m)", true},
        {"4 1 0 300", "Ch0 - Day 5 (E/10m)", true},
        {"5 0 2 900", "Ch1 - Day 6 (H/3m)", true},
        {"44 7 1 5000", "Ch8 - Day 45 (M/10m)", true}, // any time flag but 0: long days
        {"45 0 2 123456", "Over $123456 (H/3m)", false},
        {"3 1 2", "Empty", false},                  // three words: an empty slot
        {"3 1 2 500 extra", "Ch0 - Day 4 (H/10m)", true},
        {"-1 -1 -1 -1", "Empty", false},
        {"12 0 9 10", "Ch2 - Day 13 (M/3m)", true}}; // a damaged difficulty reads as medium
    start();
    for (int i = 0; i < 10; ++i)
        if (aSlots[i].pszStored)
            setSlot(i, aSlots[i].pszStored);
    StoryModeDlg* pSlots = openSlots();
    for (int i = 0; i < 10; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(aSlots[i].pszCaption, pSlots->getSlotCaption(i));
        pSlots->onCallback(StoryModeDlg::ID_FIRST_SLOT + i, 0);
        EXPECT_EQ(i, pSlots->getSelectedSlot());
        EXPECT_EQ(std::to_string(i), setting("StorySavegame"));
        EXPECT_EQ(aSlots[i].bLoadAndDelete, pSlots->getLoadButton()->isEnabled());
        EXPECT_EQ(aSlots[i].bLoadAndDelete, pSlots->getDeleteButton()->isEnabled());
    }
    // Showing the list wrote nothing back.
    EXPECT_EQ("3 1 2", slot(6));
}

TEST_F(StoryScreenTest, TheRememberedSlotIsSelectedAndOnlyOneRadioIsChecked)
{
    start();
    setSlot(2, "7 0 1 100");
    setSlot(5, "9 0 1 100");
    const struct
    {
        const char* pszStored;
        int nSelected;
    } aCases[] = {{"5", 5}, {"", 0}, {"42", 0}, {"-3", 0}, {"9", 9}};
    for (const auto& c : aCases)
    {
        m_pApp->setSetting("StorySavegame", c.pszStored);
        StoryModeDlg* pSlots = openSlots();
        EXPECT_EQ(c.nSelected, pSlots->getSelectedSlot()) << c.pszStored;
        EXPECT_EQ(c.nSelected == 5, pSlots->getLoadButton()->isEnabled()) << c.pszStored;
        pSlots->onCallback(StoryModeDlg::ID_BACK, 0);
        EXPECT_NE(nullptr, top<MenuFrame>());
    }
    StoryModeDlg* pSlots = openSlots();
    pSlots->onCallback(StoryModeDlg::ID_FIRST_SLOT + 2, 0);
    EXPECT_TRUE(pSlots->getDeleteButton()->isEnabled());
    pSlots->onCallback(StoryModeDlg::ID_FIRST_SLOT + 3, 0);
    EXPECT_EQ(3, pSlots->getSelectedSlot());
    EXPECT_FALSE(pSlots->getLoadButton()->isEnabled());
    EXPECT_FALSE(pSlots->getDeleteButton()->isEnabled());
    // Other ids below the slots do nothing.
    pSlots->onCallback(0, 0);
    pSlots->onCallback(42, 0);
    EXPECT_EQ(pSlots, m_pApp->getTopMode());
    EXPECT_EQ(3, pSlots->getSelectedSlot());
}

TEST_F(StoryScreenTest, DeletingAsksFirstAndClearsOnlyAfterYes)
{
    start();
    setSlot(1, "8 1 2 4000");
    setSlot(2, "3 0 0 100");
    m_pApp->setSetting("StorySavegame", "1");
    StoryModeDlg* pSlots = openSlots();

    pSlots->onCallback(StoryModeDlg::ID_DELETE, 0);
    EXPECT_EQ("Delete?", question());
    answer(DLG_NO);
    EXPECT_EQ(pSlots, m_pApp->getTopMode());
    EXPECT_EQ("8 1 2 4000", slot(1));

    pSlots->onCallback(StoryModeDlg::ID_DELETE, 0);
    answer(DLG_YES);
    EXPECT_EQ(pSlots, m_pApp->getTopMode());
    EXPECT_EQ("-1 -1 -1 -1", slot(1));
    EXPECT_EQ("-1 -1 -1 -1", savedSlot(1));
    EXPECT_EQ("3 0 0 100", savedSlot(2));
    EXPECT_EQ("Empty", pSlots->getSlotCaption(1));
    EXPECT_FALSE(pSlots->getLoadButton()->isEnabled());
    EXPECT_FALSE(pSlots->getDeleteButton()->isEnabled());
}

TEST_F(StoryScreenTest, NewAsksBeforeOverwritingAUsedOrFinishedSlotOnly)
{
    start();
    setSlot(0, "6 0 1 10");
    setSlot(1, "45 1 1 99999");
    const struct
    {
        int nSlot;
        bool bAsks;
    } aCases[] = {{0, true}, {1, true}, {2, false}};
    StoryModeDlg* pSlots = openSlots();
    for (const auto& c : aCases)
    {
        SCOPED_TRACE(c.nSlot);
        pSlots->onCallback(StoryModeDlg::ID_FIRST_SLOT + c.nSlot, 0);
        pSlots->onCallback(StoryModeDlg::ID_NEW, 0);
        if (c.bAsks)
        {
            EXPECT_EQ("Overwrite?", question());
            answer(DLG_NO);
            EXPECT_EQ(pSlots, m_pApp->getTopMode());
            pSlots->onCallback(StoryModeDlg::ID_NEW, 0);
            answer(DLG_YES);
        }
        NewGameDlg* pNew = top<NewGameDlg>();
        ASSERT_NE(nullptr, pNew);
        EXPECT_EQ(c.nSlot, pNew->getSlot());
        pNew->onCallback(NewGameDlg::ID_CANCEL, 0);
        frames(1);
        ASSERT_EQ(pSlots, m_pApp->getTopMode());
    }
    EXPECT_EQ("6 0 1 10", slot(0));
    EXPECT_EQ("45 1 1 99999", slot(1));
    EXPECT_EQ("", slot(2));
    EXPECT_TRUE(m_levels.started().empty());
}

TEST_F(StoryScreenTest, NewGameChoicesAreWrittenAtOnceAndKeptAfterCancel)
{
    start();
    const struct
    {
        const char* pszDiff;
        const char* pszTime;
        int nDiff;
        int nTime;
    } aStored[] = {{"1", "", 1, 0}, {"2", "1", 2, 1}, {"0", "0", 0, 0}, {"7", "-2", 1, 0}};
    for (const auto& s : aStored)
    {
        m_pApp->setSetting("StoryDiff", s.pszDiff);
        m_pApp->setSetting("StoryTime", s.pszTime);
        NewGameDlg* pNew = new NewGameDlg(3);
        m_pApp->pushMode(pNew);
        EXPECT_EQ(s.nDiff, pNew->getCheckedDifficulty()) << s.pszDiff;
        EXPECT_EQ(s.nTime, pNew->getCheckedTime()) << s.pszTime;
        pNew->onCallback(NewGameDlg::ID_CANCEL, 0);
    }

    NewGameDlg* pNew = new NewGameDlg(3);
    m_pApp->pushMode(pNew);
    const struct
    {
        int nId;
        const char* pszDiff;
        const char* pszTime;
        int nDiff;
        int nTime;
    } aClicks[] = {{NewGameDlg::ID_HARD, "2", "-2", 2, 0},
                   {NewGameDlg::ID_LONG_DAYS, "2", "1", 2, 1},
                   {NewGameDlg::ID_EASY, "0", "1", 0, 1},
                   {NewGameDlg::ID_MEDIUM, "1", "1", 1, 1},
                   {NewGameDlg::ID_SHORT_DAYS, "1", "0", 1, 0},
                   {NewGameDlg::ID_LONG_DAYS, "1", "1", 1, 1}};
    for (const auto& click : aClicks)
    {
        SCOPED_TRACE(click.nId);
        pNew->onCallback(click.nId, 0);
        EXPECT_EQ(click.pszDiff, setting("StoryDiff"));
        EXPECT_EQ(click.pszTime, setting("StoryTime"));
        EXPECT_EQ(click.nDiff, pNew->getCheckedDifficulty());
        EXPECT_EQ(click.nTime, pNew->getCheckedTime());
    }
    pNew->onCallback(NewGameDlg::ID_CANCEL, 0);
    EXPECT_NE(nullptr, top<MenuFrame>());
    EXPECT_EQ("1", setting("StoryDiff"));
    EXPECT_EQ("1", setting("StoryTime"));
    EXPECT_EQ("", slot(3));
}

TEST_F(StoryScreenTest, PlayCreatesTheSlotAndStartsTheFirstChapter)
{
    start();
    setSlot(4, "20 0 0 7000");
    m_pApp->setSetting("StoryDiff", "2");
    m_pApp->setSetting("StoryTime", "1");
    NewGameDlg* pNew = new NewGameDlg(4);
    m_pApp->pushMode(pNew);
    pNew->onCallback(NewGameDlg::ID_PLAY, 0);
    EXPECT_EQ("0 1 2 0", slot(4));
    EXPECT_EQ("0 1 2 0", savedSlot(4));
    EXPECT_EQ((std::vector<int>{0}), m_scenes.entries());
    FakeScene* pScene = top<FakeScene>();
    ASSERT_NE(nullptr, pScene);
    EXPECT_TRUE(pScene->hasNextMode());
    ASSERT_EQ(1u, m_levels.started().size());
    EXPECT_EQ(0, m_levels.started()[0].nLevel);
    EXPECT_EQ(600, m_levels.started()[0].nLevelLength);
    EXPECT_EQ(2, m_levels.started()[0].nDifficulty);
    EXPECT_EQ(0, m_levels.started()[0].nScoreTotal);
}

TEST_F(StoryScreenTest, ViewStoryOpensTheViewer)
{
    start();
    StoryModeDlg* pSlots = openSlots();
    pSlots->onCallback(StoryModeDlg::ID_VIEW_STORY, 0);
    EXPECT_EQ((std::vector<int>{-2}), m_scenes.entries());
    ASSERT_NE(nullptr, top<FakeScene>());
    top<FakeScene>()->endMode();
    EXPECT_EQ(pSlots, m_pApp->getTopMode());
}

TEST_F(StoryScreenTest, FromTheMenuThroughTheFirstDayBackToTheSlotsShowingDay2)
{
    start();
    MenuFrame* pMenu = top<MenuFrame>();
    ASSERT_NE(nullptr, pMenu);
    // No story yet: the story button goes straight to the new-game dialog for slot 0.
    pMenu->onCallback(MC_STORY, 0);
    NewGameDlg* pNew = top<NewGameDlg>();
    ASSERT_NE(nullptr, pNew);
    EXPECT_EQ(0, pNew->getSlot());
    m_levels.queueResult(won(350, 40));
    m_levels.queueResult(aborted());
    pNew->onCallback(NewGameDlg::ID_PLAY, 0);
    frames(6);
    // Day 0 won; day 1 behind its page, left from its menu: back at the menu.
    EXPECT_EQ((std::vector<int>{0, 1}), m_scenes.entries());
    ASSERT_EQ(2u, m_levels.started().size());
    EXPECT_EQ(390, m_levels.started()[1].nScoreTotal);
    ASSERT_EQ(pMenu, m_pApp->getTopMode());
    EXPECT_EQ("1 0 1 390", slot(0));

    frames(30); // the menu's input lock
    pMenu->onCallback(MC_STORY, 0);
    StoryModeDlg* pSlots = top<StoryModeDlg>();
    ASSERT_NE(nullptr, pSlots);
    EXPECT_EQ(0, pSlots->getSelectedSlot());
    EXPECT_EQ("Ch0 - Day 2 (M/3m)", pSlots->getSlotCaption(0));
    EXPECT_TRUE(pSlots->getLoadButton()->isEnabled());
    for (int i = 0; i < pMenu->getMainButtons().getLength(); ++i)
        EXPECT_FALSE(pMenu->getMainButtons().get(i)->isEnabled());

    // Loading it starts day 1 at once; leaving it uncovers the slot screen again.
    m_levels.queueResult(aborted());
    pSlots->onCallback(StoryModeDlg::ID_LOAD, 0);
    EXPECT_EQ((std::vector<int>{0, 1}), m_scenes.entries());
    ASSERT_EQ(3u, m_levels.started().size());
    EXPECT_EQ(1, m_levels.started()[2].nLevel);
    frames(2);
    EXPECT_EQ(pSlots, m_pApp->getTopMode());
    pSlots->onCallback(StoryModeDlg::ID_BACK, 0);
    EXPECT_EQ(pMenu, m_pApp->getTopMode());
}
