// The online high-score exchange over real HTTP: the request built from the setting
// "HighscoreURL" goes through the curl client to a loopback server that the test starts; the
// owner stands in for the high-score screen and parses the dialog's result on the done command.
// A valid reply replaces the online half and the date line; an invalid one or an error status
// changes nothing; a silent server is cancelled at once or, with a short stall limit, fails by
// itself; a refused connection, a reply past the size limit and a missing address show the error.
#include "shellfixture.h"

#include "kit/downloadprobe.h"
#include "kit/highscorereplytext.h"
#include "kit/loopbackhttpserver.h"

#include "shell/curl/curlhttpclient.h"
#include "shell/downloadtransfer.h"
#include "shell/highscoreio.h"
#include "shell/highscorereply.h"
#include "shell/highscoreservice.h"
#include "shell/highscoreupload.h"

#include "rir2/date.h"

#include <cstdlib>
#include <memory>

namespace
{

const int DONE_COMMAND = 10;

class HighScoreTransferTest : public ShellStoreTest
{
protected:
    HighScoreTransferTest()
        : m_dialog(m_events)
        , m_owner(m_events)
    {
        // The loopback server is reached directly, whatever proxy the machine names.
        setenv("NO_PROXY", "127.0.0.1", 1);
        setenv("no_proxy", "127.0.0.1", 1);
        set("PlayerName", "Dolly");
        set("PlayerUID", "ID1");
        // The local half and an older online half with its date.
        HighScoreTable table;
        table.sName[highScoreIndex(HS_LOCAL, 0, 1, 0)] = "Dolly";
        table.nScore[highScoreIndex(HS_LOCAL, 0, 1, 0)] = 500;
        table.sKey[highScoreIndex(HS_LOCAL, 0, 1, 0)] = "LOCALKEY";
        table.sName[highScoreIndex(HS_ONLINE, 1, 2, 3)] = "OldOnline";
        table.nScore[highScoreIndex(HS_ONLINE, 1, 2, 3)] = 77;
        table.sKey[highScoreIndex(HS_ONLINE, 1, 2, 3)] = "OLDKEY";
        saveHighScores(table);
        set("HighscoreLastUpdate", "86400");
        // The high-score screen's part: on the done command, parse the dialog's result.
        m_owner.m_onCallback = [this](int nId) {
            if (nId == DONE_COMMAND)
                m_bAccepted = parseHighScoreReply(m_dialog.m_sResult.c_str());
        };
    }

    // Starts the exchange as the screen and its dialog do, with the client given or a default one.
    void startExchange(const CurlHttpClient::Limits& limits = CurlHttpClient::Limits())
    {
        m_pClient.reset(new CurlHttpClient(limits));
        m_pTransfer.reset(new DownloadTransfer(*m_pClient, m_dialog, &m_owner, DONE_COMMAND));
        m_pTransfer->start(buildHighScoreExchangeRequest(), nullptr);
    }

    bool pumpUntilEvent() { return pumpTransfer(*m_pTransfer, [&] { return !m_events.empty(); }); }

    void serveAt(const std::string& sPath) { set("HighscoreURL", m_server.url(sPath).c_str()); }

    LoopbackHttpServer m_server;
    DownloadEvents m_events;
    ProbeDownloadDialog m_dialog;
    ProbeOwner m_owner;
    std::unique_ptr<CurlHttpClient> m_pClient;
    std::unique_ptr<DownloadTransfer> m_pTransfer;
    bool m_bAccepted = false;
};

} // namespace

