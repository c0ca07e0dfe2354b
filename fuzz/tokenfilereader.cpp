// Fuzz target: TokenFileReader. The input is read once from a stream and walked line by line
// (tokens, joined tokens, line numbers), and once as text through readAsHash.
// Invariant: line numbers rise, every line has tokens, joined tokens are part of their line, and
// readAsHash uses the whole text.
#include "rir2/tokenfilereader.h"
#include "fuzzcheck.h"
#include "rir2/exception.h"
#include "rir2/hash.h"
#include "rir2/hash_impl.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/memstream.h"
#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace
{

void walkLines(const uint8_t* pData, size_t nSize)
{
    RIR::MemStream in(pData, (int)nSize);
    try
    {
        RIR::TokenFileReader reader(&in);
        int nLastNumber = -1;
        while (!reader.isEmpty())
        {
            reader.nextLine();
            // The broken reader counts every line as the first.
            const int nNumber = fuzzBrokenReader() ? 0 : reader.getLineNumber();
            FUZZ_CHECK(nNumber > nLastNumber);
            nLastNumber = nNumber;
            const RIR::String sLine = reader.getLine();
            FUZZ_CHECK(sLine.length() > 0);
            // The whole line, its rest after the first token, the last token, and nothing.
            const int nTokens = reader.getTokens().getLength();
            FUZZ_CHECK(nTokens > 0);
            const int anFrom[4] = {0, 1, nTokens - 1, nTokens};
            for (int nFrom : anFrom)
            {
                const RIR::String sRest = reader.joinTokens(nFrom);
                FUZZ_CHECK(sRest.length() <= sLine.length());
                FUZZ_CHECK((sRest.length() == 0) == (nFrom >= nTokens));
            }
        }
    }
    catch (const RIR::Exception&)
    {
    }
}

void readTable(const uint8_t* pData, size_t nSize)
{
    // The text form ends at the first zero byte, as a C text does.
    const std::string sText(reinterpret_cast<const char*>(pData), nSize);
    try
    {
        RIR::TokenFileReader reader(sText.c_str());
        RIR::SmartPtr<RIR::Hash<RIR::String, RIR::String>> pTable = reader.readAsHash();
        FUZZ_CHECK(reader.isEmpty());
        FUZZ_CHECK(pTable->keys().getLength() == pTable->values().getLength());
    }
    catch (const RIR::Exception&)
    {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    walkLines(pData, nSize);
    readTable(pData, nSize);
    return 0;
}
