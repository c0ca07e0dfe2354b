// Fuzz target: parseEpitaphText, the reader of a newspaper column of the epitaph page, over the
// whole input (up to its first zero byte, as a C text, the form the text table hands it on).
// Every text is an answer, so nothing is refused; each line is held against the input's own line
// and written back in the column's form, which must read back the same.
// Invariant: one line per "\n"-cut piece (a final "\n" adds none, an empty text is one empty
// line), each the piece trimmed with its prefix taken for its style; a text line ends in its one
// "\n" and has a theme font, a picture line a trimmed name and no text.
#include "fuzzcheck.h"

#include "shell/epitaphtext.h"

#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace
{

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string trimmed(const std::string& s)
{
    size_t nFirst = 0;
    size_t nLast = s.size();
    while (nFirst < nLast && isBlank(s[nFirst]))
        ++nFirst;
    while (nLast > nFirst && isBlank(s[nLast - 1]))
        --nLast;
    return s.substr(nFirst, nLast - nFirst);
}

bool startsWith(const std::string& s, const char* pszPrefix)
{
    return s.compare(0, std::strlen(pszPrefix), pszPrefix) == 0;
}

// The pieces between line feeds; a final line feed ends the last piece, an empty text is one
// empty piece.
std::vector<std::string> pieces(const std::string& sText)
{
    std::vector<std::string> lines;
    size_t nStart = 0;
    do
    {
        size_t nEnd = sText.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = sText.size();
        lines.push_back(sText.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    } while (nStart < sText.size());
    return lines;
}

const char* const STYLE_PREFIX[] = {"", "*", "**", "IMAGE:"};

// The column's form of the lines: each with its prefix and a line feed.
std::string written(const RIR::List<EpitaphLine>& lLines)
{
    std::string sText;
    for (int i = 0; i < lLines.getLength(); ++i)
    {
        const EpitaphLine line = lLines.get(i);
        sText += STYLE_PREFIX[line.nStyle];
        sText += line.nStyle == EPS_IMAGE ? line.sImage.c_str() : line.sText.c_str();
        if (line.nStyle == EPS_IMAGE)
            sText += "\n";
    }
    return sText;
}

// A parser that looks for the small heading before the headline, so "**" reads as a heading
// whose text starts with "*".
RIR::List<EpitaphLine> brokenParse(const char* pszText)
{
    RIR::List<EpitaphLine> lLines = parseEpitaphText(pszText);
    for (int i = 0; i < lLines.getLength(); ++i)
    {
        EpitaphLine& line = lLines.getNode(i)->m_value;
        if (line.nStyle == EPS_HEADLINE)
        {
            line.nStyle = EPS_HEADING;
            line.sText = RIR::String("*") + line.sText;
        }
    }
    return lLines;
}

void checkLine(const EpitaphLine& line, const std::string& sPiece)
{
    const std::string sSource = trimmed(sPiece);
    FUZZ_CHECK(line.nStyle >= EPS_TEXT && line.nStyle <= EPS_IMAGE);
    if (line.nStyle == EPS_IMAGE)
    {
        FUZZ_CHECK(line.sText.length() == 0);
        FUZZ_CHECK(startsWith(sSource, "IMAGE:"));
        FUZZ_CHECK(trimmed(sSource.substr(6)) == line.sImage.c_str());
        return;
    }
    FUZZ_CHECK(line.sImage.length() == 0);
    const std::string sText = line.sText.c_str();
    FUZZ_CHECK(!sText.empty() && sText.find('\n') == sText.size() - 1);
    const std::string sBody = sText.substr(0, sText.size() - 1);
    FUZZ_CHECK(sSource == STYLE_PREFIX[line.nStyle] + sBody);
    // The style is the first prefix that matches, so the rest never starts with a stronger one.
    if (line.nStyle == EPS_HEADING)
        FUZZ_CHECK(!startsWith(sBody, "*"));
    if (line.nStyle == EPS_TEXT)
        FUZZ_CHECK(!startsWith(sBody, "*") && !startsWith(sBody, "IMAGE:"));
    for (bool bSmall : {false, true})
    {
        const char* pszFont = epitaphFontName(line.nStyle, bSmall);
        FUZZ_CHECK(pszFont && std::strncmp(pszFont, "Epitaph::", 9) == 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string sText = fuzzText(pData, nSize);

    const RIR::List<EpitaphLine> lLines =
        fuzzBrokenReader() ? brokenParse(sText.c_str()) : parseEpitaphText(sText.c_str());
    const std::vector<std::string> source = pieces(sText);
    FUZZ_CHECK(lLines.getLength() == (int)source.size());
    for (int i = 0; i < lLines.getLength(); ++i)
        checkLine(lLines.get(i), source[i]);

    // Written back in the column's form, the lines read the same.
    const std::string sWritten = written(lLines);
    const RIR::List<EpitaphLine> lAgain = parseEpitaphText(sWritten.c_str());
    FUZZ_CHECK(lAgain.getLength() == lLines.getLength());
    FUZZ_CHECK(written(lAgain) == sWritten);
    return 0;
}
