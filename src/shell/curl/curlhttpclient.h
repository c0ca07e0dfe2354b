// CurlHttpClient: the HTTP back-end on libcurl. Only this folder sees curl's headers; the game
// talks to it through IHttpClient (shell/httpclient.h).
//
// Each fetch runs its own transfer on curl's multi interface, polled in short slices so that a
// raised cancel flag ends it promptly even while connecting or while the server stays silent.
// Only http and https are spoken (redirects too, at most three). A transfer fails when the
// connection is not made within the connect time, when less than one byte a second arrives for
// the stall time, when the whole exchange takes longer than the total time, when the status is
// not 2xx, or when the reply grows past the size limit.
#ifndef DBD_SHELL_CURL_CURLHTTPCLIENT_H
#define DBD_SHELL_CURL_CURLHTTPCLIENT_H

#include "shell/httpclient.h"

#include <cstddef>

class CurlHttpClient : public IHttpClient
{
public:
    struct Limits
    {
        long nConnectSeconds = 20;
        long nStallSeconds = 60;
        long nTotalSeconds = 180;
        size_t nMaxReplyBytes = 1 << 20;
    };

    // Sets libcurl up for the process on first use (main thread). Raises FatalErrorException
    // when libcurl cannot be initialised.
    CurlHttpClient();
    explicit CurlHttpClient(const Limits& limits);

    HttpResponse fetch(const HttpRequest& request, const std::atomic<bool>& bCancel) override;

private:
    Limits m_limits;
};

#endif
