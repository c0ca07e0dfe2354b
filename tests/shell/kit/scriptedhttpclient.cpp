// The scripted HTTP client of the transfer tests (see scriptedhttpclient.h).
#include "scriptedhttpclient.h"

#include <chrono>

HttpResponse ScriptedHttpClient::okResponse()
{
    HttpResponse response;
    response.eOutcome = HttpResponse::HTTP_OK;
    response.nStatus = 200;
    return response;
}

void ScriptedHttpClient::setResponse(const HttpResponse& response)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_response = response;
}

void ScriptedHttpClient::hold()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bHeld = true;
}

void ScriptedHttpClient::release()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bHeld = false;
    }
    m_released.notify_all();
}

std::vector<HttpRequest> ScriptedHttpClient::requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

HttpResponse ScriptedHttpClient::fetch(const HttpRequest& request, const std::atomic<bool>& bCancel)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_requests.push_back(request);
    // The cancel flag has no way to wake us: look at it every few milliseconds, as a real client
    // looks at it between its waits for the network.
    while (m_bHeld && !bCancel)
        m_released.wait_for(lock, std::chrono::milliseconds(5));
    if (bCancel)
    {
        HttpResponse response;
        response.eOutcome = HttpResponse::HTTP_CANCELLED;
        return response;
    }
    return m_response;
}
