// The timed-game screen on the headless application with the stand-in level: the choices kept in
// the settings, the day it starts for each scene and length, and the results: a timed game for a
// player with an automatic name asks for a name (no cancel, Escape ignored), then files the cash
// and shows the rank in red; an aborted day is dropped; a score that does not rank opens nothing;
// and while the high-score screen stands over it, clicks never reach the timed-game screen.
#include "shell/kit/fakelevel.h"
#include "shell/kit/screencontent.h"
#include "shell/kit/shellapp.h"

#include "shell/editnamedlg.h"
#include "shell/highscoredlg.h"
#include "shell/highscoreio.h"
#include "shell/playerio.h"
#include "shell/timeattackdlg.h"

#include "level/gameresults.h"
#include "level/gametype.h"

#include "ui/radiobutton.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const int KEY_RETURN = 13;
const int KEY_ESCAPE = 27;

class TimeAttackTest : public ::testing::Test
{
protected:
    TimeAttackTest()
    {
        addScreenContent(m_fx);
        m_pApp = m_fx.start(FirstModes{});
        m_pApp->setLevelFactory(&m_levels);
    }
    ~TimeAttackTest() override { m_pApp->setLevelFactory(nullptr); }

    // The first, automatic player ("Stranger", default-name flag set), selected.
    void makeDefaultPlayer() { ensureDefaultPlayer(""); }

    TimeAttackDlg* openScreen()
    {
        TimeAttackDlg* pDlg = new TimeAttackDlg(nullptr);
        m_pApp->pushMode(pDlg);
        m_pApp->updateModes(0.02f);
        return pDlg;
    }

    // Plays a timed day that posts this result, and runs frames until the screen took it.
    void play(TimeAttackDlg* pDlg, int nCash, bool bAborted = false)
    {
        GameResults result;
        result.nGameType = GT_TIMED;
        result.nCash = nCash;
        result.bAborted = bAborted;
        m_levels.queueResult(result);
        pDlg->onCallback(TimeAttackDlg::ID_PLAY, 0);
        for (int i = 0; i < 3; ++i)
            m_pApp->updateModes(0.02f);
    }

    std::string setting(const char* pszKey) const { return m_pApp->getSetting(pszKey).c_str(); }

    ShellAppFixture m_fx;
    ShellApp* m_pApp = nullptr;
    FakeLevelFactory m_levels;
};

} // namespace

TEST_F(TimeAttackTest, ChoicesAreKeptAndStartTheMatchingDay)
{
    makeDefaultPlayer();
    m_pApp->setSetting("TimedScene", "3");
    TimeAttackDlg* pDlg = openScreen();
    EXPECT_EQ("snap_ch4", std::string(pDlg->getSnapshotName().c_str()));

    pDlg->onCallback(TimeAttackDlg::ID_EASY + 2, 0);
    pDlg->onCallback(TimeAttackDlg::ID_10MIN, 0);
    pDlg->onCallback(TimeAttackDlg::ID_FIRST_SCENE + 8, 0);
    EXPECT_EQ("2", setting("TimedDifficulty"));
    EXPECT_EQ("1", setting("TimedTime"));
    EXPECT_EQ("8", setting("TimedScene"));
    EXPECT_EQ("snap_ch9", std::string(pDlg->getSnapshotName().c_str()));
    EXPECT_TRUE(pDlg->getDifficultyRadio(2)->isChecked());
    EXPECT_FALSE(pDlg->getDifficultyRadio(1)->isChecked());

    struct Case
    {
        int nTimeId;
        int nScene;
        int nSeconds;
        int nLevel;
    };
    const Case aCases[] = {{TimeAttackDlg::ID_10MIN, 8, 600, 40},
                           {TimeAttackDlg::ID_3MIN, 0, 180, 1},
                           {TimeAttackDlg::ID_3MIN, 1, 180, 5}};
    for (const Case& c : aCases)
    {
        pDlg->onCallback(c.nTimeId, 0);
        pDlg->onCallback(TimeAttackDlg::ID_FIRST_SCENE + c.nScene, 0);
        play(pDlg, 0, true);
        const FakeLevelDay& day = m_levels.started().back();
        EXPECT_EQ(GT_TIMED, day.nGameType);
        EXPECT_EQ(c.nSeconds, day.nLevelLength);
        EXPECT_EQ(2, day.nDifficulty);
        EXPECT_EQ(c.nLevel, day.nLevel);
        EXPECT_EQ(0, day.nScoreTotal);
        // Aborted: dropped, nothing filed, the screen is on top again.
        EXPECT_FALSE(m_pApp->hasLastResults());
        EXPECT_EQ(pDlg, m_pApp->getTopMode());
    }
    HighScoreTable table;
    loadHighScores(table);
    for (int i = 0; i < HS_ENTRIES; ++i)
        EXPECT_EQ(0, table.nScore[i]);
}

