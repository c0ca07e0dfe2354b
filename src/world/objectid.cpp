#include "world/objectid.h"

#include <cstdint>

RIR::String objectId(const void* p)
{
    return RIR::String::format("%0*llX", (int)(2 * sizeof(void*)),
                               (unsigned long long)(uintptr_t)p);
}
