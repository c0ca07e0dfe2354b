// Fuzz target: List<T>::persistFrom over an ObjectStreamer reader, current and legacy list forms.
// The first byte chooses the element form: strings, or pointers to index records (the pointer
// protocol: null, back-reference, or id and the record's own form). A string list that was read
// whole is written back and read again: the second reading must give the same list.
// Invariant: an accepted string list, written back with persistTo and read again, is the same
// list; every record read is a distinct object owned once.
#include "fuzzcheck.h"
#include "rir2/exception.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/memstream.h"
#include "rir2/objectstreamer.h"
#include "rir2/resourcefileentry.h"
#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_set>

namespace
{

// The string-list reader under test; the broken one loses the last element it read.
void readList(RIR::ObjectStreamer& streamer, RIR::List<RIR::String>& lTexts)
{
    lTexts.persistFrom(streamer);
    if (fuzzBrokenReader() && lTexts.getLength() > 0)
        lTexts.removeAt(lTexts.getLength() - 1);
}

void readStrings(RIR::MemStream& in)
{
    RIR::List<RIR::String> lTexts;
    try
    {
        RIR::ObjectStreamer streamer(&in, false);
        readList(streamer, lTexts);
    }
    catch (const RIR::Exception&)
    {
        return;
    }
    RIR::MemStream out;
    {
        RIR::ObjectStreamer writer(&out, false);
        lTexts.persistTo(writer);
    }
    std::unique_ptr<RIR::MemStream> pIn(out.createReader());
    RIR::ObjectStreamer reader(pIn.get(), false);
    RIR::List<RIR::String> lAgain;
    readList(reader, lAgain);
    FUZZ_CHECK(lAgain.getLength() == lTexts.getLength());
    for (int i = 0; i < lTexts.getLength(); ++i)
        FUZZ_CHECK(lAgain.get(i) == lTexts.get(i));
}

void readPointers(RIR::MemStream& in)
{
    RIR::List<RIR::ResourceFileEntry*> lEntries;
    try
    {
        RIR::ObjectStreamer streamer(&in, false);
        lEntries.persistFrom(streamer);
    }
    catch (const RIR::Exception&)
    {
    }
    // The records read so far belong to the caller, each once however often it is listed.
    std::unordered_set<RIR::ResourceFileEntry*> seen;
    for (int i = 0; i < lEntries.getLength(); ++i)
    {
        RIR::ResourceFileEntry* pEntry = lEntries.get(i);
        if (pEntry != nullptr && seen.insert(pEntry).second)
        {
            FUZZ_CHECK(pEntry->getName().length() >= 0);
            delete pEntry;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 1)
        return 0;
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    RIR::MemStream in(pData + 1, (int)nSize - 1);
    if (pData[0] & 1)
        readPointers(in);
    else
        readStrings(in);
    return 0;
}
