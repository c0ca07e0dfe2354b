// IHttpClient: one HTTP request carried to a server and its reply brought back, behind which a
// back-end does the work (the libcurl client in curl/, a scripted fake in the tests).
//
// A fetch blocks its thread until the reply is in, the transfer fails or the caller's cancel flag
// is raised. It is meant to run on a worker thread (DownloadTransfer), so it speaks std::string
// and touches neither the call trace, nor the log, nor RIR::String's formatting buffer, which
// belong to the main thread.
#ifndef DBD_SHELL_HTTPCLIENT_H
#define DBD_SHELL_HTTPCLIENT_H

#include <atomic>
#include <string>

// What to send: a GET of sURL, or a POST of sBody to it.
struct HttpRequest
{
    std::string sURL; // an "http://" or "https://" address with its query
    bool bPost = false;
    std::string sBody;
};

// What came back.
struct HttpResponse
{
    enum Outcome
    {
        HTTP_OK,       // a 2xx status and the whole body
        HTTP_FAILED,   // no connection, a time-out, another status, a reply too large, ...
        HTTP_CANCELLED // the caller's flag was raised first
    };
    Outcome eOutcome = HTTP_FAILED;
    long nStatus = 0;   // the server's status line, 0 when it never answered
    std::string sBody;  // the reply body (HTTP_OK only)
    std::string sError; // one line saying why (HTTP_FAILED only)
};

class IHttpClient
{
public:
    virtual ~IHttpClient() = default;

    // Carries the request and waits for the reply; never throws. Once bCancel is true it returns
    // HTTP_CANCELLED within a fraction of a second, whatever the server does. Calls on several
    // threads at once are allowed.
    virtual HttpResponse fetch(const HttpRequest& request, const std::atomic<bool>& bCancel) = 0;
};

#endif