TEST_F(HighScoreTransferTest, ValidReplyReplacesTheOnlineHalfAndTheDateLine)
{
    serveAt("/dbd_highscore.php");
    m_server.setReply(200, validHighScoreReply());
    const std::string sUpload = buildHighScoreUpload().c_str();

    startExchange();
    ASSERT_TRUE(pumpTransfer(*m_pTransfer, [&] { return m_dialog.m_bDone; }));

    // The request: a GET of the script with the encoded local tables.
    const std::vector<LoopbackHttpServer::Request> requests = m_server.requests();
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ("GET", requests[0].sMethod);
    EXPECT_EQ("/dbd_highscore.php?local=" + sUpload, requests[0].sTarget);
    // The hand-over: result, done, the owner's callback, which accepted the reply.
    ASSERT_EQ(3u, m_events.size());
    EXPECT_EQ("done", m_events[1]);
    EXPECT_EQ("owner:10,0", m_events[2]);
    EXPECT_EQ(validHighScoreReply(), m_dialog.m_sResult);
    EXPECT_TRUE(m_bAccepted);

    HighScoreTable table;
    loadHighScores(table);
    for (int t = 0; t < 2; ++t)
        for (int d = 0; d < 3; ++d)
            for (int r = 0; r < 10; ++r)
            {
                const std::string sId = std::to_string(t) + std::to_string(d) + std::to_string(r);
                const int i = highScoreIndex(HS_ONLINE, t, d, r);
                EXPECT_EQ("On" + sId, std::string(table.sName[i].c_str()));
                EXPECT_EQ(900 - r, table.nScore[i]);
                EXPECT_EQ("K" + sId, std::string(table.sKey[i].c_str()));
            }
    EXPECT_STREQ("Dolly", table.sName[highScoreIndex(HS_LOCAL, 0, 1, 0)].c_str());
    EXPECT_EQ(500, table.nScore[highScoreIndex(HS_LOCAL, 0, 1, 0)]);
    EXPECT_EQ(std::to_string(RIR::Date().toTimestamp()), setting("HighscoreLastUpdate"));
}

TEST_F(HighScoreTransferTest, AddressWithAQueryGetsTheUploadAfterAnAmpersand)
{
    serveAt("/scores/dbd_highscore.php?lang=en");
    m_server.setReply(200, validHighScoreReply());
    startExchange();
    ASSERT_TRUE(pumpTransfer(*m_pTransfer, [&] { return m_dialog.m_bDone; }));
    ASSERT_EQ(1u, m_server.requests().size());
    EXPECT_EQ("/scores/dbd_highscore.php?lang=en&local=" + std::string(buildHighScoreUpload().c_str()),
              m_server.requests()[0].sTarget);
}

