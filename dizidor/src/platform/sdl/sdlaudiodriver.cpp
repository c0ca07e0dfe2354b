#include "platform/sdl/sdlaudiodriver.h"

#include "app/log.h"
#include "app/resourceloaderimpl.h"
#include "platform/sdl/sdlmusic.h"
#include "platform/sdl/sdlsample.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace
{

const char* const SAMPLE_EXTENSIONS[] = {".ogg", ".wav", ".voc", nullptr};
const char* const MUSIC_EXTENSIONS[] = {".ogg", ".wav", ".xm", nullptr};

// The mixer's full volume.
const float MIX_FULL_VOLUME = (float)MIX_MAX_VOLUME;

template <class T> bool notNULL(const RIR::SmartPtr<T>& p)
{
    return !p.isNull();
}

int clampLevel(int nLevel)
{
    return nLevel < 0 ? 0 : nLevel > 255 ? 255 : nLevel;
}

} // namespace

SDLAudioDriver::SDLAudioDriver()
    : m_nFrequency(DEFAULT_FREQUENCY), m_nChunkSize(-1), m_fSoundVolume(1.0f), m_fMusicVolume(1.0f),
      m_fMusicOwnVolume(1.0f), m_bPaused(false), m_bMuted(false), m_bOpen(false),
      m_pSweepTimer(new Timer(SWEEP_PERIOD, 0)),
      m_hChannels(RIR::Hash<int, RIR::SmartPtr<Sample>>::DEFAULT_BUCKETS), m_bLoop(false),
      m_pSampleLoader(nullptr), m_pMusicLoader(nullptr)
{
    RIR_TRACE("SDLAudioDriver::SDLAudioDriver");
    m_pSampleLoader = new ResourceLoaderImpl<Sample, SDLSample>(SAMPLE_EXTENSIONS, this);
    m_pMusicLoader = new ResourceLoaderImpl<Music, SDLMusic>(MUSIC_EXTENSIONS, this);
}

SDLAudioDriver::~SDLAudioDriver()
{
    RIR_TRACE("SDLAudioDriver::~SDLAudioDriver");
    delete m_pSampleLoader;
    m_pSampleLoader = nullptr;
    delete m_pMusicLoader;
    m_pMusicLoader = nullptr;
    m_pCurrentMusic = nullptr;
    m_hChannels.clear();
    m_pSweepTimer = nullptr;
}

int SDLAudioDriver::chooseChunkSize() const
{
    if (m_nChunkSize > 0)
        return m_nChunkSize;
    return m_nFrequency == 22050 ? 2048 : 4096;
}

bool SDLAudioDriver::isMixerOpen()
{
    int nFrequency = 0;
    Uint16 nFormat = 0;
    int nChannels = 0;
    return Mix_QuerySpec(&nFrequency, &nFormat, &nChannels) != 0;
}

bool SDLAudioDriver::isChannelAccepted(int nChannel, bool bAllowAll) const
{
    if (nChannel == -1)
        return bAllowAll;
    return nChannel >= 0 && nChannel < Mix_AllocateChannels(-1);
}

bool SDLAudioDriver::init()
{
    RIR_TRACE("SDLAudioDriver::init");
    if (m_bOpen)
        return true;
    const int nChunk = chooseChunkSize();
    RIR_TRACE_LINE();
    if (Mix_OpenAudio(m_nFrequency, AUDIO_S16LSB, 2, nChunk) < 0)
    {
        logPrintf("A: Audio init failed : ");
        logPrintf("%s", SDL_GetError());
        logPrintf("\n");
        return false;
    }
    Mix_AllocateChannels(CHANNEL_COUNT);
    // The mixer starts at full volume everywhere; the stored volumes say so.
    m_fSoundVolume = 1.0f;
    m_fMusicVolume = 1.0f;
    m_fMusicOwnVolume = 1.0f;
    m_bOpen = true;
    return true;
}

void SDLAudioDriver::shutdown()
{
    RIR_TRACE("SDLAudioDriver::shutdown");
    endLifetime();
    if (!isAudioOK())
        return;
    RIR_TRACE_LINE();
    Mix_CloseAudio();
    m_bOpen = false;
}

