// Fuzz target: the settings file's form, read in memory as SettingsFile::read reads a file: the
// bytes inflated by a ZStream with exact reads, an ObjectStreamer over that, the object kind byte,
// then Hash<String, String>::persistFrom, the end of the compressed stream and of the bytes.
// Invariant: an accepted input is one whole zlib stream with its check held (zlib's own decoder
// agrees) holding exactly the table read, and that table written back reads back the same.
#include "fuzzcheck.h"
#include "sametable.h"
#include "settingsform.h"

#include "rir2/exception.h"
#include "rir2/memstream.h"
#include "rir2/objectstreamer.h"
#include "rir2/zstream.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace
{

typedef RIR::Hash<RIR::String, RIR::String> Table;

void readSettings(const uint8_t* pData, size_t nSize, Table& hSettings)
{
    RIR::MemStream file(pData, (int)nSize);
    // Deleted in this order: the streamer, then the ZStream, then the file.
    std::unique_ptr<RIR::ZStream> pZip(new RIR::ZStream(&file, -1));
    pZip->setExactReads(true);
    std::unique_ptr<RIR::ObjectStreamer> pIn(new RIR::ObjectStreamer(pZip.get(), false));
    char cKind = 0;
    pIn->readChar(cKind);
    hSettings.persistFrom(*pIn);
    pZip->checkEnd();
    if (pZip->getCompressedCount() != (int)nSize)
        RIR_THROW(BadStreamFormatException, "bytes after the compressed data");
}

void checkRoundTrip(Table& hSettings)
{
    RIR::MemStream out;
    {
        RIR::ObjectStreamer writer(&out, false);
        writer.writeChar(0);
        hSettings.persistTo(writer);
    }
    std::unique_ptr<RIR::MemStream> pIn(out.createReader());
    RIR::ObjectStreamer reader(pIn.get(), false);
    char cKind = 0;
    reader.readChar(cKind);
    Table hAgain;
    hAgain.persistFrom(reader);
    FUZZ_CHECK(pIn->tell() == pIn->size());
    FUZZ_CHECK(fuzzSameTable(hAgain, hSettings));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    Table hSettings;
    bool bRead = false;
    try
    {
        readSettings(pData, nSize, hSettings);
        bRead = true;
    }
    catch (const RIR::Exception&)
    {
        // The broken reader keeps what it read before the error and calls it the file.
        bRead = fuzzBrokenReader();
    }
    FUZZ_CHECK(hSettings.keys().getLength() == hSettings.values().getLength());
    if (bRead)
    {
        fuzzCheckSettingsForm(pData, nSize, hSettings);
        checkRoundTrip(hSettings);
    }
    return 0;
}
