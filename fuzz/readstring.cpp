// Fuzz target: Stream::readString, the tagged string form (current and legacy), read again and
// again over the input until it is used up.
// Invariant: every string read takes at least its tag byte and is no longer than the input.
#include "fuzzcheck.h"
#include "rir2/exception.h"
#include "rir2/memstream.h"
#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    RIR::MemStream in(pData, (int)nSize);
    try
    {
        // Every call takes at least the tag byte, so the walk ends with the input.
        while (in.tell() < in.size())
        {
            const int nBefore = in.tell();
            const RIR::String sText = in.readString();
            // The broken reader hands back the text but leaves the position where it was.
            if (fuzzBrokenReader())
                in.seek(nBefore);
            FUZZ_CHECK(in.tell() > nBefore);
            FUZZ_CHECK(sText.length() <= (int)nSize);
        }
    }
    catch (const RIR::Exception&)
    {
    }
    return 0;
}
