// The Theora movie player's sound: set-up against the open mixer, decoding into the queue, the
// post-mix hook and the teardown (see sdltheoravideo.h).
#include "platform/theora/sdltheoravideo.h"

#include "app/gameapp.h"
#include "app/log.h"
#include "platform/theora/oggmoviedecoder.h"

#include "rir2/calltrace.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace
{

// The video whose hook is installed; only one hook exists per mixer.
SDLTheoraVideo* s_pHookOwner = nullptr;

void mixAudio(uint8_t* pDst, const uint8_t* pSrc, uint32_t nLen, int nVolume)
{
    SDL_MixAudio(pDst, pSrc, nLen, nVolume);
}

} // namespace

SDLTheoraVideo::~SDLTheoraVideo()
{
    if (m_bOpen)
    {
        m_bStopping = true;
        SDL_LockAudio();
        if (m_bHookInstalled && s_pHookOwner == this)
        {
            Mix_SetPostMix(nullptr, nullptr);
            s_pHookOwner = nullptr;
        }
        m_queue.clear();
        SDL_UnlockAudio();
    }
    delete m_pDecoder;
    m_pStream = nullptr;
}

void SDLTheoraVideo::setUpSound()
{
    RIR_TRACE("SDLTheoraVideo::setUpSound");
    m_bSound = false;
    if (!m_pDecoder->hasVorbis())
        return;
    const GameApp* pApp = GameApp::getInstance();
    if (!pApp || !pApp->isAudioOK())
        return;
    // The mixer's format is known only while it is open.
    int nFrequency = 0;
    Uint16 nFormat = 0;
    int nChannels = 0;
    if (Mix_QuerySpec(&nFrequency, &nFormat, &nChannels) == 0 || nFrequency <= 0 ||
        nChannels <= 0)
        return;
    if (nFormat != AUDIO_S16LSB)
    {
        // The queue holds signed 16-bit samples only.
        logPrintf("A: Movie sound needs 16-bit output, the mixer has 0x%04X: silent\n",
                  (unsigned)nFormat);
        return;
    }
    const int nRate = m_pDecoder->getRate();
    const int nSourceChannels = m_pDecoder->getChannels();
    if (nRate <= 0 || nSourceChannels <= 0)
        return;
    m_nMixBytesPerSec = nFrequency * nChannels * 2;
    m_nAudioBytesPerSec = nRate * nSourceChannels * 2;
    const bool bSame = nRate == nFrequency && nSourceChannels == nChannels;
    m_queue.configure(!bSame, bSame ? 1.0f : (float)nRate / (float)nFrequency, nSourceChannels,
                      nChannels);
    m_bSound = true;
    SDL_LockAudio();
    s_pHookOwner = this;
    SDL_UnlockAudio();
    Mix_SetPostMix(&SDLTheoraVideo::postMix, this);
    m_bHookInstalled = true;
}

void SDLTheoraVideo::decodeSound(float fTarget)
{
    while (m_fAudioTime < fTarget)
    {
        float** ppfPcm = nullptr;
        const int nSamples = m_pDecoder->peekSamples(&ppfPcm);
        if (nSamples <= 0)
        {
            if (!m_pDecoder->decodeAudioPacket())
                break;
            continue;
        }
        const int nChannels = m_pDecoder->getChannels();
        const int nBytes = nSamples * nChannels * 2;
        m_fAudioTime += (float)nBytes / (float)m_nAudioBytesPerSec;
        if (m_fAudioTime >= m_fAudioClock.load())
        {
            // Sound wholly before the played position is dropped.
            SDLTHAudio* pAudio = new SDLTHAudio(nSamples * nChannels);
            const float fScale = m_fVolume * 32767.0f;
            int16_t* pnOut = pAudio->m_pnData;
            for (int i = 0; i < nSamples; ++i)
                for (int c = 0; c < nChannels; ++c)
                {
                    int nValue = (int)(ppfPcm[c][i] * fScale);
                    nValue = nValue > 32767 ? 32767 : nValue < -32768 ? -32768 : nValue;
                    *pnOut++ = (int16_t)nValue;
                }
            SDL_LockAudio();
            m_queue.append(pAudio);
            SDL_UnlockAudio();
        }
        m_pDecoder->consumeSamples(nSamples);
    }
}

void SDLTheoraVideo::postMix(void* pUser, uint8_t* pStream, int nLen)
{
    SDLTheoraVideo* pVideo = static_cast<SDLTheoraVideo*>(pUser);
    if (!pVideo || !pVideo->m_bPlaying || pVideo->m_bStopping || nLen <= 0)
        return;
    pVideo->m_fAudioClock =
        pVideo->m_fAudioClock.load() + (float)nLen / (float)pVideo->m_nMixBytesPerSec;
    pVideo->m_queue.fill(pStream, nLen, pVideo->m_bReplaceMixerOutput, &mixAudio,
                         &pVideo->m_bStopping);
}
