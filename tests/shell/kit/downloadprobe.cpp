// The recording sides of a download transfer (see downloadprobe.h).
#include "downloadprobe.h"

#include <chrono>
#include <thread>

void ProbeDownloadDialog::setDownloadResult(const RIR::String& sResult)
{
    m_sResult = sResult.c_str();
    m_events.push_back("result:" + m_sResult);
}

void ProbeDownloadDialog::setDownloadDone()
{
    m_bDone = true;
    m_events.push_back("done");
}

void ProbeDownloadDialog::onCallback(int nId, int nParam)
{
    m_events.push_back("dialog:" + std::to_string(nId) + "," + std::to_string(nParam));
    if (nId == 0)
        m_sStatus = "DownloadError";
}

void ProbeOwner::onCallback(int nId, int nParam)
{
    m_events.push_back("owner:" + std::to_string(nId) + "," + std::to_string(nParam));
    if (m_onCallback)
        m_onCallback(nId);
}

bool pumpTransfer(DownloadTransfer& transfer, const std::function<bool()>& done, int nTimeoutMs)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(nTimeoutMs);
    while (!done() && std::chrono::steady_clock::now() < until)
    {
        transfer.update();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
}
