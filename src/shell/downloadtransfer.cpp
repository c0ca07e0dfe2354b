// The transfer of a download dialog (see downloadtransfer.h). run is the worker's only code: it
// calls the client and publishes the response; everything else runs on the main thread.
#include "shell/downloadtransfer.h"

#include "app/log.h"
#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <strings.h>

namespace
{

bool isHttpAddress(const char* pszRequest)
{
    return strncasecmp(pszRequest, "http://", 7) == 0 || strncasecmp(pszRequest, "https://", 8) == 0;
}

} // namespace

DownloadTransfer::DownloadTransfer(IHttpClient& client, IDownloadReceiver& dialog,
                                   ICallbackTarget* pOwner, int nDoneCommand)
    : m_pClient(&client)
    , m_pDialog(&dialog)
    , m_pOwner(pOwner)
    , m_nDoneCommand(nDoneCommand)
{
}

DownloadTransfer::~DownloadTransfer()
{
    RIR_TRACE("DownloadTransfer::~DownloadTransfer");
    cancel();
}

void DownloadTransfer::start(const RIR::String& sRequest, const char* pszExtra)
{
    RIR_TRACE("DownloadTransfer::start");
    RIR_ASSERT(m_eState == TS_IDLE);
    m_eState = TS_RUNNING;
    if (!isHttpAddress(sRequest.c_str()))
    {
        // No service address: fail at the next update, without a worker.
        m_response.eOutcome = HttpResponse::HTTP_FAILED;
        m_response.sError = sRequest.length() == 0 || sRequest.c_str()[0] == '?'
                                ? "no service address is set"
                                : "the address is not an http or https address";
        m_bFinished = true;
        return;
    }
    m_request.sURL = sRequest.c_str();
    m_request.bPost = pszExtra != nullptr && pszExtra[0] != 0;
    if (m_request.bPost)
        m_request.sBody = pszExtra;
    m_worker = std::thread(&DownloadTransfer::run, this);
}

void DownloadTransfer::run()
{
    m_response = m_pClient->fetch(m_request, m_bCancel);
    m_bFinished = true;
}

void DownloadTransfer::join()
{
    if (m_worker.joinable())
        m_worker.join();
}

void DownloadTransfer::update()
{
    RIR_TRACE("DownloadTransfer::update");
    if (m_eState != TS_RUNNING || !m_bFinished)
        return;
    join();
    m_eState = TS_HANDED_OVER;
    if (m_response.eOutcome == HttpResponse::HTTP_OK)
    {
        logPrintf("W: Download done : %d bytes\n", (int)m_response.sBody.size());
        m_pDialog->setDownloadResult(
            RIR::String(m_response.sBody.data(), (int)m_response.sBody.size()));
        m_pDialog->setDownloadDone();
        if (m_pOwner != nullptr)
            m_pOwner->onCallback(m_nDoneCommand, 0);
        return;
    }
    m_sError = m_response.eOutcome == HttpResponse::HTTP_CANCELLED ? "cancelled"
                                                                    : m_response.sError.c_str();
    logPrintf("W: Download failed : %s\n", m_sError.c_str());
    m_pDialog->onCallback(0, 0);
}

void DownloadTransfer::cancel()
{
    RIR_TRACE("DownloadTransfer::cancel");
    if (m_eState != TS_RUNNING)
        return; // a worker exists only while running
    m_bCancel = true;
    join();
    m_eState = TS_CANCELLED;
}
