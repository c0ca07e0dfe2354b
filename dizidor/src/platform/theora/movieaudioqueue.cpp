// The movie sound queue and its resampler (see movieaudioqueue.h).
#include "platform/theora/movieaudioqueue.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

#include <cstring>

SDLTHAudio::SDLTHAudio(int nSamples)
    : m_pnData(new int16_t[nSamples > 0 ? nSamples : 1]),
      m_pbNext(reinterpret_cast<uint8_t*>(m_pnData)), m_nLeft(nSamples > 0 ? nSamples * 2 : 0)
{
}

SDLTHAudio::~SDLTHAudio()
{
    delete[] m_pnData;
}

MovieAudioQueue::MovieAudioQueue()
    : m_bConvert(false), m_fRatio(1.0f), m_fCarry(0.0f), m_nSourceChannels(1),
      m_nMixerChannels(1)
{
}

MovieAudioQueue::~MovieAudioQueue()
{
    clear();
}

void MovieAudioQueue::configure(bool bConvert, float fRatio, int nSourceChannels,
                                int nMixerChannels)
{
    RIR_TRACE("MovieAudioQueue::configure");
    m_bConvert = bConvert;
    m_fRatio = fRatio > 0.0f ? fRatio : 1.0f;
    m_fCarry = 0.0f;
    m_nSourceChannels = nSourceChannels > 0 ? nSourceChannels : 1;
    m_nMixerChannels = nMixerChannels > 0 ? nMixerChannels : 1;
}

void MovieAudioQueue::append(SDLTHAudio* pAudio)
{
    m_lAudio.append(pAudio);
}

void MovieAudioQueue::clear()
{
    m_lAudio.clearAndDelete();
    m_fCarry = 0.0f;
}

int MovieAudioQueue::resample(SDLTHAudio* pAudio, int nMax)
{
    const int nFramesLeft = pAudio->m_nLeft / (2 * m_nSourceChannels);
    const int16_t* pnSource = reinterpret_cast<const int16_t*>(pAudio->m_pbNext);
    int16_t* pnOut = reinterpret_cast<int16_t*>(m_abResample);
    const int nOutFrames = nMax / (2 * m_nMixerChannels);
    float fP = m_fCarry;
    int nMade = 0;
    while (nMade < nOutFrames)
    {
        const int nFrame = (int)fP;
        if (nFrame >= nFramesLeft)
            break;
        const int16_t* pnFrame = pnSource + nFrame * m_nSourceChannels;
        for (int c = 0; c < m_nMixerChannels; ++c)
            *pnOut++ = pnFrame[c < m_nSourceChannels ? c : m_nSourceChannels - 1];
        ++nMade;
        fP += m_fRatio;
    }
    int nUsed = (int)fP;
    if (nUsed >= nFramesLeft)
    {
        // The buffer is used up (a partial last frame with it).
        pAudio->m_pbNext += pAudio->m_nLeft;
        pAudio->m_nLeft = 0;
        m_fCarry = 0.0f;
    }
    else
    {
        pAudio->m_pbNext += nUsed * 2 * m_nSourceChannels;
        pAudio->m_nLeft -= nUsed * 2 * m_nSourceChannels;
        m_fCarry = fP - (float)nUsed;
    }
    return nMade * 2 * m_nMixerChannels;
}

int MovieAudioQueue::fill(uint8_t* pStream, int nLen, bool bReplace, MixFunction mix,
                          const volatile bool* pbStop)
{
    int nWritten = 0;
    while (nLen > 0 && !(pbStop && *pbStop) && m_lAudio.getLength() > 0)
    {
        SDLTHAudio* pAudio = m_lAudio.get(0);
        const uint8_t* pSource;
        int nCount;
        if (!m_bConvert)
        {
            nCount = nLen < pAudio->m_nLeft ? nLen : pAudio->m_nLeft;
            pSource = pAudio->m_pbNext;
            pAudio->m_pbNext += nCount;
            pAudio->m_nLeft -= nCount;
        }
        else
        {
            nCount = resample(pAudio, nLen < (int)RESAMPLE_BYTES ? nLen : (int)RESAMPLE_BYTES);
            pSource = m_abResample;
        }
        if (nCount > 0)
        {
            if (bReplace || !mix)
                std::memcpy(pStream, pSource, (size_t)nCount);
            else
                mix(pStream, pSource, (uint32_t)nCount, 128);
            pStream += nCount;
            nLen -= nCount;
            nWritten += nCount;
        }
        if (pAudio->m_nLeft <= 0)
        {
            delete pAudio;
            m_lAudio.removeAt(0);
        }
        else if (nCount == 0)
        {
            // Less than one output frame fits: the block is full.
            break;
        }
    }
    return nWritten;
}
