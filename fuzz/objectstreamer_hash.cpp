// Fuzz target: an ObjectStreamer reader over the input (its signature check), then
// Hash<String, String>::persistFrom with its current and legacy forms. A table that was read
// whole is written back and read again: the second reading must give the same pairs.
// Invariant: an accepted table, written back with persistTo and read again, gives the same pairs.
#include "fuzzcheck.h"
#include "rir2/exception.h"
#include "rir2/hash.h"
#include "rir2/hash_impl.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/memstream.h"
#include "rir2/objectstreamer.h"
#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace
{

typedef RIR::Hash<RIR::String, RIR::String> Table;

// The reader under test; the broken one loses the last pair it read.
void readTable(RIR::ObjectStreamer& streamer, Table& hTable)
{
    hTable.persistFrom(streamer);
    if (fuzzBrokenReader() && hTable.keys().getLength() > 0)
        hTable.remove(hTable.keys().get(hTable.keys().getLength() - 1));
}

void checkRoundTrip(RIR::Hash<RIR::String, RIR::String>& hTable)
{
    RIR::MemStream out;
    {
        RIR::ObjectStreamer writer(&out, false);
        hTable.persistTo(writer);
    }
    std::unique_ptr<RIR::MemStream> pIn(out.createReader());
    RIR::ObjectStreamer reader(pIn.get(), false);
    RIR::Hash<RIR::String, RIR::String> hAgain;
    readTable(reader, hAgain);
    const RIR::List<RIR::String> lKeys = hTable.keys();
    FUZZ_CHECK(hAgain.keys().getLength() == lKeys.getLength());
    for (int i = 0; i < lKeys.getLength(); ++i)
    {
        const RIR::String sKey = lKeys.get(i);
        FUZZ_CHECK(hAgain.contains(sKey));
        FUZZ_CHECK(hAgain.get(sKey) == hTable.get(sKey));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    RIR::MemStream in(pData, (int)nSize);
    RIR::Hash<RIR::String, RIR::String> hTable;
    bool bRead = false;
    try
    {
        RIR::ObjectStreamer streamer(&in, false);
        readTable(streamer, hTable);
        bRead = true;
    }
    catch (const RIR::Exception&)
    {
    }
    // After a failure the table holds what was read so far: it must still be usable.
    const RIR::List<RIR::String> lKeys = hTable.keys();
    const RIR::List<RIR::String> lValues = hTable.values();
    FUZZ_CHECK(lKeys.getLength() == lValues.getLength());
    if (bRead)
        checkRoundTrip(hTable);
    return 0;
}
