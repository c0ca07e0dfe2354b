// The silent SWF timeline player standing in for the Flash control (see swfplayer.h).
#include "platform/flash/swfplayer.h"

#include "rir2/calltrace.h"

#include <strings.h>

SwfPlayer::SwfPlayer(const TickSource& fnTicks)
    : m_fnTicks(fnTicks), m_bLoaded(false), m_bPlaying(false), m_bTransparent(false),
      m_bEmbed(false), m_nBackgroundProperty(-1), m_nFrame(0), m_nBaseFrame(0), m_nBaseTick(0),
      m_nFramesToStop(-1)
{
}

void SwfPlayer::setWMode(const char* pszMode)
{
    m_bTransparent = pszMode && strcasecmp(pszMode, "transparent") == 0;
}

void SwfPlayer::setScaleMode(const char* /*pszMode*/)
{
    // The picture is the background colour only: every scale mode looks the same.
}

bool SwfPlayer::loadMovie(int /*nLayer*/, const char* pszPath)
{
    RIR_TRACE("SwfPlayer::loadMovie");
    m_bPlaying = false;
    m_bLoaded = loadSwf(pszPath, &m_movie);
    m_nFrame = 0;
    restartAt(0, true);
    return m_bLoaded;
}

void SwfPlayer::restartAt(int nFrame, bool bEntered)
{
    m_nBaseFrame = nFrame;
    m_nFrame = nFrame;
    m_nBaseTick = m_fnTicks ? m_fnTicks() : 0;
    m_nFramesToStop = -1;
    const int nTotal = m_movie.getTotalFrames();
    const int nStop = m_movie.m_nStopFrame;
    if (nStop < 0 || nStop >= nTotal)
        return;
    int nDistance = (nStop - nFrame + nTotal) % nTotal;
    if (nDistance == 0 && !bEntered)
        nDistance = nTotal; // leaving the stop frame: it stops again one round later
    m_nFramesToStop = nDistance;
}

void SwfPlayer::advance()
{
    if (!m_bLoaded || !m_bPlaying)
        return;
    const uint32_t nElapsed = (m_fnTicks ? m_fnTicks() : 0) - m_nBaseTick;
    const double dFrames = (double)nElapsed * (double)m_movie.m_fFrameRate / 1000.0;
    const int64_t nFrames = (int64_t)dFrames;
    if (m_nFramesToStop >= 0 && nFrames >= m_nFramesToStop)
    {
        m_nFrame = m_movie.m_nStopFrame;
        m_bPlaying = false;
        return;
    }
    m_nFrame = (int32_t)(((int64_t)m_nBaseFrame + nFrames) % m_movie.getTotalFrames());
}

void SwfPlayer::play()
{
    RIR_TRACE("SwfPlayer::play");
    advance();
    if (!m_bLoaded || m_bPlaying)
        return;
    m_bPlaying = true;
    restartAt(m_nFrame, false);
}

void SwfPlayer::stopPlay()
{
    RIR_TRACE("SwfPlayer::stopPlay");
    advance();
    m_bPlaying = false;
}

void SwfPlayer::rewind()
{
    RIR_TRACE("SwfPlayer::rewind");
    m_bPlaying = false;
    restartAt(0, true);
}

void SwfPlayer::gotoFrame(int nFrame)
{
    RIR_TRACE("SwfPlayer::gotoFrame");
    if (!m_bLoaded)
        return;
    const int nTotal = m_movie.getTotalFrames();
    nFrame = nFrame < 0 ? 0 : nFrame >= nTotal ? nTotal - 1 : nFrame;
    restartAt(nFrame, true);
    if (m_bPlaying && m_nFramesToStop == 0)
        m_bPlaying = false;
}

bool SwfPlayer::isPlaying()
{
    advance();
    return m_bPlaying;
}

int SwfPlayer::currentFrame(const char* /*pszTarget*/)
{
    advance();
    return m_nFrame;
}

double SwfPlayer::getPropertyAsNumber(const char* /*pszTarget*/, int nProperty)
{
    if (nProperty == PROPERTY_TOTAL_FRAMES && m_bLoaded)
        return (double)m_movie.getTotalFrames();
    return 0.0;
}

void SwfPlayer::gotoLabel(const char* /*pszTarget*/, const char* pszLabel)
{
    RIR_TRACE("SwfPlayer::gotoLabel");
    for (const SwfFrameLabel& label : m_movie.m_lLabels)
        if (label.m_sLabel == pszLabel)
        {
            gotoFrame(label.m_nFrame);
            return;
        }
}

RIR::String SwfPlayer::currentLabel(const char* /*pszTarget*/)
{
    advance();
    RIR::String sLabel;
    int nBest = -1;
    for (const SwfFrameLabel& label : m_movie.m_lLabels)
        if (label.m_nFrame <= m_nFrame && label.m_nFrame >= nBest)
        {
            nBest = label.m_nFrame;
            sLabel = label.m_sLabel;
        }
    return sLabel;
}

void SwfPlayer::draw(uint32_t* pPixels, int nWidth, int nHeight, int nPitch, int nAspect)
{
    RIR_TRACE("SwfPlayer::draw");
    if (!pPixels || nWidth <= 0 || nHeight <= 0)
        return;
    advance();
    uint32_t nRGB = m_movie.m_nBackground & 0xFFFFFF;
    if (!m_movie.m_bHasBackground && m_nBackgroundProperty >= 0)
        nRGB = (uint32_t)m_nBackgroundProperty & 0xFFFFFF;
    // In transparent mode the background is not painted opaque.
    const bool bClear = m_bTransparent && nAspect == DRAW_TRANSPARENT;
    const uint32_t nPixel = (bClear ? 0u : 0xFF000000u) | nRGB;
    for (int y = 0; y < nHeight; ++y)
    {
        uint32_t* pRow = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(pPixels) +
                                                     (size_t)y * (size_t)nPitch);
        for (int x = 0; x < nWidth; ++x)
            pRow[x] = nPixel;
    }
}
