// The hand-over of a download transfer, on a scripted client without a network: the reply goes
// to the dialog's result, then its done flag, then the owner's callback, once; a failure sends
// id 0 to the dialog and logs why; a request without an http address fails at the first frame
// without a fetch; the extra text goes as a POST body; nothing is handed over while the fetch
// runs or after a cancel; cancel and the destructor let go of a fetch that never ends.
#include "shellfixture.h"

#include "kit/downloadprobe.h"
#include "kit/scriptedhttpclient.h"

#include "shell/downloadtransfer.h"

#include "rir2/exception.h"

#include <type_traits>

static_assert(!std::is_copy_constructible<DownloadTransfer>::value, "a transfer owns its worker");
static_assert(!std::is_copy_assignable<DownloadTransfer>::value, "a transfer owns its worker");

namespace
{

const char* const ADDRESS = "http://service.test/dbd_highscore.php?local=ABC";
const int DONE_COMMAND = 10;

HttpResponse failure(const char* pszError)
{
    HttpResponse response;
    response.eOutcome = HttpResponse::HTTP_FAILED;
    response.sError = pszError;
    return response;
}

class TransferTest : public ShellStoreTest
{
protected:
    TransferTest()
        : m_dialog(m_events)
        , m_owner(m_events)
        , m_transfer(m_client, m_dialog, &m_owner, DONE_COMMAND)
    {
    }

    bool pumpUntilEvents(size_t nCount)
    {
        return pumpTransfer(m_transfer, [&] { return m_events.size() >= nCount; });
    }

    DownloadEvents m_events;
    ScriptedHttpClient m_client;
    ProbeDownloadDialog m_dialog;
    ProbeOwner m_owner;
    DownloadTransfer m_transfer;
};

} // namespace

TEST_F(TransferTest, ReplyGoesToResultThenDoneThenOwnerOnce)
{
    HttpResponse reply;
    reply.eOutcome = HttpResponse::HTTP_OK;
    reply.nStatus = 200;
    reply.sBody = "the reply\n";
    m_client.setResponse(reply);
    // The owner reads the result while the dialog still stands, as the high-score screen does.
    std::string sSeenByOwner;
    bool bDoneSeenByOwner = false;
    m_owner.m_onCallback = [&](int) {
        sSeenByOwner = m_dialog.m_sResult;
        bDoneSeenByOwner = m_dialog.m_bDone;
    };

    m_transfer.start(ADDRESS, nullptr);
    EXPECT_TRUE(m_transfer.isRunning());
    ASSERT_TRUE(pumpUntilEvents(3));
    for (int i = 0; i < 5; ++i)
        m_transfer.update();

    EXPECT_EQ((DownloadEvents{"result:the reply\n", "done", "owner:10,0"}), m_events);
    EXPECT_EQ("the reply\n", sSeenByOwner);
    EXPECT_TRUE(bDoneSeenByOwner);
    EXPECT_FALSE(m_transfer.isRunning());
    EXPECT_EQ("", std::string(m_transfer.getError().c_str()));
    EXPECT_EQ("Connecting", m_dialog.m_sStatus);
    ASSERT_EQ(1u, m_client.requests().size());
    EXPECT_EQ(ADDRESS, m_client.requests()[0].sURL);
    EXPECT_FALSE(m_client.requests()[0].bPost);
}

TEST_F(TransferTest, FailureSendsIdZeroToTheDialogAndLogsWhy)
{
    m_client.setResponse(failure("Connection refused"));
    m_transfer.start(ADDRESS, nullptr);
    ASSERT_TRUE(pumpUntilEvents(1));
    for (int i = 0; i < 5; ++i)
        m_transfer.update();

    EXPECT_EQ((DownloadEvents{"dialog:0,0"}), m_events);
    EXPECT_EQ("DownloadError", m_dialog.m_sStatus);
    EXPECT_FALSE(m_dialog.m_bDone); // the dialog waits for its cancel
    EXPECT_STREQ("Connection refused", m_transfer.getError().c_str());
    EXPECT_EQ((std::vector<std::string>{"W: Download failed : Connection refused"}),
              gameLogLines());
}