TEST_F(TimeAttackTest, DamagedSettingsAreKeptInRange)
{
    makeDefaultPlayer();
    m_pApp->setSetting("TimedScene", "12");
    m_pApp->setSetting("TimedDifficulty", "7");
    m_pApp->setSetting("TimedTime", "5");
    TimeAttackDlg* pDlg = openScreen();
    EXPECT_EQ("snap_ch1", std::string(pDlg->getSnapshotName().c_str()));
    play(pDlg, 0, true);
    EXPECT_EQ(1, m_levels.started().back().nDifficulty);
    EXPECT_EQ(180, m_levels.started().back().nLevelLength);
}

TEST_F(TimeAttackTest, DefaultNamedPlayerTypesANameAndSeesTheRankInRed)
{
    makeDefaultPlayer();
    const std::string sUID = setting("PlayerUID");
    m_pApp->setSetting("TimedDifficulty", "1");
    m_pApp->setSetting("TimedTime", "0");
    TimeAttackDlg* pDlg = openScreen();
    play(pDlg, 500);

    // The name entry, without cancel, over the screen; the result waits.
    EditNameDlg* pEntry = dynamic_cast<EditNameDlg*>(m_pApp->getTopMode());
    ASSERT_NE(nullptr, pEntry);
    EXPECT_FALSE(pEntry->canCancel());
    EXPECT_TRUE(m_pApp->hasLastResults());
    EXPECT_EQ("Stranger", std::string(pEntry->getEditText().c_str()));
    m_pApp->dispatchKeyDown(KEY_ESCAPE, 0);
    m_pApp->updateModes(0.02f);
    EXPECT_EQ(pEntry, m_pApp->getTopMode());

    for (int i = 0; i < 8; ++i)
        m_pApp->dispatchKeyDown(8, 0);
    for (char c : std::string("Dolly"))
        m_pApp->dispatchChar(c);
    m_pApp->dispatchKeyDown(KEY_RETURN, 0);
    m_pApp->updateModes(0.02f);

    // Renamed, selected, filed at rank 0, shown in result mode with the row in red.
    EXPECT_EQ("Dolly", setting("PlayerName"));
    EXPECT_EQ(sUID, setting("PlayerUID"));
    EXPECT_FALSE(isDefaultPlayerName(findPlayerByUID(sUID.c_str())));
    EXPECT_FALSE(m_pApp->hasLastResults());
    HighScoreDlg* pScores = dynamic_cast<HighScoreDlg*>(m_pApp->getTopMode());
    ASSERT_NE(nullptr, pScores);
    EXPECT_FALSE(pScores->areTabsShown());
    EXPECT_EQ(0, pScores->getShownTime());
    EXPECT_EQ(1, pScores->getShownDifficulty());
    EXPECT_EQ("Dolly", std::string(pScores->getNameText(HS_LOCAL, 0).c_str()));
    EXPECT_EQ("$500", std::string(pScores->getScoreText(HS_LOCAL, 0).c_str()));
    EXPECT_TRUE(pScores->isRowRed(HS_LOCAL, 0));
    EXPECT_FALSE(pScores->isRowRed(HS_LOCAL, 1));
    EXPECT_EQ("nobody", std::string(pScores->getNameText(HS_LOCAL, 1).c_str()));
    HighScoreTable table;
    loadHighScores(table);
    EXPECT_STREQ("Dolly", table.sName[highScoreIndex(HS_LOCAL, 0, 1, 0)].c_str());
    EXPECT_EQ(500, table.nScore[highScoreIndex(HS_LOCAL, 0, 1, 0)]);

    // The next game of the renamed player is filed at once; 500 again ranks below the first.
    pScores->onCallback(HighScoreDlg::ID_BACK, 0);
    m_pApp->updateModes(0.02f);
    EXPECT_EQ(pDlg, m_pApp->getTopMode());
    play(pDlg, 500);
    pScores = dynamic_cast<HighScoreDlg*>(m_pApp->getTopMode());
    ASSERT_NE(nullptr, pScores);
    EXPECT_TRUE(pScores->isRowRed(HS_LOCAL, 1));
    EXPECT_FALSE(pScores->isRowRed(HS_LOCAL, 0));
}

