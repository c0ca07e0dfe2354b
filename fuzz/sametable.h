// Compares two String-to-String tables by their pairs, whatever their order.
#ifndef FUZZ_SAMETABLE_H
#define FUZZ_SAMETABLE_H

#include "rir2/hash.h"
#include "rir2/hash_impl.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/rirstring.h"

inline bool fuzzSameTable(RIR::Hash<RIR::String, RIR::String>& hOne,
                          RIR::Hash<RIR::String, RIR::String>& hOther)
{
    const RIR::List<RIR::String> lKeys = hOne.keys();
    if (hOther.keys().getLength() != lKeys.getLength())
        return false;
    for (int i = 0; i < lKeys.getLength(); ++i)
    {
        const RIR::String& sKey = lKeys.get(i);
        if (!hOther.contains(sKey) || !(hOther.get(sKey) == hOne.get(sKey)))
            return false;
    }
    return true;
}

#endif