void SDLAudioDriver::setMuted(bool bMuted)
{
    RIR_TRACE("SDLAudioDriver::setMuted");
    m_bMuted = bMuted;
}

int SDLAudioDriver::playSample(RIR::SmartPtr<Sample> pSample, bool bLoop, int nChannel)
{
    RIR_TRACE("SDLAudioDriver::playSample");
    if (m_bMuted || !isAudioOK())
        return -1;
    RIR_ASSERT(notNULL(pSample));
    if (!isChannelAccepted(nChannel, true))
        return -1;
    // A sample of another driver, or one loaded while audio was off, has no chunk; the mixer
    // refuses a null chunk.
    SDLSample* pSDLSample = dynamic_cast<SDLSample*>(pSample.get());
    RIR_TRACE_LINE();
    const int nUsed = Mix_PlayChannelTimed(nChannel, pSDLSample ? pSDLSample->getChunk() : nullptr,
                                           bLoop ? -1 : 0, -1);
    RIR_TRACE_LINE();
    setPaused(m_bPaused);
    // Also for -1: that entry goes at the next sweep.
    m_hChannels.set(nUsed, pSample);
    return nUsed;
}

void SDLAudioDriver::playMusic(RIR::SmartPtr<Music> pMusic, bool bLoop)
{
    RIR_TRACE("SDLAudioDriver::playMusic");
    if (m_bMuted || !isAudioOK())
        return;
    RIR_ASSERT(notNULL(pMusic));
    m_pCurrentMusic = pMusic;
    m_bLoop = bLoop;
    SDLMusic* pSDLMusic = dynamic_cast<SDLMusic*>(pMusic.get());
    RIR_TRACE_LINE();
    // Played once: the driver does the looping (restartLoopingMusic).
    if (pSDLMusic && pSDLMusic->getMixMusic())
        pSDLMusic->markStarted();
    Mix_PlayMusic(pSDLMusic ? pSDLMusic->getMixMusic() : nullptr, 0);
    m_fMusicOwnVolume = pMusic->getVolume();
    setMusicVolume(m_fMusicVolume);
    setPaused(m_bPaused);
}

void SDLAudioDriver::setMusicPosition(float fSeconds)
{
    RIR_TRACE("SDLAudioDriver::setMusicPosition");
    if (isMusicPlaying())
        Mix_SetMusicPosition(fSeconds);
}

void SDLAudioDriver::setSoundVolume(float fVolume)
{
    RIR_TRACE("SDLAudioDriver::setSoundVolume");
    m_fSoundVolume = fVolume;
    if (isAudioOK())
        Mix_Volume(-1, (int)(fVolume * MIX_FULL_VOLUME));
}

void SDLAudioDriver::setMusicVolume(float fVolume)
{
    RIR_TRACE("SDLAudioDriver::setMusicVolume");
    m_fMusicVolume = fVolume;
    if (isAudioOK())
        Mix_VolumeMusic((int)(fVolume * m_fMusicOwnVolume * MIX_FULL_VOLUME));
}

void SDLAudioDriver::setPanning(int nChannel, int nLeft, int nRight)
{
    RIR_TRACE("SDLAudioDriver::setPanning");
    if (!isAudioOK() || !isChannelAccepted(nChannel, false))
        return;
    Mix_SetPanning(nChannel, (Uint8)clampLevel(nLeft), (Uint8)clampLevel(nRight));
}

void SDLAudioDriver::setChannelPosition(int nChannel, float fAngle, float fDistance)
{
    RIR_TRACE("SDLAudioDriver::setChannelPosition");
    if (!isAudioOK() || !isChannelAccepted(nChannel, false))
        return;
    if (fDistance == 0.0f)
    {
        // Angle and distance 0 remove the effect.
        Mix_SetPosition(nChannel, 0, 0);
        return;
    }
    Mix_SetPosition(nChannel, (Sint16)(int)(90.0f - fAngle),
                    (Uint8)((int)(fDistance * 255.0f) & 0xFF));
}

RIR::String SDLAudioDriver::getChannelSampleName(int nChannel) const
{
    RIR_TRACE("SDLAudioDriver::getChannelSampleName");
    if (!m_hChannels.contains(nChannel))
        return RIR::String();
    const RIR::SmartPtr<Sample>& pSample = m_hChannels.get(nChannel);
    return pSample ? pSample->getName() : RIR::String();
}

