// The application's resource lookup as the SDL sound loaders use it.
//
// SDLSample and SDLMusic find the full name of a sound resource among the application's
// providers and fetch its bytes through these two functions.
#ifndef DIZIDOR_PLATFORM_SDL_SOUNDRESOURCES_H
#define DIZIDOR_PLATFORM_SDL_SOUNDRESOURCES_H

#include "rir2/refcount.h"
#include "rir2/resource.h"
#include "rir2/rirstring.h"

// The full name of the first existing resource among pszName followed by each extension of the
// null-terminated list; "" when none exists or no application is running. Never throws.
RIR::String resolveSoundResource(const char* pszName, const char* const* ppszExtensions);

// The resource of that full name from the application; null when it cannot be had.
RIR::SmartPtr<RIR::Resource> fetchSoundResource(const char* pszFullName);

#endif
