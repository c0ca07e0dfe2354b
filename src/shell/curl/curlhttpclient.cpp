// The libcurl back-end of IHttpClient (see curlhttpclient.h). fetch runs on worker threads: it
// uses no call trace and no RIR::String, only its own curl handles and std::string.
#include "shell/curl/curlhttpclient.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <curl/curl.h>

#include <memory>

namespace
{

// How long one wait for network activity lasts before the cancel flag is looked at again.
const int POLL_SLICE_MS = 50;
const long MAX_REDIRECTS = 3;

struct EasyDeleter
{
    void operator()(CURL* p) const { curl_easy_cleanup(p); }
};
struct MultiDeleter
{
    void operator()(CURLM* p) const { curl_multi_cleanup(p); }
};

// The body as it arrives, refused once it would pass the limit.
struct BodySink
{
    std::string sBody;
    size_t nMaxBytes = 0;
    bool bTooLarge = false;
};

size_t writeBody(char* pData, size_t nSize, size_t nCount, void* pUser)
{
    BodySink* pSink = static_cast<BodySink*>(pUser);
    const size_t nBytes = nSize * nCount;
    if (pSink->sBody.size() + nBytes > pSink->nMaxBytes)
    {
        pSink->bTooLarge = true;
        return 0; // curl ends the transfer with a write error
    }
    pSink->sBody.append(pData, nBytes);
    return nBytes;
}

HttpResponse failed(const std::string& sError)
{
    HttpResponse response;
    response.eOutcome = HttpResponse::HTTP_FAILED;
    response.sError = sError;
    return response;
}

HttpResponse cancelled()
{
    HttpResponse response;
    response.eOutcome = HttpResponse::HTTP_CANCELLED;
    return response;
}

// The process-wide set-up, once; curl_global_init is not to race with other curl calls.
bool initCurlOnce()
{
    static const bool s_bReady = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return s_bReady;
}

} // namespace

CurlHttpClient::CurlHttpClient()
    : CurlHttpClient(Limits())
{
}

CurlHttpClient::CurlHttpClient(const Limits& limits)
    : m_limits(limits)
{
    RIR_TRACE("CurlHttpClient::CurlHttpClient");
    if (!initCurlOnce())
        RIR_THROW(FatalErrorException, "libcurl could not be initialised");
}

HttpResponse CurlHttpClient::fetch(const HttpRequest& request, const std::atomic<bool>& bCancel)
{
    if (bCancel)
        return cancelled();

    std::unique_ptr<CURL, EasyDeleter> pEasy(curl_easy_init());
    std::unique_ptr<CURLM, MultiDeleter> pMulti(curl_multi_init());
    if (!pEasy || !pMulti)
        return failed("libcurl could not make a transfer");

    BodySink sink;
    sink.nMaxBytes = m_limits.nMaxReplyBytes;
    char szError[CURL_ERROR_SIZE] = {};
    CURL* e = pEasy.get();
    curl_easy_setopt(e, CURLOPT_URL, request.sURL.c_str());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, MAX_REDIRECTS);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, m_limits.nConnectSeconds);
    curl_easy_setopt(e, CURLOPT_TIMEOUT, m_limits.nTotalSeconds);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, m_limits.nStallSeconds);
    curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, (curl_off_t)m_limits.nMaxReplyBytes);
    curl_easy_setopt(e, CURLOPT_USERAGENT, "DustbowlDolly");
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &writeBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, szError);
    if (request.bPost)
    {
        curl_easy_setopt(e, CURLOPT_POST, 1L);
        curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, (curl_off_t)request.sBody.size());
        curl_easy_setopt(e, CURLOPT_POSTFIELDS, request.sBody.data());
    }

    if (curl_multi_add_handle(pMulti.get(), e) != CURLM_OK)
        return failed("libcurl could not start the transfer");
    // Removes the easy handle from the multi handle on every way out, before both are freed.
    struct Detach
    {
        CURLM* pMulti;
        CURL* pEasy;
        ~Detach() { curl_multi_remove_handle(pMulti, pEasy); }
    } detach{pMulti.get(), e};

    for (;;)
    {
        int nRunning = 0;
        const CURLMcode mc = curl_multi_perform(pMulti.get(), &nRunning);
        if (mc != CURLM_OK)
            return failed(curl_multi_strerror(mc));
        if (nRunning == 0)
            break;
        if (bCancel)
            return cancelled();
        const CURLMcode pc = curl_multi_poll(pMulti.get(), nullptr, 0, POLL_SLICE_MS, nullptr);
        if (pc != CURLM_OK)
            return failed(curl_multi_strerror(pc));
        if (bCancel)
            return cancelled();
    }

    CURLcode result = CURLE_FAILED_INIT;
    int nLeft = 0;
    while (CURLMsg* pMsg = curl_multi_info_read(pMulti.get(), &nLeft))
    {
        if (pMsg->msg == CURLMSG_DONE && pMsg->easy_handle == e)
            result = pMsg->data.result;
    }

    long nStatus = 0;
    curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &nStatus);
    if (sink.bTooLarge || result == CURLE_FILESIZE_EXCEEDED)
    {
        HttpResponse response = failed("the reply is larger than " +
                                       std::to_string(m_limits.nMaxReplyBytes) + " bytes");
        response.nStatus = nStatus;
        return response;
    }
    if (result != CURLE_OK)
    {
        HttpResponse response = failed(szError[0] ? szError : curl_easy_strerror(result));
        response.nStatus = nStatus;
        return response;
    }
    if (nStatus < 200 || nStatus > 299)
    {
        HttpResponse response = failed("the server answered with status " + std::to_string(nStatus));
        response.nStatus = nStatus;
        return response;
    }

    HttpResponse response;
    response.eOutcome = HttpResponse::HTTP_OK;
    response.nStatus = nStatus;
    response.sBody.swap(sink.sBody);
    return response;
}
