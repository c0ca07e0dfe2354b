#include "platform/sdl/sdlmutex.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <SDL.h>

SDLMutexImpl::SDLMutexImpl() : m_pMutex(SDL_CreateMutex())
{
    RIR_TRACE("SDLMutexImpl::SDLMutexImpl");
    RIR_ASSERT(m_pMutex);
}

SDLMutexImpl::~SDLMutexImpl()
{
    RIR_TRACE("SDLMutexImpl::~SDLMutexImpl");
    if (m_pMutex)
        SDL_DestroyMutex(m_pMutex);
    m_pMutex = nullptr;
}

// lock and unlock run on whatever thread takes the lock, and the call trace belongs to the main
// thread: they leave no trace entry.
int SDLMutexImpl::lock()
{
    return SDL_mutexP(m_pMutex);
}

int SDLMutexImpl::unlock()
{
    return SDL_mutexV(m_pMutex);
}
