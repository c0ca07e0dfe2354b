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

int Mutex::lock()
{
    RIR_TRACE("Mutex::lock");
    if (!obtainImpl())
        return -1;
    RIR_TRACE_LINE();
    return m_pImpl->lock();
}

int Mutex::unlock()
{
    RIR_TRACE("Mutex::unlock");
    if (!m_pImpl)
        return -1;
    RIR_TRACE_LINE();
    return m_pImpl->unlock();
}

bool Mutex::obtainImpl()
{
    RIR_TRACE("Mutex::obtainImpl");
    if (m_pImpl)
        return true;
    IAppServices* pApp = getAppServices();
    IPlatform* pPlatform = pApp ? pApp->getPlatform() : nullptr;
    if (!pPlatform)
        return false;
    RIR_TRACE_LINE();
    m_pImpl = pPlatform->createMutexImpl();
    return m_pImpl != nullptr;
}
