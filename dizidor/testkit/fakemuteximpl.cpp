#include "testkit/fakemuteximpl.h"

#include "rir2/calltrace.h"

FakeMutexImpl::~FakeMutexImpl()
{
    RIR_TRACE("FakeMutexImpl::~FakeMutexImpl");
}

int FakeMutexImpl::lock()
{
    RIR_TRACE("FakeMutexImpl::lock");
    ++m_nDepth;
    return 0;
}

int FakeMutexImpl::unlock()
{
    RIR_TRACE("FakeMutexImpl::unlock");
    if (m_nDepth == 0)
        return -1;
    --m_nDepth;
    return 0;
}
