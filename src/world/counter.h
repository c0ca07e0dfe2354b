// Counter: one int shared by reference.
//
// The two fighters of a fight that nobody stopped hold the same Counter while they leave the
// saloon; each one gone counts it down, and the one who brings it to 0 knows he was the last.
//
// Usage:
//     RIR::SmartPtr<Counter> pCount = new Counter(2);
//     if (--pCount->m_nValue == 0) { ... }
//
// Main thread only.
#ifndef DBD_WORLD_COUNTER_H
#define DBD_WORLD_COUNTER_H

#include "rir2/refcount.h"

class Counter : public RIR::RefCountedObject
{
public:
    explicit Counter(int nValue) : m_nValue(nValue) {}

    int m_nValue;
};

#endif
