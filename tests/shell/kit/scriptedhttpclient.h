// ScriptedHttpClient: an IHttpClient without a network for the transfer tests. It records each
// request and answers with the scripted response, at once or (held) only once the test releases
// it; a held fetch that is cancelled returns HTTP_CANCELLED like a real client.
#ifndef DBD_TESTS_SHELL_KIT_SCRIPTEDHTTPCLIENT_H
#define DBD_TESTS_SHELL_KIT_SCRIPTEDHTTPCLIENT_H

#include "shell/httpclient.h"

#include <condition_variable>
#include <mutex>
#include <vector>

class ScriptedHttpClient : public IHttpClient
{
public:
    // The answer of the next fetches (the default: HTTP_OK, status 200, empty body).
    void setResponse(const HttpResponse& response);
    // From now on a fetch waits until release or its cancel flag.
    void hold();
    // Lets every held fetch answer.
    void release();
    // The requests fetched so far.
    std::vector<HttpRequest> requests() const;

    HttpResponse fetch(const HttpRequest& request, const std::atomic<bool>& bCancel) override;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    HttpResponse m_response = okResponse();
    bool m_bHeld = false;
    std::vector<HttpRequest> m_requests;

    static HttpResponse okResponse();
};

#endif