TEST_F(TransferTest, RequestWithoutHttpAddressFailsAtTheFirstFrameWithoutFetching)
{
    const struct
    {
        const char* pszRequest;
        const char* pszError;
    } cases[] = {
        {"", "no service address is set"},
        {"?local=ABC", "no service address is set"},
        {"ftp://service.test/dbd_highscore.php?local=ABC", "the address is not an http or https address"},
        {"/dbd_highscore.php?local=ABC", "the address is not an http or https address"},
        {"file:///etc/passwd", "the address is not an http or https address"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszRequest);
        DownloadEvents events;
        ProbeDownloadDialog dialog(events);
        ProbeOwner owner(events);
        DownloadTransfer transfer(m_client, dialog, &owner, DONE_COMMAND);
        transfer.start(c.pszRequest, nullptr);
        EXPECT_TRUE(events.empty()); // nothing before the dialog's first frame
        transfer.update();
        EXPECT_EQ((DownloadEvents{"dialog:0,0"}), events);
        EXPECT_STREQ(c.pszError, transfer.getError().c_str());
    }
    EXPECT_TRUE(m_client.requests().empty());
}

TEST_F(TransferTest, UpperCaseSchemesAreHttpAddresses)
{
    m_transfer.start("HTTPS://service.test/dbd_highscore.php", nullptr);
    ASSERT_TRUE(pumpUntilEvents(3));
    EXPECT_EQ("done", m_events[1]);
}

TEST_F(TransferTest, ExtraTextGoesAsPostBody)
{
    const struct
    {
        const char* pszExtra;
        bool bPost;
    } cases[] = {{nullptr, false}, {"", false}, {"name=Dolly&x=1", true}};
    for (const auto& c : cases)
    {
        DownloadEvents events;
        ProbeDownloadDialog dialog(events);
        DownloadTransfer transfer(m_client, dialog, nullptr, DONE_COMMAND);
        transfer.start(ADDRESS, c.pszExtra);
        ASSERT_TRUE(pumpTransfer(transfer, [&] { return dialog.m_bDone; }));
    }
    const std::vector<HttpRequest> requests = m_client.requests();
    ASSERT_EQ(3u, requests.size());
    EXPECT_FALSE(requests[0].bPost);
    EXPECT_FALSE(requests[1].bPost);
    EXPECT_TRUE(requests[2].bPost);
    EXPECT_EQ("name=Dolly&x=1", requests[2].sBody);
}

TEST_F(TransferTest, NothingIsHandedOverWhileTheFetchRuns)
{
    m_client.hold();
    m_transfer.start(ADDRESS, nullptr);
    ASSERT_TRUE(pumpTransfer(m_transfer, [&] { return m_client.requests().size() == 1; }));
    for (int i = 0; i < 20; ++i)
        m_transfer.update();
    EXPECT_TRUE(m_events.empty());
    EXPECT_TRUE(m_transfer.isRunning());

    m_client.release();
    ASSERT_TRUE(pumpUntilEvents(3));
    EXPECT_EQ("owner:10,0", m_events[2]);
}

TEST_F(TransferTest, CancelLetsGoOfAFetchThatNeverEndsAndHandsNothingOver)
{
    m_client.hold();
    m_transfer.start(ADDRESS, nullptr);
    ASSERT_TRUE(pumpTransfer(m_transfer, [&] { return m_client.requests().size() == 1; }));
    m_transfer.cancel();
    EXPECT_FALSE(m_transfer.isRunning());
    for (int i = 0; i < 5; ++i)
        m_transfer.update();
    m_transfer.cancel(); // twice is harmless
    EXPECT_TRUE(m_events.empty());
    EXPECT_FALSE(m_dialog.m_bDone);
}

TEST_F(TransferTest, DestroyingARunningTransferCancelsIt)
{
    DownloadEvents events;
    ProbeDownloadDialog dialog(events);
    m_client.hold();
    {
        DownloadTransfer transfer(m_client, dialog, nullptr, DONE_COMMAND);
        transfer.start(ADDRESS, nullptr);
        ASSERT_TRUE(pumpTransfer(transfer, [&] { return m_client.requests().size() == 1; }));
    }
    EXPECT_TRUE(events.empty());
}

TEST_F(TransferTest, CancelBeforeStartAndAfterTheHandOverChangesNothing)
{
    m_transfer.cancel();
    EXPECT_FALSE(m_transfer.isRunning());
    m_transfer.start(ADDRESS, nullptr);
    ASSERT_TRUE(pumpUntilEvents(3));
    m_transfer.cancel();
    m_transfer.update();
    EXPECT_EQ((DownloadEvents{"result:", "done", "owner:10,0"}), m_events);
}

TEST_F(TransferTest, SecondStartIsRefused)
{
    m_transfer.start(ADDRESS, nullptr);
    try
    {
        m_transfer.start(ADDRESS, nullptr);
        FAIL() << "no exception";
    }
    catch (const RIR::AssertFailException& e)
    {
        EXPECT_STREQ("Assertion failed : m_eState == TS_IDLE", e.getMessage());
    }
    ASSERT_TRUE(pumpUntilEvents(3));
}
