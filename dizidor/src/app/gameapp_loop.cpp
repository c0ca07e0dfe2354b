// GameApp's main loop, one frame and the frame timing.
//
// Tick values are the platform's unsigned millisecond clock kept in ints. It wraps after 2^32 ms
// (and the ints change sign after 2^31 ms, about 24.8 days), so times are only ever compared by
// their difference taken as a signed 32-bit value: a frame time that lies ahead stays ahead
// across the wrap, and the loop never waits for billions of milliseconds.
#include "app/gameapp.h"

#include "app/iplatform.h"
#include "app/ivideodriver.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list_impl.h"

#include <cstddef>
#include <cstdint>

namespace
{

// b - a in milliseconds, correct across the wrap of the clock as long as the two lie less than
// 2^31 ms apart.
inline int32_t tickDifference(int nFrom, int nTo)
{
    return (int32_t)((uint32_t)nTo - (uint32_t)nFrom);
}

inline int tickAdd(int nTicks, int nMs)
{
    return (int)(int32_t)((uint32_t)nTicks + (uint32_t)nMs);
}

} // namespace

int GameApp::run()
{
    RIR_TRACE("GameApp::run");
    onInit();
    RIR_ASSERT(getPlatform() != NULL);

    int nLastTime = getTicks();
    int nNextTime = tickAdd(nLastTime, m_nFrameDelay);
    while (!m_bQuit)
        stepFrame(&nLastTime, &nNextTime, false);

    RIR_TRACE_LINE();
    onExit();
    IVideoDriver* pVideo = getVideoDriver();
    if (pVideo)
    {
        pVideo->clear(Color(0, 0, 0, 255));
        pVideo->flip();
    }
    return m_nExitCode;
}

void GameApp::quit(int nExitCode)
{
    RIR_TRACE("GameApp::quit");
    m_nExitCode = nExitCode;
    m_bQuit = true;
}

void GameApp::stepFrame(int* pnLastTime, int* pnNextTime, bool bModal)
{
    RIR_TRACE("GameApp::stepFrame");
    RIR_ASSERT(m_pPlatform);

    int nNow = getTicks();
    const int32_t nWait = tickDifference(nNow, *pnNextTime);
    if (nWait > 0)
        m_pPlatform->delay((unsigned int)nWait);
    nNow = getTicks();
    const float fDt = (float)tickDifference(*pnLastTime, nNow) / 1000.0f;

    // The audio driver sees the real time: music and fades keep pace with the clock.
    if (m_bAudioOK)
        m_pAudioDriver->update(fDt);

    if (!m_bSkipUpdate && !m_lModes.isEmpty())
    {
        float fModeDt = fDt;
        bool bSkip = false;
        if (fDt > m_fMaxFrameTime)
        {
            if (m_eFrameTimePolicy == FTP_SKIP)
                bSkip = true;
            else if (m_eFrameTimePolicy == FTP_CLAMP)
                fModeDt = m_fMaxFrameTime;
        }
        if (!bSkip)
        {
            RIR_TRACE_LINE();
            updateModes(fModeDt);
        }
    }
    m_bSkipUpdate = false;

    RIR_TRACE_LINE();
    m_pPlatform->pumpEvents();

    // The counter grows by two per frame, around the drawing; its readers compare stamps only.
    // It wraps instead of overflowing.
    m_nFrameCount = (int32_t)((uint32_t)m_nFrameCount + 1u);
    if (m_bRender && !m_lModes.isEmpty())
    {
        RIR_TRACE_LINE();
        getVideoDriver()->renderFrame();
    }
    m_nFrameCount = (int32_t)((uint32_t)m_nFrameCount + 1u);

    // Measured from the end of this frame's wait: a late frame is not made up.
    *pnNextTime = tickAdd(nNow, m_nFrameDelay);
    *pnLastTime = nNow;

    if (!bModal)
        deleteEndedModes();
}

int GameApp::getTicks() const
{
    RIR_TRACE("GameApp::getTicks");
    RIR_ASSERT(m_pPlatform);
    return (int)m_pPlatform->getTicks();
}

void GameApp::setFPS(int nFPS)
{
    RIR_TRACE("GameApp::setFPS");
    m_nFPS = nFPS;
    m_nFrameDelay = nFPS > 0 ? 1000 / nFPS : 0;
}

void GameApp::setMaxFrameTime(float fSeconds, int nPolicy)
{
    RIR_TRACE("GameApp::setMaxFrameTime");
    m_fMaxFrameTime = fSeconds;
    m_eFrameTimePolicy = nPolicy;
}
