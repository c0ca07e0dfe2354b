// LoopbackHttpServer: a tiny HTTP server on 127.0.0.1 for the transfer tests, on a free port the
// kernel picks, served by a thread of its own until the server object goes.
//
// It reads each request (head and Content-Length body), records it, and then either answers with
// the scripted status and body and closes, or (silent) keeps the connection open and never
// answers. closedLoopbackPort gives a port nothing listens on, for refused connections.
#ifndef DBD_TESTS_SHELL_KIT_LOOPBACKHTTPSERVER_H
#define DBD_TESTS_SHELL_KIT_LOOPBACKHTTPSERVER_H

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer
{
public:
    struct Request
    {
        std::string sMethod; // "GET", "POST"
        std::string sTarget; // path and query, as sent
        std::string sBody;
    };

    // Listens at once; fails the running test (and throws std::runtime_error) when it cannot.
    LoopbackHttpServer();
    // Stops the thread and closes every connection.
    ~LoopbackHttpServer();

    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // Answers the next requests with this status and body (the default: 200 and "").
    void setReply(int nStatus, const std::string& sBody);
    // Reads the next requests and never answers them.
    void setSilent();

    int port() const { return m_nPort; }
    // "http://127.0.0.1:<port>" followed by sPath.
    std::string url(const std::string& sPath) const;
    // The requests read so far.
    std::vector<Request> requests() const;

    // A port on 127.0.0.1 that was free a moment ago and has no listener.
    static int closedLoopbackPort();

private:
    struct Connection
    {
        int nFd;
        std::string sIn;
        bool bAnswered = false;
    };

    void serve();
    // True when sIn holds a whole request; fills request.
    static bool parseRequest(const std::string& sIn, Request& request);
    void answer(Connection& c);

    int m_nListenFd = -1;
    int m_nPort = 0;
    std::atomic<bool> m_bStop{false};
    mutable std::mutex m_mutex; // guards the fields below
    bool m_bSilent = false;
    int m_nStatus = 200;
    std::string m_sBody;
    std::vector<Request> m_requests;
    std::thread m_thread;
};

#endif
