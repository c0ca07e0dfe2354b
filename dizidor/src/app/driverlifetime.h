// DriverLifetime: tells a resource whether the driver that made it still runs.
//
// Shared objects made by a driver (samples, music) may outlive it: the application deletes the
// platform, and with it the drivers, before its caches let go of what they hold. Such an object
// must then reach nothing of the driver (the driver object is gone, its device closed). The
// driver keeps one DriverLifetime per run and ends it when it shuts down; every object it makes
// holds the same token (see Sample and Music) and asks isAlive before it calls the driver or the
// device, typically in its destructor; memory of its own it frees in any case:
//
//     SDLSample::~SDLSample()
//     {
//         if (isDriverAlive())
//             m_pDriver->forgetSample(this);
//         freeOwnBuffer();
//     }
//
// A driver that starts again after a shutdown hands out a new token, so objects of the old run
// stay cut off. Single-threaded, like the rest of the reference counting.
#ifndef DIZIDOR_APP_DRIVERLIFETIME_H
#define DIZIDOR_APP_DRIVERLIFETIME_H

#include "rir2/refcount.h"

class DriverLifetime : public RIR::RefCountedObject
{
public:
    DriverLifetime() : m_bAlive(true) {}

    // True until end.
    bool isAlive() const { return m_bAlive; }
    // The driver has shut down; for good.
    void end() { m_bAlive = false; }

private:
    bool m_bAlive;
};

#endif
