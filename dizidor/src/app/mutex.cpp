#include "app/mutex.h"

#include "app/iappservices.h"
#include "app/iplatform.h"

#include "rir2/calltrace.h"

Mutex g_globalMutex;

MutexImpl::~MutexImpl() {}

Mutex::Mutex() : m_pImpl(nullptr)
{
    RIR_TRACE("Mutex::Mutex");
    obtainImpl();
}

Mutex::~Mutex()
{
    RIR_TRACE("Mutex::~Mutex");
    delete m_pImpl;
    m_pImpl = nullptr;
}

// lock, unlock and obtainImpl leave no call-trace entry: a mutex exists to be used from other
// threads, and the call trace belongs to the main thread alone.
int Mutex::lock()
{
    if (!obtainImpl())
        return -1;
    return m_pImpl->lock();
}

int Mutex::unlock()
{
    if (!m_pImpl)
        return -1;
    return m_pImpl->unlock();
}

bool Mutex::obtainImpl()
{
    if (m_pImpl)
        return true;
    IAppServices* pApp = getAppServices();
    IPlatform* pPlatform = pApp ? pApp->getPlatform() : nullptr;
    if (!pPlatform)
        return false;
    m_pImpl = pPlatform->createMutexImpl();
    return m_pImpl != nullptr;
}
