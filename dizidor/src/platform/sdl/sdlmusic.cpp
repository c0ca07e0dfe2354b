#include "platform/sdl/sdlmusic.h"

#include "platform/sdl/sdlaudiodriver.h"
#include "platform/sdl/soundresources.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace
{

const char* const MUSIC_EXTENSIONS[] = {".ogg", ".wav", ".xm", nullptr};

} // namespace

SDLMusic* SDLMusic::s_pLastStarted = nullptr;

SDLMusic::SDLMusic() : m_pMusic(nullptr), m_pStream(nullptr), m_fVolume(1.0f)
{
    RIR_TRACE("SDLMusic::SDLMusic");
}

SDLMusic::SDLMusic(const char* pszName) : m_pMusic(nullptr), m_pStream(nullptr), m_fVolume(1.0f)
{
    RIR_TRACE("SDLMusic::SDLMusic");
    const char* sName = pszName;
    RIR_ASSERT(sName);
    RIR::setTraceParams(sName);
    // Made while audio is off: stays empty.
    if (!SDLAudioDriver::isMixerOpen())
        return;
    m_sName = pszName;
    RIR_TRACE_LINE();
    const RIR::String sFullName = resolveSoundResource(pszName, MUSIC_EXTENSIONS);
    if (sFullName.length() == 0)
        RIR_THROW(ResourceException,
                  RIR::String::format("SDLMusic::Music : Resource %s not found", pszName).c_str());
    RIR_TRACE_LINE();
    open(fetchSoundResource(sFullName.c_str()));
}

SDLMusic::SDLMusic(const char* pszName, const RIR::SmartPtr<RIR::Resource>& pResource)
    : m_pMusic(nullptr), m_pStream(nullptr), m_fVolume(1.0f)
{
    RIR_TRACE("SDLMusic::SDLMusic");
    const char* sName = pszName;
    RIR_ASSERT(sName);
    RIR::setTraceParams(sName);
    if (!SDLAudioDriver::isMixerOpen())
        return;
    m_sName = pszName;
    RIR_TRACE_LINE();
    open(pResource);
}

SDLMusic::~SDLMusic()
{
    RIR_TRACE("SDLMusic::~SDLMusic");
    if (m_pMusic)
    {
        // SDL_mixer waits for the fade-out of the music it frees to end, and a paused mixer never
        // ends it: a fading music of ours stops now instead.
        if (s_pLastStarted == this && SDLAudioDriver::isMixerOpen() &&
            Mix_FadingMusic() == MIX_FADING_OUT)
            Mix_HaltMusic();
        Mix_FreeMusic(m_pMusic);
        m_pMusic = nullptr;
    }
    // SDL_mixer does not take the stream over: it goes after the music that reads it.
    if (m_pStream)
        SDL_FreeRW(m_pStream);
    m_pStream = nullptr;
    m_pResource = nullptr;
    if (s_pLastStarted == this)
        s_pLastStarted = nullptr;
}

void SDLMusic::setVolume(float fVolume)
{
    RIR_TRACE("SDLMusic::setVolume");
    m_fVolume = fVolume;
}

void SDLMusic::open(const RIR::SmartPtr<RIR::Resource>& pResource)
{
    RIR_TRACE("SDLMusic::open");
    RIR_ASSERT(pResource);
    SDL_RWops* pStream = SDL_RWFromMem(pResource->getData(), pResource->getSize());
    if (!pStream)
        RIR_THROW(ResourceException,
                  RIR::String::format("SDLMusic::Music : Can't create RWOps for %s, size %d [%s]",
                                      m_sName.c_str(), pResource->getSize(), SDL_GetError())
                      .c_str());
    RIR_TRACE_LINE();
    Mix_Music* pMusic = Mix_LoadMUS_RW(pStream);
    if (!pMusic)
    {
        SDL_FreeRW(pStream);
        RIR_THROW(ResourceException, RIR::String::format("SDLMusic::Music : Can't load %s [%s]",
                                                         m_sName.c_str(), SDL_GetError())
                                         .c_str());
    }
    m_pMusic = pMusic;
    m_pStream = pStream;
    m_pResource = pResource;
}
