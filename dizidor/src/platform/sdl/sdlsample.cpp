#include "platform/sdl/sdlsample.h"

#include "platform/sdl/sdlaudiodriver.h"
#include "platform/sdl/soundresources.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace
{

const char* const SAMPLE_EXTENSIONS[] = {".ogg", ".wav", ".voc", nullptr};

} // namespace

SDLSample::SDLSample() : m_pChunk(nullptr)
{
    RIR_TRACE("SDLSample::SDLSample");
}

SDLSample::SDLSample(const char* pszName) : m_pChunk(nullptr)
{
    RIR_TRACE("SDLSample::SDLSample");
    const char* sName = pszName;
    RIR_ASSERT(sName);
    RIR::setTraceParams((RIR::String("[") + sName + "]").c_str());
    // Made while audio is off: stays empty.
    if (!SDLAudioDriver::isMixerOpen())
        return;
    m_sName = pszName;
    RIR_TRACE_LINE();
    const RIR::String sFullName = resolveSoundResource(pszName, SAMPLE_EXTENSIONS);
    if (sFullName.length() == 0)
        RIR_THROW(ResourceException,
                  RIR::String::format("SDLSample::Sample : Resource %s not found [%s]", pszName,
                                      SDL_GetError())
                      .c_str());
    RIR_TRACE_LINE();
    decode(fetchSoundResource(sFullName.c_str()));
}

SDLSample::SDLSample(const char* pszName, const RIR::SmartPtr<RIR::Resource>& pResource)
    : m_pChunk(nullptr)
{
    RIR_TRACE("SDLSample::SDLSample");
    const char* sName = pszName;
    RIR_ASSERT(sName);
    RIR::setTraceParams((RIR::String("[") + sName + "]").c_str());
    // Made while audio is off: stays empty.
    if (!SDLAudioDriver::isMixerOpen())
        return;
    m_sName = pszName;
    RIR_TRACE_LINE();
    decode(pResource);
}

SDLSample::~SDLSample()
{
    RIR_TRACE("SDLSample::~SDLSample");
    if (m_pChunk)
        Mix_FreeChunk(m_pChunk);
    m_pChunk = nullptr;
}

void SDLSample::decode(const RIR::SmartPtr<RIR::Resource>& pResource)
{
    RIR_TRACE("SDLSample::decode");
    RIR_ASSERT(pResource);
    SDL_RWops* pStream = SDL_RWFromMem(pResource->getData(), pResource->getSize());
    if (!pStream)
        RIR_THROW(ResourceException,
                  RIR::String::format("SDLSample::Sample : Can't create RWOps for %s, size %d [%s]",
                                      m_sName.c_str(), pResource->getSize(), SDL_GetError())
                      .c_str());
    RIR_TRACE_LINE();
    m_pChunk = Mix_LoadWAV_RW(pStream, 0);
    SDL_FreeRW(pStream);
    if (!m_pChunk)
        RIR_THROW(ResourceException, RIR::String::format("SDLSample::Sample : Can't load %s [%s]",
                                                         m_sName.c_str(), SDL_GetError())
                                         .c_str());
}

float SDLSample::getVolume() const
{
    RIR_TRACE("SDLSample::getVolume");
    if (!m_pChunk)
        return 0.0f;
    return Mix_VolumeChunk(m_pChunk, -1) / (float)MIX_MAX_VOLUME;
}

void SDLSample::setVolume(float fVolume)
{
    RIR_TRACE("SDLSample::setVolume");
    if (m_pChunk)
        Mix_VolumeChunk(m_pChunk, (int)(fVolume * MIX_MAX_VOLUME));
}
