// Fuzz target: ZStream inflating arbitrary bytes. The first byte chooses the size of the reads,
// so that both small reads (inflate stopping mid-block) and large ones are exercised. How the
// reader says its data ended must agree with zlib's own one-call inflation of the same bytes,
// and with the one-shot Inflater: complete with its check held exactly when zlib says so.
// Invariant: the reader says "ended" exactly when zlib's one-shot decoder inflates the bytes
// whole with the check held, and then delivered the same byte count from the same input bytes.
#include "rir2/zstream.h"
#include "fuzzcheck.h"
#include "rir2/exception.h"
#include "rir2/inflater.h"
#include "rir2/memstream.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>
#include <zlib.h>

namespace
{

// Bounds the inflated output of one input: a small input can inflate to a great deal.
const int MAX_OUTPUT = 1 << 24;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 1)
        return 0;
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    const int nChunk = 1 + (int)pData[0] * 37;
    RIR::MemStream in(pData + 1, (int)nSize - 1);
    try
    {
        std::unique_ptr<RIR::ZStream> pZip(new RIR::ZStream(&in, -1));
        std::vector<uint8_t> abBuffer((size_t)nChunk);
        int nTotal = 0;
        while (nTotal < MAX_OUTPUT)
        {
            const int nGot = pZip->read(nChunk, abBuffer.data());
            FUZZ_CHECK(nGot >= 0 && nGot <= nChunk);
            if (nGot == 0)
                break;
            nTotal += nGot;
            FUZZ_CHECK(pZip->tell() == nTotal);
        }
        FUZZ_CHECK(pZip->size() == (int)nSize - 1);
        if (nTotal < MAX_OUTPUT)
        {
            // The broken reader takes data whose check failed for data that ended.
            const int nState = pZip->getReadState();
            const bool bEnded =
                nState == RIR::ZSR_ENDED || (fuzzBrokenReader() && nState == RIR::ZSR_DAMAGED);
            std::vector<uint8_t> abWhole((size_t)nTotal + 1);
            uLongf nWhole = (uLongf)abWhole.size();
            uLong nUsed = (uLong)nSize - 1;
            const int nErr = uncompress2(abWhole.data(), &nWhole, pData + 1, &nUsed);
            FUZZ_CHECK(bEnded == (nErr == Z_OK));
            if (bEnded)
            {
                FUZZ_CHECK((int)nWhole == nTotal);
                FUZZ_CHECK(pZip->getCompressedCount() == (int)nUsed);
                RIR::Inflater inflater;
                FUZZ_CHECK(inflater.inflateExact(pData + 1, (int)nSize - 1, abWhole.data(),
                                                 nTotal));
            }
        }
        // Deleting the reader hands back the bytes inflate did not use.
        pZip.reset();
        FUZZ_CHECK(in.tell() >= 0 && in.tell() <= in.size());
    }
    catch (const RIR::Exception&)
    {
    }
    return 0;
}
