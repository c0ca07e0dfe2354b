// FakeMutexImpl: the fake platform's mutex implementation.
//
// Counts how deep it is locked, like a recursive mutex, and excludes no thread: it serves tests
// of the logic around Mutex, not of concurrency. Unlocking an unlocked one answers -1.
#ifndef DIZIDOR_TESTKIT_FAKEMUTEXIMPL_H
#define DIZIDOR_TESTKIT_FAKEMUTEXIMPL_H

#include "app/mutex.h"

class FakeMutexImpl : public MutexImpl
{
public:
    FakeMutexImpl() : m_nDepth(0) {}
    ~FakeMutexImpl() override;

    // 0; one level deeper.
    int lock() override;
    // 0 and one level less; -1 when not locked.
    int unlock() override;

    int getDepth() const { return m_nDepth; }

private:
    int m_nDepth;
};

#endif
