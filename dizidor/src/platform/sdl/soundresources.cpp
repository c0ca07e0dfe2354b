#include "platform/sdl/soundresources.h"

#include "app/iappservices.h"

#include "rir2/calltrace.h"

RIR::String resolveSoundResource(const char* pszName, const char* const* ppszExtensions)
{
    RIR_TRACE("resolveSoundResource");
    IAppServices* pApp = getAppServices();
    if (!pApp)
        return RIR::String();
    RIR_TRACE_LINE();
    return pApp->resolveResourceName(pszName, ppszExtensions);
}

// Stands in for GameApp::getResource, which comes with the application's resource lookup: until
// then no application can hand out the bytes of a resource.
RIR::SmartPtr<RIR::Resource> fetchSoundResource(const char* /*pszFullName*/)
{
    RIR_TRACE("fetchSoundResource");
    return RIR::SmartPtr<RIR::Resource>();
}
