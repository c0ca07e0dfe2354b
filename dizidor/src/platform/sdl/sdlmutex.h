// SDLMutexImpl: the lock behind the application's portable Mutex, on an SDL mutex.
//
// SDLPlatform::createMutexImpl makes one for each Mutex that asks; the Mutex owns and deletes it.
// The SDL mutex is made with the object and destroyed with it; SDL need not be started for it.
// Locking and unlocking may happen on any thread (they leave no call-trace entry).
#ifndef DIZIDOR_PLATFORM_SDL_SDLMUTEX_H
#define DIZIDOR_PLATFORM_SDL_SDLMUTEX_H

#include "app/mutex.h"

struct SDL_mutex;

class SDLMutexImpl : public MutexImpl
{
public:
    // Raises AssertFailException "Assertion failed : m_pMutex" when SDL cannot make the mutex.
    SDLMutexImpl();
    // Destroys the SDL mutex; it must not be held.
    ~SDLMutexImpl() override;

    // Waits for the lock; 0 when taken, -1 on an error.
    int lock() override;
    // 0 when given back, -1 on an error.
    int unlock() override;

private:
    SDLMutexImpl(const SDLMutexImpl&) = delete;
    SDLMutexImpl& operator=(const SDLMutexImpl&) = delete;

    SDL_mutex* m_pMutex;
};

#endif