bool SDLAudioDriver::isChannelPlaying(int nChannel) const
{
    RIR_TRACE("SDLAudioDriver::isChannelPlaying");
    if (!isAudioOK() || nChannel < 0)
        return false;
    return Mix_Playing(nChannel) != 0;
}

void SDLAudioDriver::stopChannel(int nChannel, float fFade)
{
    RIR_TRACE("SDLAudioDriver::stopChannel");
    if (!isAudioOK() || !isChannelAccepted(nChannel, true))
        return;
    RIR_TRACE_LINE();
    if (fFade > 0.0f)
        Mix_FadeOutChannel(nChannel, (int)(fFade * 1000.0f));
    else
        Mix_HaltChannel(nChannel);
    forgetChannel(nChannel);
}

void SDLAudioDriver::pauseChannel(int nChannel)
{
    RIR_TRACE("SDLAudioDriver::pauseChannel");
    if (isAudioOK() && isChannelAccepted(nChannel, true))
        Mix_Pause(nChannel);
}

void SDLAudioDriver::resumeChannel(int nChannel)
{
    RIR_TRACE("SDLAudioDriver::resumeChannel");
    // The mixer walks its channel table, which a closed mixer no longer has.
    if (isAudioOK() && isChannelAccepted(nChannel, true))
        Mix_Resume(nChannel);
}

bool SDLAudioDriver::isMusicPlaying() const
{
    RIR_TRACE("SDLAudioDriver::isMusicPlaying");
    return isAudioOK() && Mix_PlayingMusic() != 0;
}

void SDLAudioDriver::fadeOutMusic(float fFade)
{
    RIR_TRACE("SDLAudioDriver::fadeOutMusic");
    if (!isAudioOK())
        return;
    m_bLoop = false;
    m_pCurrentMusic = nullptr;
    RIR_TRACE_LINE();
    if (fFade > 0.0f)
        Mix_FadeOutMusic((int)(fFade * 1000.0f));
    else
        Mix_HaltMusic();
}

void SDLAudioDriver::pauseMusic()
{
    RIR_TRACE("SDLAudioDriver::pauseMusic");
    if (isAudioOK())
        Mix_PauseMusic();
}

void SDLAudioDriver::resumeMusic()
{
    RIR_TRACE("SDLAudioDriver::resumeMusic");
    if (isAudioOK())
        Mix_ResumeMusic();
}

void SDLAudioDriver::setPaused(bool bPaused)
{
    RIR_TRACE("SDLAudioDriver::setPaused");
    m_bPaused = bPaused;
    if (!isAudioOK())
        return;
    if (bPaused)
    {
        pauseMusic();
        pauseChannel(-1);
    }
    else
    {
        resumeMusic();
        resumeChannel(-1);
    }
}

void SDLAudioDriver::update(float fDt)
{
    RIR_TRACE("SDLAudioDriver::update");
    IAudioDriver::update(fDt);
    RIR_TRACE_LINE();
    restartLoopingMusic();
    if (!m_pSweepTimer->advance(fDt))
        return;
    m_pSweepTimer->wrap();
    RIR_TRACE_LINE();
    const RIR::List<int> lChannels = m_hChannels.keys();
    for (int i = 0; i < lChannels.getLength(); ++i)
    {
        const int nChannel = lChannels.get(i);
        if (!isChannelPlaying(nChannel))
            forgetChannel(nChannel);
    }
}

void SDLAudioDriver::forgetChannel(int nChannel)
{
    RIR_TRACE("SDLAudioDriver::forgetChannel");
    if (m_hChannels.contains(nChannel))
        m_hChannels.remove(nChannel);
}

void SDLAudioDriver::restartLoopingMusic()
{
    RIR_TRACE("SDLAudioDriver::restartLoopingMusic");
    if (!isMusicPlaying() && m_bLoop && m_pCurrentMusic)
    {
        RIR_TRACE_LINE();
        // A copy: playMusic replaces the member it is given.
        RIR::SmartPtr<Music> pMusic = m_pCurrentMusic;
        playMusic(pMusic, true);
    }
}
