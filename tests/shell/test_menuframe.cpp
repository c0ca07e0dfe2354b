// The main menu: the input lock after each activation, the commands and their openers, the
// warning before a timed game, the quit command through the application's quit path, the
// default player and the welcome line.
#include "shell/kit/screencontent.h"
#include "shell/kit/shellapp.h"

#include "shell/gamescreens.h"
#include "shell/menuframe.h"
#include "shell/playerdlg.h"
#include "shell/timeattackdlg.h"

#include "ui/button.h"
#include "ui/dlgyesno.h"

#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

std::vector<std::string> g_opened;

struct Marker : public GameMode
{
    explicit Marker(const std::string& sName) { g_opened.push_back(sName); }
};

class MenuTest : public ::testing::Test
{
protected:
    MenuTest()
    {
        g_opened.clear();
        for (const char* pszName : {"ui_tabla", "logo", "menuleft", "carteles", "btn_storymode_normal",
                                    "btn_storymode_highlight", "btn_campaign_normal",
                                    "btn_campaign_highlight", "btn_timed_normal",
                                    "btn_timed_highlight"})
            m_fx.addPicture(pszName, 60, 40, 0x80604080);
        // Plain buttons for the menu and a frame for its questions.
        addPlainTheme(m_fx);
        m_fx.addText("WelcomePlayer", "Howdy, %s!");
        m_fx.addText("DefaultPlayerName", "Stranger");
        m_fx.addText("QueryExit_0", "Leave?");
        m_saved = MenuFrame::getScreens();
    }
    ~MenuTest() override { MenuFrame::setScreens(m_saved); }

    MenuFrame* startMenu()
    {
        m_pApp = m_fx.startMenu();
        return MenuFrame::instance();
    }

    ShellAppFixture m_fx;
    ShellApp* m_pApp = nullptr;
    MenuScreens m_saved;
};

} // namespace

TEST_F(MenuTest, CommandsWaitForTheLockAndTheWarningIsAskedUntilAnsweredYes)
{
    MenuScreens screens;
    screens.pfnTimeAttackDlg = [](MenuFrame*) -> GameMode* { return new Marker("timed"); };
    screens.pfnYesNo = [](MenuFrame*, const char* pszKey, int nYes, int nNo) -> GameMode* {
        return new Marker(std::string("ask ") + pszKey + " " + std::to_string(nYes) + " " +
                          std::to_string(nNo));
    };
    MenuFrame::setScreens(screens);
    MenuFrame* pMenu = startMenu();
    ASSERT_NE(nullptr, pMenu);
    EXPECT_FLOAT_EQ(MenuFrame::INPUT_LOCK_SECONDS, pMenu->getInputLock());

    pMenu->onCallback(MC_TIMED, 0); // locked
    EXPECT_TRUE(g_opened.empty());
    m_pApp->updateModes(0.3f);
    pMenu->onCallback(MC_TIMED, 0);
    EXPECT_TRUE(g_opened.empty());
    m_pApp->updateModes(0.3f);
    pMenu->onCallback(MC_TIMED, 0);
    EXPECT_EQ((std::vector<std::string>{"ask PlayStoryWarning 10 -1"}), g_opened);

    // The yes answer passes the lock; from then on no warning.
    m_pApp->getTopMode()->endMode();
    EXPECT_GT(pMenu->getInputLock(), 0.0f);
    pMenu->onCallback(MC_TIMED_CONFIRMED, 0);
    EXPECT_EQ("timed", g_opened.back());
    EXPECT_EQ("FALSE", m_pApp->getSetting("ShowStoryModeWarning"));
    m_pApp->getTopMode()->endMode();
    m_pApp->updateModes(0.6f);
    pMenu->onCallback(MC_TIMED, 0);
    EXPECT_EQ("timed", g_opened.back());
    EXPECT_EQ(3u, g_opened.size());
}

TEST_F(MenuTest, UnavailableScreensLeaveTheirButtonsDisabled)
{
    MenuScreens screens;
    screens.pfnTimeAttackDlg = [](MenuFrame*) -> GameMode* { return new Marker("timed"); };
    screens.pfnYesNo = [](MenuFrame*, const char*, int, int) -> GameMode* {
        return new Marker("ask");
    };
    MenuFrame::setScreens(screens);
    MenuFrame* pMenu = startMenu();
    const auto& buttons = pMenu->getMainButtons();
    ASSERT_EQ(3, buttons.getLength());
    EXPECT_FALSE(buttons.get(0)->isEnabled()); // story
    EXPECT_FALSE(buttons.get(1)->isEnabled()); // campaign
    EXPECT_TRUE(buttons.get(2)->isEnabled());  // timed
    m_pApp->updateModes(0.6f);
    pMenu->onCallback(MC_STORY, 0);
    pMenu->onCallback(MC_CAMPAIGN, 0);
    pMenu->onCallback(MC_CHANGE_PLAYER, 0);
    EXPECT_TRUE(g_opened.empty());
}

TEST_F(MenuTest, FirstStartMakesTheDefaultPlayerAndWelcomesIt)
{
    MenuFrame* pMenu = startMenu();
    const std::string sName = m_pApp->getSetting("PlayerName").c_str();
    EXPECT_FALSE(sName.empty());
    EXPECT_EQ("Howdy, " + sName + "!", std::string(pMenu->getWelcomeText().c_str()));
    EXPECT_EQ("TRUE", m_pApp->getSetting("SavedPlayerNameDefault_0"));
}

TEST_F(MenuTest, ExitAsksOnceEvenWhenTheWindowIsClosedMeanwhile)
{
    ShellApp::countQuitQuestions(true);
    MenuFrame* pMenu = startMenu();
    m_pApp->setConfirmQuit(true);
    m_pApp->updateModes(0.6f);
    pMenu->onCallback(MC_EXIT, 0);
    EXPECT_EQ(1, ShellApp::getQuitQuestions());
    m_pApp->dispatchQuitRequest();
    EXPECT_EQ(1, ShellApp::getQuitQuestions());
    // Once the question closed, the next request asks again.
    m_pApp->endQuitConfirm();
    m_pApp->dispatchQuitRequest();
    EXPECT_EQ(2, ShellApp::getQuitQuestions());
    ShellApp::countQuitQuestions(false);
}

TEST_F(MenuTest, GameOpenersMakeTheProfileAndTimedScreensAndTheQuestion)
{
    const MenuScreens screens = gameMenuScreens();
    ASSERT_NE(nullptr, screens.pfnPlayerDlg);
    ASSERT_NE(nullptr, screens.pfnTimeAttackDlg);
    ASSERT_NE(nullptr, screens.pfnYesNo);
    MenuFrame::setScreens(screens);
    MenuFrame* pMenu = startMenu();
    // With them installed, the timed-game button is available.
    EXPECT_TRUE(pMenu->getMainButtons().get(2)->isEnabled());

    const std::unique_ptr<GameMode> pPlayers(screens.pfnPlayerDlg(pMenu));
    EXPECT_NE(nullptr, dynamic_cast<PlayerDlg*>(pPlayers.get()));
    const std::unique_ptr<GameMode> pTimed(screens.pfnTimeAttackDlg(pMenu));
    EXPECT_NE(nullptr, dynamic_cast<TimeAttackDlg*>(pTimed.get()));
    const std::unique_ptr<GameMode> pAsk(
        screens.pfnYesNo(pMenu, "PlayStoryWarning", MC_TIMED_CONFIRMED, -1));
    EXPECT_NE(nullptr, dynamic_cast<DlgYesNo*>(pAsk.get()));
}
