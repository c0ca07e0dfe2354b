#include "app/iappservices.h"

#include "rir2/calltrace.h"

namespace
{

// Constant-initialised, so objects constructed before main (the global Mutex) may ask for it.
IAppServices* s_pAppServices = nullptr;

} // namespace

IAppServices::~IAppServices()
{
    // Services that go away while registered must not be reached any more.
    if (s_pAppServices == this)
        s_pAppServices = nullptr;
}

IAppServices* getAppServices()
{
    return s_pAppServices;
}

IAppServices* setAppServices(IAppServices* pServices)
{
    RIR_TRACE("setAppServices");
    IAppServices* pOld = s_pAppServices;
    s_pAppServices = pServices;
    return pOld;
}