TEST_F(HighScoreTransferTest, InvalidReplyOrErrorStatusChangesNothing)
{
    std::string sTruncated = validHighScoreReply();
    sTruncated.resize(sTruncated.size() - 4); // no "==="
    const struct
    {
        const char* pszName;
        int nStatus;
        std::string sBody;
        bool bReachesOwner;
    } cases[] = {
        {"wrong magic line", 200, "SomeOtherGame\n" + validHighScoreReply().substr(24), true},
        {"truncated", 200, sTruncated, true},
        {"empty body", 200, "", true},
        {"not found", 404, validHighScoreReply(), false},
        {"server error", 500, validHighScoreReply(), false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        serveAt("/dbd_highscore.php");
        m_server.setReply(c.nStatus, c.sBody);
        const std::map<std::string, std::string> before = store();
        m_events.clear();
        m_dialog.m_bDone = false;
        m_dialog.m_sStatus = "Connecting";
        m_bAccepted = false;

        startExchange();
        ASSERT_TRUE(pumpUntilEvent());
        for (int i = 0; i < 5; ++i)
            m_pTransfer->update();

        EXPECT_FALSE(m_bAccepted);
        EXPECT_EQ(before, store());
        if (c.bReachesOwner)
        {
            EXPECT_EQ("owner:10,0", m_events.back());
            EXPECT_TRUE(m_dialog.m_bDone);
        }
        else
        {
            EXPECT_EQ((DownloadEvents{"dialog:0,0"}), m_events);
            EXPECT_EQ("DownloadError", m_dialog.m_sStatus);
            EXPECT_FALSE(m_dialog.m_bDone);
        }
    }
}

TEST_F(HighScoreTransferTest, ServerThatNeverAnswersIsCancelledWithoutAHang)
{
    serveAt("/dbd_highscore.php");
    m_server.setSilent();
    startExchange();
    // The request is in and the server sits on it; frames go on meanwhile.
    ASSERT_TRUE(pumpTransfer(*m_pTransfer, [&] { return m_server.requests().size() == 1; }));
    for (int i = 0; i < 10; ++i)
        m_pTransfer->update();
    EXPECT_TRUE(m_pTransfer->isRunning());

    m_pTransfer->cancel(); // the cancel button
    EXPECT_FALSE(m_pTransfer->isRunning());
    m_pTransfer->update();
    EXPECT_TRUE(m_events.empty());
    EXPECT_FALSE(m_dialog.m_bDone);
    EXPECT_EQ("86400", setting("HighscoreLastUpdate"));
}

TEST_F(HighScoreTransferTest, ServerThatNeverAnswersFailsAfterTheStallTime)
{
    serveAt("/dbd_highscore.php");
    m_server.setSilent();
    CurlHttpClient::Limits limits;
    limits.nStallSeconds = 1;
    startExchange(limits);
    ASSERT_TRUE(pumpUntilEvent());
    EXPECT_EQ((DownloadEvents{"dialog:0,0"}), m_events);
    EXPECT_EQ("DownloadError", m_dialog.m_sStatus);
}

TEST_F(HighScoreTransferTest, RefusedConnectionShowsTheError)
{
    set("HighscoreURL", ("http://127.0.0.1:" + std::to_string(LoopbackHttpServer::closedLoopbackPort()) +
                         "/dbd_highscore.php")
                            .c_str());
    const std::map<std::string, std::string> before = store();
    startExchange();
    ASSERT_TRUE(pumpUntilEvent());
    EXPECT_EQ((DownloadEvents{"dialog:0,0"}), m_events);
    EXPECT_EQ("DownloadError", m_dialog.m_sStatus);
    EXPECT_FALSE(m_dialog.m_bDone);
    EXPECT_NE("", std::string(m_pTransfer->getError().c_str()));
    EXPECT_EQ(before, store());
}

TEST_F(HighScoreTransferTest, ReplyPastTheSizeLimitShowsTheError)
{
    serveAt("/dbd_highscore.php");
    m_server.setReply(200, validHighScoreReply() + std::string(5000, 'x'));
    CurlHttpClient::Limits limits;
    limits.nMaxReplyBytes = 4096;
    startExchange(limits);
    ASSERT_TRUE(pumpUntilEvent());
    EXPECT_EQ((DownloadEvents{"dialog:0,0"}), m_events);
    EXPECT_STREQ("the reply is larger than 4096 bytes", m_pTransfer->getError().c_str());
}

TEST_F(HighScoreTransferTest, NoAddressSetReportsTheErrorAtOnce)
{
    for (const char* pszAddress : {"", "   "})
    {
        SCOPED_TRACE(std::string("'") + pszAddress + "'");
        set("HighscoreURL", pszAddress);
        m_events.clear();
        EXPECT_EQ("", std::string(getHighScoreServiceAddress().c_str()));
        EXPECT_EQ("", std::string(buildHighScoreExchangeRequest().c_str()));
        startExchange();
        m_pTransfer->update(); // the dialog's first frame
        EXPECT_EQ((DownloadEvents{"dialog:0,0"}), m_events);
        EXPECT_STREQ("no service address is set", m_pTransfer->getError().c_str());
    }
    EXPECT_TRUE(m_server.requests().empty());
}

TEST_F(HighScoreTransferTest, ExtraTextIsPostedToTheService)
{
    serveAt("/dbd_highscore.php");
    m_server.setReply(200, "ok");
    m_pClient.reset(new CurlHttpClient());
    DownloadTransfer transfer(*m_pClient, m_dialog, nullptr, DONE_COMMAND);
    transfer.start(m_server.url("/dbd_highscore.php").c_str(), "extra=1&b=two");
    ASSERT_TRUE(pumpTransfer(transfer, [&] { return m_dialog.m_bDone; }));
    ASSERT_EQ(1u, m_server.requests().size());
    EXPECT_EQ("POST", m_server.requests()[0].sMethod);
    EXPECT_EQ("extra=1&b=two", m_server.requests()[0].sBody);
    EXPECT_EQ("ok", m_dialog.m_sResult);
}
