// The high-score screen on the headless application: browse mode follows and keeps its tabs in
// the settings, shows eight ranks a column with the player's online entries in red; "clear" asks
// first and empties only the local column; the last-update line and its month names, which never
// index past the list. The online exchange from the screen over real HTTP to a loopback server:
// a valid reply replaces the online column and the date line, an invalid one changes nothing, a
// silent server is cancelled from the dialog without a hang, a refused connection shows the error.
#include "shell/kit/highscorereplytext.h"
#include "shell/kit/loopbackhttpserver.h"
#include "shell/kit/screencontent.h"
#include "shell/kit/shellapp.h"
#include "shell/kit/texttable.h"

#include "shell/downloaddlg.h"
#include "shell/highscoredlg.h"
#include "shell/highscoreio.h"

#include "ui/dlgyesno.h"

#include "rir2/date.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace
{

class HighScoreScreenTest : public ::testing::Test
{
protected:
    HighScoreScreenTest()
    {
        setenv("NO_PROXY", "127.0.0.1", 1);
        setenv("no_proxy", "127.0.0.1", 1);
        addScreenContent(m_fx);
        m_pApp = m_fx.start(FirstModes{});
        m_pApp->setSetting("PlayerName", "Dolly");
        m_pApp->setSetting("PlayerUID", "K012");
        HighScoreTable table;
        for (int r = 0; r < 10; ++r)
        {
            const int i = highScoreIndex(HS_LOCAL, 1, 2, r);
            table.sName[i] = RIR::String::format("Loc%d", r);
            table.nScore[i] = 1000 - r;
            table.sKey[i] = "ME";
        }
        table.sName[highScoreIndex(HS_ONLINE, 1, 2, 0)] = "Far";
        table.nScore[highScoreIndex(HS_ONLINE, 1, 2, 0)] = 77;
        table.sKey[highScoreIndex(HS_ONLINE, 1, 2, 0)] = "OTHER";
        table.sName[highScoreIndex(HS_ONLINE, 1, 2, 1)] = "Me";
        table.nScore[highScoreIndex(HS_ONLINE, 1, 2, 1)] = 70;
        table.sKey[highScoreIndex(HS_ONLINE, 1, 2, 1)] = "K012";
        saveHighScores(table);
    }

    HighScoreDlg* openScreen(bool bShowTabs, int nTime = -1, int nDifficulty = -1, int nRank = -1)
    {
        HighScoreDlg* pDlg = new HighScoreDlg(bShowTabs, nTime, nDifficulty, nRank);
        m_pApp->pushMode(pDlg);
        m_pApp->updateModes(0.02f);
        return pDlg;
    }

    // Frames until the condition holds (a guard against a hang: at most 10 s).
    bool runUntil(const std::function<bool()>& done)
    {
        for (int i = 0; i < 5000 && !done(); ++i)
        {
            m_pApp->updateModes(0.02f);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return done();
    }

    std::string text(const RIR::String& s) const { return s.c_str(); }

    std::string setting(const char* pszKey) const { return m_pApp->getSetting(pszKey).c_str(); }

    ShellAppFixture m_fx;
    ShellApp* m_pApp = nullptr;
};

class HighScoreExchangeScreenTest : public HighScoreScreenTest
{
protected:
    HighScoreExchangeScreenTest() { m_pApp->setSetting("HighscoreLastUpdate", "86400"); }

    // Starts the exchange from the screen and runs a frame: the waiting dialog on top.
    DownloadDlg* startExchange(HighScoreDlg* pDlg)
    {
        pDlg->onCallback(HighScoreDlg::ID_EXCHANGE, 0);
        m_pApp->updateModes(0.02f);
        DownloadDlg* pWait = dynamic_cast<DownloadDlg*>(m_pApp->getTopMode());
        EXPECT_NE(nullptr, pWait);
        return pWait;
    }

    LoopbackHttpServer m_server;
};

} // namespace

TEST_F(HighScoreScreenTest, BrowseModeFollowsAndKeepsItsTabs)
{
    // Missing time: the 3-minute tables; the difficulty default: medium.
    HighScoreDlg* pDlg = openScreen(true);
    EXPECT_EQ(0, pDlg->getShownTime());
    EXPECT_EQ(1, pDlg->getShownDifficulty());
    EXPECT_EQ("nobody", text(pDlg->getNameText(HS_LOCAL, 0)));
    EXPECT_EQ("$0", text(pDlg->getScoreText(HS_LOCAL, 0)));

    pDlg->onCallback(HighScoreDlg::ID_10MIN, 0);
    pDlg->onCallback(HighScoreDlg::ID_EASY + 2, 0);
    EXPECT_EQ("1", setting("HighscoreTime"));
    EXPECT_EQ("2", setting("HighscoreDifficulty"));
    for (int r = 0; r < HighScoreDlg::SHOWN_RANKS; ++r)
    {
        EXPECT_EQ("Loc" + std::to_string(r), text(pDlg->getNameText(HS_LOCAL, r)));
        EXPECT_EQ("$" + std::to_string(1000 - r), text(pDlg->getScoreText(HS_LOCAL, r)));
        // Browsing never marks a local row; online, the player's own entries are red.
        EXPECT_FALSE(pDlg->isRowRed(HS_LOCAL, r));
        EXPECT_EQ(r == 1, pDlg->isRowRed(HS_ONLINE, r)) << r;
    }
    EXPECT_EQ("Far", text(pDlg->getNameText(HS_ONLINE, 0)));
    pDlg->endMode();
    m_pApp->updateModes(0.02f);

    // The next visit, and the next run, start where the player left.
    pDlg = openScreen(true);
    EXPECT_EQ(1, pDlg->getShownTime());
    EXPECT_EQ(2, pDlg->getShownDifficulty());
    m_pApp->saveSettings();
    const auto saved = m_fx.savedSettings();
    EXPECT_EQ("1", saved.at("HighscoreTime"));
    EXPECT_EQ("2", saved.at("HighscoreDifficulty"));
}

TEST_F(HighScoreScreenTest, ResultModeShowsTheGameAndMarksOnlyShownRanks)
{
    m_pApp->setSetting("HighscoreTime", "0");
    m_pApp->setSetting("HighscoreDifficulty", "0");
    struct Case
    {
        int nRank;
        int nRedRow; // -1: none
    };
    for (const Case& c : {Case{3, 3}, Case{8, -1}, Case{9, -1}})
    {
        HighScoreDlg* pDlg = openScreen(false, 1, 2, c.nRank);
        EXPECT_EQ(1, pDlg->getShownTime());
        EXPECT_EQ(2, pDlg->getShownDifficulty());
        for (int r = 0; r < HighScoreDlg::SHOWN_RANKS; ++r)
            EXPECT_EQ(r == c.nRedRow, pDlg->isRowRed(HS_LOCAL, r)) << c.nRank << " " << r;
        pDlg->endMode();
        m_pApp->updateModes(0.02f);
    }
    // Result mode leaves the browsing tabs alone.
    EXPECT_EQ("0", setting("HighscoreTime"));
}

TEST_F(HighScoreScreenTest, ClearAsksThenEmptiesOnlyTheLocalColumn)
{
    m_pApp->setSetting("HighscoreTime", "1");
    m_pApp->setSetting("HighscoreDifficulty", "2");
    HighScoreDlg* pDlg = openScreen(true);
    pDlg->onCallback(HighScoreDlg::ID_CLEAR, 0);
    ASSERT_NE(nullptr, dynamic_cast<DlgYesNo*>(m_pApp->getTopMode()));
    m_pApp->getTopMode()->endMode(); // no
    m_pApp->updateModes(0.02f);
    EXPECT_EQ("Loc0", text(pDlg->getNameText(HS_LOCAL, 0)));

    pDlg->onCallback(HighScoreDlg::ID_CLEAR, 0);
    m_pApp->getTopMode()->endMode();
    m_pApp->updateModes(0.02f);
    pDlg->onCallback(HighScoreDlg::ID_CLEAR_CONFIRMED, 0); // yes
    for (int r = 0; r < HighScoreDlg::SHOWN_RANKS; ++r)
    {
        EXPECT_EQ("nobody", text(pDlg->getNameText(HS_LOCAL, r)));
        EXPECT_EQ("$0", text(pDlg->getScoreText(HS_LOCAL, r)));
    }
    EXPECT_EQ("Far", text(pDlg->getNameText(HS_ONLINE, 0)));
    EXPECT_EQ("$77", text(pDlg->getScoreText(HS_ONLINE, 0)));
}

TEST_F(HighScoreScreenTest, LastUpdateLineNamesTheMonthAndNeverIndexesPastTheList)
{
    const int32_t nMarch = RIR::Date(5, 3, 2024).toTimestamp();
    const int32_t nDecember = RIR::Date(31, 12, 2023).toTimestamp();
    struct Case
    {
        const char* pszMonths;
        const char* pszFormat;
        int32_t nDate;
        const char* pszWant;
    };
    const Case aCases[] = {
        {"Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec", "(D) (M) (Y)", nMarch, "5 Mar 2024"},
        {"Jan  Feb   Mar Apr May Jun Jul Aug Sep Oct Nov Dec", "(M)/(M) (D)", nMarch, "Mar/Mar 5"},
        {"Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec", "(D) (M) (Y)", nDecember,
         "31 Dec 2023"},
        // Too few names, or none at all: the month's number stands in.
        {"Jan Feb", "(D) (M) (Y)", nDecember, "31 12 2023"},
        {"", "(D) (M) (Y)", nMarch, "5 3 2024"},
    };
    for (const Case& c : aCases)
    {
        loadTextTable(m_pApp, std::string("HighScoreMonths ") + c.pszMonths + "\nHighScoreDateFmt " +
                  c.pszFormat + "\n");
        EXPECT_EQ(c.pszWant, text(formatHighScoreDate(c.nDate))) << c.pszMonths;
    }
    m_pApp->setSetting("HighscoreLastUpdate", "");
    EXPECT_EQ("Updated: never", text(highScoreLastUpdateLine()));
    m_pApp->setSetting("HighscoreLastUpdate", std::to_string(nMarch).c_str());
    EXPECT_EQ("Updated: 5 3 2024", text(highScoreLastUpdateLine()));
    HighScoreDlg* pDlg = openScreen(true);
    EXPECT_EQ("Updated: 5 3 2024", text(pDlg->getLastUpdateText()));
}

TEST_F(HighScoreExchangeScreenTest, ValidReplyReplacesTheOnlineColumnAndTheDateLine)
{
    m_server.setReply(200, validHighScoreReply());
    m_pApp->setSetting("HighscoreURL", m_server.url("/dbd_highscore.php").c_str());
    HighScoreDlg* pDlg = openScreen(true);
    pDlg->onCallback(HighScoreDlg::ID_EASY + 1, 0);
    pDlg->onCallback(HighScoreDlg::ID_3MIN, 0);
    EXPECT_EQ("Updated: 2 Jan 1970", text(pDlg->getLastUpdateText()));
    DownloadDlg* pWait = startExchange(pDlg);
    ASSERT_NE(nullptr, pWait);
    ASSERT_TRUE(runUntil([&] { return m_pApp->getTopMode() == pDlg; }));
    EXPECT_EQ(1u, m_server.requests().size());

    for (int r = 0; r < HighScoreDlg::SHOWN_RANKS; ++r)
    {
        EXPECT_EQ("On01" + std::to_string(r), text(pDlg->getNameText(HS_ONLINE, r)));
        EXPECT_EQ("$" + std::to_string(900 - r), text(pDlg->getScoreText(HS_ONLINE, r)));
        EXPECT_EQ(r == 2, pDlg->isRowRed(HS_ONLINE, r));
    }
    const std::string sToday = std::to_string(RIR::Date().toTimestamp());
    EXPECT_EQ(sToday, setting("HighscoreLastUpdate"));
    EXPECT_EQ(text(highScoreLastUpdateLine()), text(pDlg->getLastUpdateText()));
    EXPECT_NE("Updated: 2 Jan 1970", text(pDlg->getLastUpdateText()));
    EXPECT_EQ(nullptr, pDlg->getDownloadDlg()); // cleared when the screen is on top again
}

TEST_F(HighScoreExchangeScreenTest, InvalidReplyChangesNothing)
{
    std::string sReply = validHighScoreReply();
    sReply.replace(sReply.find("On005"), 5, "Bob_Jr");
    m_server.setReply(200, sReply);
    m_pApp->setSetting("HighscoreURL", m_server.url("/dbd_highscore.php").c_str());
    m_pApp->setSetting("HighscoreTime", "1");
    m_pApp->setSetting("HighscoreDifficulty", "2");
    HighScoreDlg* pDlg = openScreen(true);
    ASSERT_NE(nullptr, startExchange(pDlg));
    ASSERT_TRUE(runUntil([&] { return m_pApp->getTopMode() == pDlg; }));
    EXPECT_EQ("Far", text(pDlg->getNameText(HS_ONLINE, 0)));
    EXPECT_EQ("$77", text(pDlg->getScoreText(HS_ONLINE, 0)));
    EXPECT_EQ("86400", setting("HighscoreLastUpdate"));
    EXPECT_EQ("Updated: 2 Jan 1970", text(pDlg->getLastUpdateText()));
}

TEST_F(HighScoreExchangeScreenTest, SilentServerIsCancelledFromTheDialogWithoutAHang)
{
    m_server.setSilent();
    m_pApp->setSetting("HighscoreURL", m_server.url("/dbd_highscore.php").c_str());
    HighScoreDlg* pDlg = openScreen(true);
    DownloadDlg* pWait = startExchange(pDlg);
    ASSERT_NE(nullptr, pWait);
    ASSERT_TRUE(runUntil([&] { return !m_server.requests().empty(); }));
    // Frames go on while the server stays silent.
    for (int i = 0; i < 10; ++i)
        m_pApp->updateModes(0.02f);
    EXPECT_EQ(pWait, m_pApp->getTopMode());
    EXPECT_EQ("Connecting", text(pWait->getStatusText()));

    pWait->onCallback(DownloadDlg::ID_CANCEL, 0);
    m_pApp->updateModes(0.02f);
    EXPECT_EQ(pDlg, m_pApp->getTopMode());
    EXPECT_EQ("86400", setting("HighscoreLastUpdate"));
    // A new exchange can start.
    pDlg->onCallback(HighScoreDlg::ID_EXCHANGE, 0);
    EXPECT_NE(nullptr, dynamic_cast<DownloadDlg*>(m_pApp->getTopMode()));
}

TEST_F(HighScoreExchangeScreenTest, RefusedConnectionOrNoAddressShowsTheError)
{
    const std::string sRefused =
        "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::closedLoopbackPort()) +
        "/dbd_highscore.php";
    for (const std::string& sAddress : {sRefused, std::string()})
    {
        m_pApp->setSetting("HighscoreURL", sAddress.c_str());
        HighScoreDlg* pDlg = openScreen(true);
        DownloadDlg* pWait = startExchange(pDlg);
        ASSERT_NE(nullptr, pWait);
        ASSERT_TRUE(runUntil([&] { return text(pWait->getStatusText()) == "DownloadError"; }))
            << sAddress;
        EXPECT_NE("", text(pWait->getError()));
        // The dialog waits for its cancel.
        m_pApp->updateModes(0.02f);
        EXPECT_EQ(pWait, m_pApp->getTopMode());
        pWait->onCallback(DownloadDlg::ID_CANCEL, 0);
        m_pApp->updateModes(0.02f);
        EXPECT_EQ(pDlg, m_pApp->getTopMode());
        EXPECT_EQ("86400", setting("HighscoreLastUpdate"));
        pDlg->endMode();
        m_pApp->updateModes(0.02f);
    }
}
