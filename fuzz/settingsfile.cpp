// Fuzz target: the settings file's form, read as the settings store reads it: the bytes inflated
// by a ZStream, an ObjectStreamer over that, the object kind byte, then
// Hash<String, String>::persistFrom.
#include "fuzzcheck.h"
#include "rir2/exception.h"
#include "rir2/hash.h"
#include "rir2/hash_impl.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/memstream.h"
#include "rir2/objectstreamer.h"
#include "rir2/rirstring.h"
#include "rir2/zstream.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    RIR::MemStream file(pData, (int)nSize);
    RIR::Hash<RIR::String, RIR::String> hSettings;
    try
    {
        // Deleted in this order: the streamer, then the ZStream, then the file.
        std::unique_ptr<RIR::ZStream> pZip(new RIR::ZStream(&file, -1));
        std::unique_ptr<RIR::ObjectStreamer> pIn(new RIR::ObjectStreamer(pZip.get(), false));
        char cKind = 0;
        pIn->readChar(cKind);
        hSettings.persistFrom(*pIn);
        pIn.reset();
        pZip.reset();
    }
    catch (const RIR::Exception&)
    {
    }
    FUZZ_CHECK(hSettings.keys().getLength() == hSettings.values().getLength());
    return 0;
}
