#include "shell/epitaphtext.h"

#include "rir2/calltrace.h"
#include "rir2/list_impl.h"

#include <cstring>

namespace
{

EpitaphLine parseLine(const RIR::String& sRaw)
{
    EpitaphLine line;
    const RIR::String sLine = sRaw.trim();
    if (std::strncmp(sLine.c_str(), "**", 2) == 0)
    {
        line.nStyle = EPS_HEADLINE;
        line.sText = sLine.from(2) + "\n";
    }
    else if (sLine.c_str()[0] == '*')
    {
        line.nStyle = EPS_HEADING;
        line.sText = sLine.from(1) + "\n";
    }
    else if (std::strncmp(sLine.c_str(), "IMAGE:", 6) == 0)
    {
        line.nStyle = EPS_IMAGE;
        line.sImage = sLine.from(6).trim();
    }
    else
    {
        line.nStyle = EPS_TEXT;
        line.sText = sLine + "\n";
    }
    return line;
}

} // namespace

RIR::List<EpitaphLine> parseEpitaphText(const char* pszText)
{
    RIR_TRACE("parseEpitaphText");
    RIR::List<EpitaphLine> lLines;
    const RIR::String sText(pszText ? pszText : "");
    const int nLength = sText.length();
    int nStart = 0;
    while (nStart < nLength)
    {
        int nEnd = sText.find("\n", nStart);
        if (nEnd < 0)
            nEnd = nLength;
        lLines.append(parseLine(sText.from(nStart).left(nEnd - nStart)));
        nStart = nEnd + 1;
    }
    // An empty text is still one (empty) body line.
    if (nLength == 0)
        lLines.append(parseLine(sText));
    return lLines;
}

const char* epitaphFontName(int nStyle, bool bSmall)
{
    switch (nStyle)
    {
    case EPS_HEADLINE:
        return bSmall ? "Epitaph::TitleSmall" : "Epitaph::Title";
    case EPS_HEADING:
        return bSmall ? "Epitaph::TitleSmaller" : "Epitaph::TitleSmall";
    default:
        return bSmall ? "Epitaph::TextSmall" : "Epitaph::Text";
    }
}
