// DownloadTransfer: carries the request of a waiting download dialog to its service on a worker
// thread, so that frames go on, and hands the reply over on the main thread.
//
// The dialog (IDownloadReceiver) owns the transfer, starts it with its request text (and its extra
// text, sent as the body of a POST when there is one) and calls update at the start of each of
// its frame updates, before it looks at its done flag. When the reply is in, update hands it over
// in this order: the reply text becomes the dialog's result, the dialog's done flag is set, and the
// owner's callback gets the done command and 0, so that the owner reads the result while the
// dialog still stands; the dialog ends at its done check right after. When the transfer fails
// (no address, no connection, a time-out, a status other than 2xx, a reply too large), the dialog's
// own callback gets id 0 and a "W: " line names the reason; the dialog then waits for its cancel.
// A request that is not an "http://" or "https://" address, such as one built while no service
// address is set, fails at the first update without touching the network.
//
//     m_pTransfer.reset(new DownloadTransfer(client, *this, m_pOwner, m_nDoneCommand));
//     m_pTransfer->start(m_sURL, pszExtra);     // onStart
//     m_pTransfer->update();                    // update, then: if (m_bDone) end
//     m_pTransfer->cancel();                    // the cancel button (the destructor does it too)
//
// Main thread only, except the worker inside.
#ifndef DBD_SHELL_DOWNLOADTRANSFER_H
#define DBD_SHELL_DOWNLOADTRANSFER_H

#include "shell/httpclient.h"

#include "app/icallbacktarget.h"
#include "rir2/rirstring.h"

#include <atomic>
#include <thread>

// The waiting dialog's side of a transfer. Its onCallback gets id 0 when the transfer failed.
class IDownloadReceiver : public ICallbackTarget
{
public:
    // The reply text becomes the dialog's result.
    virtual void setDownloadResult(const RIR::String& sResult) = 0;
    // The transfer has finished: the dialog ends at its next done check.
    virtual void setDownloadDone() = 0;
};

class DownloadTransfer
{
public:
    // The client and the dialog must outlive the transfer; pOwner (may be null: nobody is told)
    // gets (nDoneCommand, 0) when the reply is in.
    DownloadTransfer(IHttpClient& client, IDownloadReceiver& dialog, ICallbackTarget* pOwner,
                     int nDoneCommand);
    // Cancels a running transfer and waits for its worker (promptly, see cancel).
    ~DownloadTransfer();

    DownloadTransfer(const DownloadTransfer&) = delete;
    DownloadTransfer& operator=(const DownloadTransfer&) = delete;

    // Starts carrying sRequest; pszExtra, when not null and not empty, goes as a POST body. Once
    // per transfer: a second start raises AssertFailException
    // "Assertion failed : m_eState == TS_IDLE".
    void start(const RIR::String& sRequest, const char* pszExtra);
    // Hands a finished transfer's outcome over, once (see above); does nothing while it runs,
    // before start and after cancel.
    void update();
    // Stops the transfer and waits for its worker, which lets go within a fraction of a second
    // even when the server never answers; nothing is handed over afterwards. Harmless when the
    // transfer is idle, finished or already cancelled.
    void cancel();

    // Started and neither handed over nor cancelled yet.
    bool isRunning() const { return m_eState == TS_RUNNING; }
    // Why the transfer failed ("" unless it failed).
    const RIR::String& getError() const { return m_sError; }

private:
    enum State
    {
        TS_IDLE,
        TS_RUNNING,
        TS_HANDED_OVER,
        TS_CANCELLED
    };

    void run();
    void join();

    IHttpClient* m_pClient;
    IDownloadReceiver* m_pDialog;
    ICallbackTarget* m_pOwner;
    int m_nDoneCommand;
    State m_eState = TS_IDLE;
    RIR::String m_sError;

    // Shared with the worker: the request is set before it starts, the response is written by it
    // before m_bFinished is raised and read only after.
    HttpRequest m_request;
    HttpResponse m_response;
    std::atomic<bool> m_bCancel{false};
    std::atomic<bool> m_bFinished{false};
    std::thread m_worker;
};

#endif