TEST_F(TimeAttackTest, ScoreThatDoesNotRankOpensNothing)
{
    makeDefaultPlayer();
    renamePlayer(0, "Named");
    selectPlayer(0);
    TimeAttackDlg* pDlg = openScreen();
    play(pDlg, 0);
    EXPECT_FALSE(m_pApp->hasLastResults());
    EXPECT_EQ(pDlg, m_pApp->getTopMode());
}

TEST_F(TimeAttackTest, ClicksOnTheHighScoreScreenNeverReachTheScreenBelow)
{
    makeDefaultPlayer();
    renamePlayer(0, "Named");
    selectPlayer(0);
    m_pApp->setSetting("TimedDifficulty", "1");
    m_pApp->setSetting("TimedScene", "0");
    TimeAttackDlg* pDlg = openScreen();
    RadioButton* pHard = pDlg->getDifficultyRadio(2);
    RadioButton* pScene = pDlg->getSceneRadio(4);

    // The controls are live while the screen is on top.
    clickRadio(m_pApp, pScene);
    EXPECT_EQ("4", setting("TimedScene"));
    pDlg->onCallback(TimeAttackDlg::ID_FIRST_SCENE, 0);

    // Result mode and browse mode: the same clicks reach nothing below.
    play(pDlg, 300);
    ASSERT_NE(nullptr, dynamic_cast<HighScoreDlg*>(m_pApp->getTopMode()));
    clickRadio(m_pApp, pHard);
    clickRadio(m_pApp, pScene);
    EXPECT_EQ("1", setting("TimedDifficulty"));
    EXPECT_EQ("0", setting("TimedScene"));
    m_pApp->getTopMode()->endMode();
    m_pApp->updateModes(0.02f);
    EXPECT_EQ(pDlg, m_pApp->getTopMode());

    pDlg->onCallback(TimeAttackDlg::ID_HIGHSCORES, 0);
    m_pApp->updateModes(0.02f);
    HighScoreDlg* pBrowse = dynamic_cast<HighScoreDlg*>(m_pApp->getTopMode());
    ASSERT_NE(nullptr, pBrowse);
    EXPECT_TRUE(pBrowse->areTabsShown());
    clickRadio(m_pApp, pHard);
    clickRadio(m_pApp, pScene);
    EXPECT_EQ("1", setting("TimedDifficulty"));
    EXPECT_EQ("0", setting("TimedScene"));

    // Back on top, the screen takes clicks again.
    pBrowse->endMode();
    m_pApp->updateModes(0.02f);
    clickRadio(m_pApp, pHard);
    EXPECT_EQ("2", setting("TimedDifficulty"));
}
