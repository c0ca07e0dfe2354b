// Fuzz target: readInsults, the reading of "insults.txt" that the day's loader uses, over the
// whole input (up to its first zero byte, as a C text), with a fixed seed; then the fights' turns
// (nextInsult) over the list it gave. A text without a line is refused with RIR::Exception, the
// right answer; the rotation itself must never raise one.
// Invariant: the lines read are the input's non-blank lines, trimmed, each once, in some order;
// every turn hands out one of them, and the list stays the same lines, with a line just said
// back at index 10 or later when there are more than 14.
#include "fuzzcheck.h"

#include "level/insultrotation.h"

#include "rir2/exception.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/random.h"
#include "rir2/rirstring.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace
{

// The turns played over one list: enough for every line of a long list to come round again.
const int TURNS = 200;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The non-blank lines of the text, trimmed, in file order: what the file means to its author.
std::vector<std::string> expectedLines(const std::string& sText)
{
    std::vector<std::string> lines;
    size_t nStart = 0;
    while (nStart <= sText.size())
    {
        size_t nEnd = sText.find_first_of("\r\n", nStart);
        if (nEnd == std::string::npos)
            nEnd = sText.size();
        size_t nFirst = nStart;
        size_t nLast = nEnd;
        while (nFirst < nLast && isBlank(sText[nFirst]))
            ++nFirst;
        while (nLast > nFirst && isBlank(sText[nLast - 1]))
            --nLast;
        if (nLast > nFirst)
            lines.push_back(sText.substr(nFirst, nLast - nFirst));
        nStart = nEnd + 1;
    }
    return lines;
}

std::vector<std::string> sorted(const RIR::List<RIR::String>& lLines)
{
    std::vector<std::string> lines;
    lines.reserve((size_t)lLines.getLength());
    for (int i = 0; i < lLines.getLength(); ++i)
        lines.push_back(lLines.getNode(i)->m_value.c_str());
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The reading of the loader before blank lines were dropped: every run of non-line-break bytes
// is a line as it stands.
RIR::List<RIR::String> brokenReadInsults(const char* pszText)
{
    RIR::List<RIR::String> lInsults = RIR::String(pszText).split("\r\n");
    if (lInsults.isEmpty())
        RIR_THROW(FatalErrorException, "insults.txt has no lines\n");
    return lInsults;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string sText = fuzzText(pData, nSize);

    std::vector<std::string> expected = expectedLines(sText);
    RIR::Random random;
    random.seed(1);
    RIR::List<RIR::String> lInsults;
    try
    {
        lInsults = fuzzBrokenReader() ? brokenReadInsults(sText.c_str())
                                      : readInsults(sText.c_str(), random);
    }
    catch (const RIR::Exception&)
    {
        FUZZ_CHECK(expected.empty());
        return 0;
    }
    const int nCount = lInsults.getLength();
    FUZZ_CHECK(nCount > 0);
    for (int i = 0; i < nCount; ++i)
    {
        const RIR::String sLine = lInsults.get(i);
        FUZZ_CHECK(sLine.length() > 0);
        FUZZ_CHECK(sLine == sLine.trim());
    }
    std::sort(expected.begin(), expected.end());
    const std::vector<std::string> read = sorted(lInsults);
    FUZZ_CHECK(read == expected);

    // The fights' turns: each answer is a line of the list, which keeps its lines; with more
    // than 14 a line said waits at least ten turns.
    for (int nTurn = 0; nTurn < TURNS; ++nTurn)
    {
        const RIR::String sLine = nextInsult(lInsults, random);
        FUZZ_CHECK(lInsults.getLength() == nCount);
        FUZZ_CHECK(std::binary_search(read.begin(), read.end(), sLine.c_str()));
        if (nCount > 14)
        {
            // The nodes are read in place (ascending, one link per step): a copy of every line
            // on every turn would cost more than the turn itself.
            int nAt = -1;
            for (int i = 10; i < nCount && nAt < 0; ++i)
                if (lInsults.getNode(i)->m_value == sLine)
                    nAt = i;
            FUZZ_CHECK(nAt >= 10);
        }
    }
    FUZZ_CHECK(sorted(lInsults) == read);
    return 0;
}
