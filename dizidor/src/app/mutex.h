// Mutex: the application core's portable lock, and MutexImpl, what a platform provides for it.
//
// A Mutex does its locking through a MutexImpl that it takes from the application's platform
// (IPlatform::createMutexImpl): at construction when an application with a platform exists,
// otherwise at the first lock. Without an application, a platform or an implementation from it,
// lock and unlock fail with -1 and nothing else happens; a later lock tries again.
//
// The one instance in the system, g_globalMutex, is constructed before main, while no application
// exists, and is never locked. Neither class is reference counted or copyable.
#ifndef DIZIDOR_APP_MUTEX_H
#define DIZIDOR_APP_MUTEX_H

class MutexImpl
{
public:
    virtual ~MutexImpl();
    // 0 when the lock is taken, -1 on error.
    virtual int lock() = 0;
    // 0 when the lock is given back, -1 on error.
    virtual int unlock() = 0;
};

class Mutex
{
public:
    // Takes an implementation from the application's platform when both exist.
    Mutex();
    // Deletes the implementation.
    virtual ~Mutex();

    // MutexImpl::lock of the implementation, made first from the application's platform when
    // there is none yet; -1 when none can be had.
    virtual int lock();
    // MutexImpl::unlock of the implementation; -1 when there is none.
    virtual int unlock();

    // Whether the implementation has been obtained.
    bool hasImpl() const { return m_pImpl != nullptr; }

private:
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    // Makes m_pImpl through the application's platform when possible; true when there is one.
    bool obtainImpl();

    MutexImpl* m_pImpl; // owned; null until obtained
};

// The application's global mutex.
extern Mutex g_globalMutex;

#endif
