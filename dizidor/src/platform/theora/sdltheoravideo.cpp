// The Theora movie player: clocks, pacing and the end of the movie (see sdltheoravideo.h). The
// sound path (set-up, the mixer hook) is in sdltheoravideo_sound.cpp.
#include "platform/theora/sdltheoravideo.h"

#include "app/gameapp.h"
#include "platform/theora/oggmoviedecoder.h"
#include "platform/theora/yuvconvert.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <SDL.h>

SDLTheoraVideo::SDLTheoraVideo()
    : m_bPlaying(false), m_fTime(0.0f), m_bFinished(false), m_nWidth(0), m_nHeight(0),
      m_bStopping(false), m_bOpen(false), m_pDecoder(nullptr), m_dFrameTime(0.0),
      m_bFrameReady(false), m_fAudioTime(0.0f), m_fAudioClock(0.0f), m_nMixBytesPerSec(0),
      m_nAudioBytesPerSec(0), m_bReplaceMixerOutput(false), m_fVolume(1.0f), m_bSound(false),
      m_bHookInstalled(false), m_nChromaRowDiv(2), m_bFullChroma(false), m_b420(true)
{
}

bool SDLTheoraVideo::open(const char* pszPath)
{
    RIR_TRACE("SDLTheoraVideo::open");
    RIR::setTraceParams(pszPath ? pszPath : "");
    if (m_bOpen || !RIR::fileExists(pszPath))
        return false;
    m_pStream = new RIR::File(pszPath, RIR::FOM_READ);
    m_bOpen = true;
    m_pDecoder = new OggMovieDecoder();
    m_pDecoder->open(m_pStream.get());

    switch (m_pDecoder->getPixelFormat())
    {
    case OggMovieDecoder::PF_422:
        m_b420 = false;
        m_nChromaRowDiv = 1;
        m_bFullChroma = false;
        break;
    case OggMovieDecoder::PF_444:
        m_b420 = false;
        m_nChromaRowDiv = 1;
        m_bFullChroma = true;
        break;
    default:
        // 4:2:0, and the reserved format laid out like it.
        m_b420 = true;
        m_nChromaRowDiv = 2;
        m_bFullChroma = false;
        break;
    }
    m_fTime = 0.0f;
    m_nWidth = m_pDecoder->getWidth();
    m_nHeight = m_pDecoder->getHeight();
    m_anPixels.assign((size_t)m_nWidth * (size_t)(m_nHeight + 1), 0u);
    m_fAudioTime = 0.0f;
    m_fAudioClock = 0.0f;
    setUpSound();
    return true;
}

void SDLTheoraVideo::notImplemented()
{
    RIR_TRACE("SDLTheoraVideo::notImplemented");
    RIR_THROW(FatalErrorException, "Not implemented");
}

bool SDLTheoraVideo::hasVideo() const
{
    return m_pDecoder && m_pDecoder->hasTheora();
}

int SDLTheoraVideo::getPostProcessingLevel() const
{
    return m_pDecoder ? m_pDecoder->getPostProcessingLevel() : 0;
}

float SDLTheoraVideo::getPosition()
{
    return m_bSound ? m_fAudioClock.load() : m_fTime;
}

void SDLTheoraVideo::seek(float fSeconds)
{
    RIR_TRACE("SDLTheoraVideo::seek");
    const float fDelta = fSeconds - getPosition();
    if (fDelta < 0.0f)
        RIR_THROW(FatalErrorException, "Theora : Backwards seek not implemented\n");
    SDL_LockAudio();
    m_fAudioClock = m_fAudioClock.load() + fDelta;
    m_queue.clear();
    SDL_UnlockAudio();
    m_fTime += fDelta;
}

void SDLTheoraVideo::decodeVideo(float fTarget)
{
    while (m_dFrameTime < (double)fTarget)
    {
        m_bFrameReady = false;
        double dTime = 0.0;
        const int nResult = m_pDecoder->decodeVideoPacket(&dTime);
        if (nResult < 0)
            break;
        if (nResult == 0)
            continue;
        m_dFrameTime = dTime;
        if (dTime >= (double)fTarget)
            m_bFrameReady = true;
        else
            m_pDecoder->lowerPostProcessing(); // late: passed over
    }
}

RIR::SmartPtr<Image> SDLTheoraVideo::convertReadyFrame()
{
    RIR_TRACE("SDLTheoraVideo::convertReadyFrame");
    YuvPlanes planes;
    m_pDecoder->getPlanes(&planes);
    if (!planes.m_pY || !planes.m_pU || !planes.m_pV)
        return RIR::SmartPtr<Image>();
    if (m_b420)
        convertFrame420(planes, m_anPixels.data(), m_nWidth, m_nHeight);
    else
        convertFrame(planes, m_anPixels.data(), m_nWidth, m_nHeight, m_nChromaRowDiv,
                     m_bFullChroma);
    GameApp* pApp = GameApp::getInstance();
    RIR_ASSERT(pApp);
    return pApp->createImageFromPixels(m_anPixels.data(), m_nWidth, m_nHeight, 32, m_nWidth * 4,
                                       0xff, 0xff00, 0xff0000, 0xff000000);
}

RIR::SmartPtr<Image> SDLTheoraVideo::update(float fDt)
{
    RIR_TRACE("SDLTheoraVideo::update");
    if (!m_pDecoder)
        return RIR::SmartPtr<Image>();
    m_fTime += fDt;
    const float fPosition = getPosition();
    const float fAudioTarget = fPosition + (float)AUDIO_LEAD_MS / 1000.0f;
    const float fVideoTarget = fPosition;
    m_bFinished = false;
    const bool bVideo = m_pDecoder->hasTheora();
    if (!bVideo && !m_bSound)
    {
        // Nothing to show or to hear.
        m_bFinished = true;
        return RIR::SmartPtr<Image>();
    }

    for (int nPass = 0; nPass < MAX_PASSES; ++nPass)
    {
        if (m_bSound)
            decodeSound(fAudioTarget);
        if (bVideo)
            decodeVideo(fVideoTarget);
        // Absent video and absent or silent sound have nothing to wait for.
        const bool bVideoMet = !bVideo || m_dFrameTime >= (double)fVideoTarget;
        const bool bAudioMet = !m_bSound || m_fAudioTime >= fAudioTarget;
        if (bVideoMet && bAudioMet)
            break;
        const int nRead = m_pDecoder->bufferData();
        const int nPages = m_pDecoder->queuePages();
        const bool bVideoEnded =
            !bVideo || (m_dFrameTime < (double)fVideoTarget && m_pDecoder->isVideoAtEnd());
        const bool bSoundEnded =
            !m_bSound || (m_pDecoder->isAudioAtEnd() && m_fAudioTime < fAudioTarget);
        if (bVideoEnded && bSoundEnded && nRead == 0 && nPages == 0)
        {
            m_bFinished = true;
            break;
        }
    }

    if (!m_bFrameReady)
        return RIR::SmartPtr<Image>();
    m_bFrameReady = false;
    return convertReadyFrame();
}
