// Fuzz target: XMLParser walking every token of the input, with each token's name and decoded
// value and the list of open elements.
// Invariant: every token is of a known type with a name and value no longer than the text, and
// a walk ends, and stays ended, after a bounded number of tokens.
#include "rir2/xmlparser.h"
#include "fuzzcheck.h"
#include "rir2/exception.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    // The parser takes a C text: it ends at the first zero byte.
    const std::string sText(reinterpret_cast<const char*>(pData), nSize);
    try
    {
        RIR::XMLParser parser;
        parser.setText(sText.c_str());
        // Every token takes at least one byte of the text, plus the closing tokens of elements
        // closed by "/>" and of processing instructions: a walk far longer means no progress.
        const size_t nMaxTokens = 4 * nSize + 16;
        size_t nTokens = 0;
        while (parser.nextToken())
        {
            ++nTokens;
            FUZZ_CHECK(nTokens <= nMaxTokens);
            const int nType = parser.getTokenType();
            FUZZ_CHECK(nType >= RIR::XT_ELEMENT_OPEN && nType <= RIR::XT_COMMENT);
            const RIR::String sName = parser.getName();
            const RIR::String sValue = parser.getValue();
            FUZZ_CHECK(sName.length() <= (int)nSize);
            FUZZ_CHECK(sValue.length() <= (int)nSize);
            FUZZ_CHECK(!parser.hasError());
            (void)parser.getOpenElements().getLength();
        }
        // Once the walk has ended it stays ended.
        const bool bError = parser.hasError();
        // The broken parser starts over once it has reached the end.
        if (fuzzBrokenReader())
            parser.setText(sText.c_str());
        FUZZ_CHECK(!parser.nextToken());
        FUZZ_CHECK(parser.hasError() == bError);
    }
    catch (const RIR::Exception&)
    {
    }
    return 0;
}
