#include "app/stringtable.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/list_impl.h"
#include "rir2/xmlparser.h"

#include <cstring>

namespace
{

const char UTF8_BOM[] = "\xEF\xBB\xBF";
// The key that continues the previous entry's text.
const char* const CONTINUATION_KEY = ".";

// The escapes of a stored text, in their fixed order: a backslash written twice before an "n"
// therefore gives a backslash and a line feed.
RIR::String applyEscapes(const RIR::String& sText)
{
    RIR_TRACE("applyEscapes");
    return sText.replaceAll("\\n", "\n")
        .replaceAll("\\r", "\r")
        .replaceAll("\\t", "\t")
        .replaceAll("\\\\", "\\");
}

// The line up to its comment: "\#" becomes "#", the first other "#" ends the line.
RIR::String stripComment(const RIR::String& sLine)
{
    RIR_TRACE("stripComment");
    RIR::String sOut;
    const char* psz = sLine.c_str();
    for (int i = 0; psz[i]; ++i)
    {
        if (psz[i] == '#')
        {
            if (i == 0 || psz[i - 1] != '\\')
                break;
            // The backslash before it was copied last: the "#" takes its place.
            *sOut.at(sOut.length() - 1) = '#';
            continue;
        }
        sOut += psz[i];
    }
    return sOut;
}

} // namespace

void loadTextStrings(const char* pszText, RIR::Hash<RIR::String, RIR::String>& hStrings)
{
    RIR_TRACE("loadTextStrings");
    const char* pszStart = pszText ? pszText : "";
    if (std::strncmp(pszStart, UTF8_BOM, 3) == 0)
        pszStart += 3;

    const RIR::List<RIR::String> lLines = RIR::String(pszStart).split("\r\n");
    RIR::String sPreviousKey;
    for (int i = 0; i < lLines.getLength(); ++i)
    {
        const RIR::String sLine = stripComment(lLines.get(i));
        if (sLine.trim().length() == 0)
            continue;

        const RIR::String sEntry = sLine.trimLeft();
        RIR::String sKey;
        RIR::String sValue;
        const int nBlank = sEntry.findAnyOf(" \t");
        if (nBlank < 0)
        {
            sKey = sEntry;
        }
        else
        {
            sKey = sEntry.left(nBlank);
            sValue = sEntry.from(nBlank + 1).trimLeft();
        }
        sKey = sKey.toUpper().trim();
        RIR_TRACE_LINE();
        RIR_ASSERT(sKey != "");
        sValue = applyEscapes(sValue);

        if (sKey == CONTINUATION_KEY)
        {
            // Before any keyed line this looks up the empty key: the table's missing-key error.
            RIR_TRACE_LINE();
            const RIR::String sJoined = hStrings.get(sPreviousKey) + sValue;
            hStrings.set(sPreviousKey, sJoined);
        }
        else
        {
            sPreviousKey = sKey;
            hStrings.set(sKey, sValue);
        }
    }
}

void loadXmlStrings(const char* pszText, RIR::Hash<RIR::String, RIR::String>& hStrings)
{
    RIR_TRACE("loadXmlStrings");
    RIR::XMLParser parser;
    parser.setText(pszText);
    RIR::String sPendingKey;
    while (parser.nextToken())
    {
        if (parser.getTokenType() != RIR::XT_TEXT)
            continue;
        const RIR::List<RIR::String>& lOpen = parser.getOpenElements();
        if (lOpen.getLength() < 3 || lOpen.get(0).toLower() != "data" ||
            lOpen.get(1).toLower() != "cell" || lOpen.get(2).toLower() != "row")
            continue;
        if (sPendingKey.length() == 0)
        {
            sPendingKey = parser.getValue().toUpper();
        }
        else
        {
            hStrings.set(sPendingKey, applyEscapes(parser.getValue().trimLeft()));
            sPendingKey = "";
        }
    }
}
