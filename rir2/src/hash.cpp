#include "rir2/hash.h"

namespace RIR
{

String keyToString(const String& sKey)
{
    return String("\"") + sKey + "\"";
}

String keyToString(int32_t nKey)
{
    return String::format("%d", nKey);
}

String keyToString(const void* pKey)
{
    return String::format("0x%08X", (unsigned)(uintptr_t)pKey);
}

} // namespace RIR
