#include "platform/sdl/soundresources.h"

#include "app/gameapp.h"
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

// The bytes of a resolved sound resource, from the application's providers; null without an
// application.
RIR::SmartPtr<RIR::Resource> fetchSoundResource(const char* pszFullName)
{
    RIR_TRACE("fetchSoundResource");
    GameApp* pApp = GameApp::getInstance();
    if (!pApp)
        return RIR::SmartPtr<RIR::Resource>();
    RIR_TRACE_LINE();
    return pApp->getResource(pszFullName);
}
