// IAppServices: what the driver interfaces ask of the running application.
//
// The music layer of IAudioDriver fetches music through the application's music cache, the
// resource loaders ask the application's resource lookup whether a name exists, and Mutex takes
// its implementation from the application's platform. They reach the one application through
// getAppServices, which answers null while no application exists (before it is made and after it
// is gone). The application object registers itself with setAppServices when it is constructed
// and clears the registration when it is destroyed; tests register a fake.
#ifndef DIZIDOR_APP_IAPPSERVICES_H
#define DIZIDOR_APP_IAPPSERVICES_H

#include "rir2/refcount.h"
#include "rir2/rirstring.h"

class IPlatform;
class Music;

class IAppServices
{
public:
    virtual ~IAppServices();

    // The installed platform, or null when none is installed yet.
    virtual IPlatform* getPlatform() = 0;
    // The shared music of that name from the application's music cache, loaded through the
    // active audio driver's music loader on a miss. A missing music raises the loader's error.
    virtual RIR::SmartPtr<Music> getMusic(const char* pszName) = 0;
    // The full name of the first existing resource among the name followed by each extension of
    // the null-terminated list ppszExtensions (null: the bare name), or "" when none exists.
    // Never throws for a missing name.
    virtual RIR::String resolveResourceName(const char* pszName,
                                            const char* const* ppszExtensions) = 0;
};

// The registered application, or null.
IAppServices* getAppServices();
// Registers pServices (null: none); returns the previous registration.
IAppServices* setAppServices(IAppServices* pServices);

#endif
