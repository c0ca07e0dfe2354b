// The loopback HTTP server of the transfer tests (see loopbackhttpserver.h): one poll loop over
// the listening socket and the open connections, woken every 20 ms to look at the stop flag.
#include "loopbackhttpserver.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace
{

const int POLL_MS = 20;

sockaddr_in loopbackAddress(int nPort)
{
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons((uint16_t)nPort);
    return addr;
}

// A socket bound to 127.0.0.1 on a port the kernel picks; its port goes to nPort.
int bindFreePort(int& nPort)
{
    const int nFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (nFd < 0)
        return -1;
    sockaddr_in addr = loopbackAddress(0);
    socklen_t nLen = sizeof(addr);
    if (bind(nFd, (sockaddr*)&addr, sizeof(addr)) != 0 ||
        getsockname(nFd, (sockaddr*)&addr, &nLen) != 0)
    {
        close(nFd);
        return -1;
    }
    nPort = ntohs(addr.sin_port);
    return nFd;
}

void sendAll(int nFd, const std::string& sData)
{
    size_t nSent = 0;
    while (nSent < sData.size())
    {
        const ssize_t n = send(nFd, sData.data() + nSent, sData.size() - nSent, MSG_NOSIGNAL);
        if (n <= 0)
            return; // the client went away: nothing more to tell it
        nSent += (size_t)n;
    }
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer()
{
    m_nListenFd = bindFreePort(m_nPort);
    if (m_nListenFd < 0 || listen(m_nListenFd, 8) != 0)
    {
        ADD_FAILURE() << "the loopback server cannot listen: " << std::strerror(errno);
        if (m_nListenFd >= 0)
            close(m_nListenFd);
        throw std::runtime_error("loopback server");
    }
    m_thread = std::thread(&LoopbackHttpServer::serve, this);
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    m_bStop = true;
    m_thread.join();
    close(m_nListenFd);
}

void LoopbackHttpServer::setReply(int nStatus, const std::string& sBody)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bSilent = false;
    m_nStatus = nStatus;
    m_sBody = sBody;
}

void LoopbackHttpServer::setSilent()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bSilent = true;
}

std::string LoopbackHttpServer::url(const std::string& sPath) const
{
    return "http://127.0.0.1:" + std::to_string(m_nPort) + sPath;
}

std::vector<LoopbackHttpServer::Request> LoopbackHttpServer::requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

int LoopbackHttpServer::closedLoopbackPort()
{
    int nPort = 0;
    const int nFd = bindFreePort(nPort);
    if (nFd < 0)
    {
        ADD_FAILURE() << "no free loopback port";
        return 1;
    }
    close(nFd); // bound but never listening, and now closed: connections are refused
    return nPort;
}

bool LoopbackHttpServer::parseRequest(const std::string& sIn, Request& request)
{
    const size_t nHeadEnd = sIn.find("\r\n\r\n");
    if (nHeadEnd == std::string::npos)
        return false;
    const std::string sHead = sIn.substr(0, nHeadEnd);
    const size_t nSp1 = sHead.find(' ');
    const size_t nSp2 = sHead.find(' ', nSp1 + 1);
    if (nSp1 == std::string::npos || nSp2 == std::string::npos)
        return false;
    request.sMethod = sHead.substr(0, nSp1);
    request.sTarget = sHead.substr(nSp1 + 1, nSp2 - nSp1 - 1);

    size_t nBody = 0;
    std::string sLower = sHead;
    for (char& c : sLower)
        c = (char)std::tolower((unsigned char)c);
    const size_t nLenAt = sLower.find("\r\ncontent-length:");
    if (nLenAt != std::string::npos)
        nBody = (size_t)std::strtoul(sHead.c_str() + nLenAt + 17, nullptr, 10);
    if (sIn.size() < nHeadEnd + 4 + nBody)
        return false;
    request.sBody = sIn.substr(nHeadEnd + 4, nBody);
    return true;
}

void LoopbackHttpServer::answer(Connection& c)
{
    int nStatus = 0;
    std::string sBody;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_bSilent)
            return;
        nStatus = m_nStatus;
        sBody = m_sBody;
    }
    const std::string sHead = "HTTP/1.1 " + std::to_string(nStatus) + " Scripted\r\n" +
                              "Content-Type: text/plain\r\n" +
                              "Content-Length: " + std::to_string(sBody.size()) + "\r\n" +
                              "Connection: close\r\n\r\n";
    sendAll(c.nFd, sHead + sBody);
    shutdown(c.nFd, SHUT_WR);
}

void LoopbackHttpServer::serve()
{
    std::vector<Connection> connections;
    while (!m_bStop)
    {
        std::vector<pollfd> fds;
        fds.push_back({m_nListenFd, POLLIN, 0});
        for (const Connection& c : connections)
            fds.push_back({c.nFd, POLLIN, 0});
        if (poll(fds.data(), fds.size(), POLL_MS) <= 0)
            continue;

        if (fds[0].revents & POLLIN)
        {
            const int nFd = accept4(m_nListenFd, nullptr, nullptr, SOCK_CLOEXEC);
            if (nFd >= 0)
            {
                timeval tv = {2, 0}; // a client that stops reading cannot hold the thread
                setsockopt(nFd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof(tv));
                connections.push_back({nFd, std::string(), false});
            }
        }
        for (size_t i = 1; i < fds.size(); ++i)
        {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            Connection& c = connections[i - 1];
            char buf[4096];
            const ssize_t n = recv(c.nFd, buf, sizeof(buf), 0);
            if (n <= 0)
            {
                close(c.nFd);
                c.nFd = -1;
                continue;
            }
            c.sIn.append(buf, (size_t)n);
            Request request;
            if (!c.bAnswered && parseRequest(c.sIn, request))
            {
                c.bAnswered = true;
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_requests.push_back(request);
                }
                answer(c);
            }
        }
        std::vector<Connection> open;
        for (const Connection& c : connections)
            if (c.nFd >= 0)
                open.push_back(c);
        connections.swap(open);
    }
    for (const Connection& c : connections)
        close(c.nFd);
}
