// RIR::String's character-level and list-level members: UTF-8 characters, replacing, splitting,
// tokenizing, common prefix, thousands grouping and the zero-byte escape.
#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/list.h"
#include "rir2/memstream.h"
#include "rir2/rirstring.h"

#include <climits>
#include <cstddef>
#include <memory>

namespace RIR
{

namespace
{

// Bytes a UTF-8 character announces by its lead byte. Bytes that cannot start a character
// (continuation bytes 0x80-0xBF, and 0xF8-0xFF) count as a character of one byte.
inline int utf8LeadLength(unsigned char c)
{
    if (c < 0x80)
        return 1;
    if (c >= 0xC0 && c <= 0xDF)
        return 2;
    if (c >= 0xE0 && c <= 0xEF)
        return 3;
    if (c >= 0xF0 && c <= 0xF7)
        return 4;
    return 1;
}

// Steps over the character at p: its lead byte and at most the announced number of
// continuation bytes. A cut-off sequence ends at the first byte that does not continue it, so the
// walk never passes the terminator and never swallows the next character.
inline const char* utf8Next(const char* p)
{
    const int nLen = utf8LeadLength((unsigned char)*p);
    ++p;
    for (int i = 1; i < nLen && ((unsigned char)*p & 0xC0) == 0x80; ++i)
        ++p;
    return p;
}

// The text of pszText with non-overlapping occurrences of pszSearch replaced, left to right,
// the search going on after each inserted replacement (so inserted text is never searched
// again). The occurrences are found in pszHaystack, which has the length of pszText: the text
// itself, or an ASCII-lowered copy of it for matching without case.
String replaceOccurrences(const char* pszText, const char* pszHaystack, const char* pszSearch,
                          const char* pszReplace, bool bAll)
{
    if (!pszReplace)
        pszReplace = "";
    if (!pszSearch || !*pszSearch)
        return String(pszText);
    const size_t nSearch = std::strlen(pszSearch);
    const size_t nReplace = std::strlen(pszReplace);
    const size_t nText = std::strlen(pszText);

    // Count first, so that the result is built in one allocation.
    size_t nHits = 0;
    for (const char* p = std::strstr(pszHaystack, pszSearch); p;
         p = std::strstr(p + nSearch, pszSearch))
    {
        ++nHits;
        if (!bAll)
            break;
    }
    if (nHits == 0)
        return String(pszText);
    const size_t nResult = nText - nHits * nSearch + nHits * nReplace;
    if (nResult >= (size_t)INT_MAX)
        RIR_THROW(FatalErrorException, "String::replaceAll : result too long");

    String sResult((const char*)nullptr, (int)nResult);
    char* pszOut = sResult.at(0);
    size_t nIn = 0;
    for (size_t i = 0; i < nHits; ++i)
    {
        const size_t nPos = (size_t)(std::strstr(pszHaystack + nIn, pszSearch) - pszHaystack);
        std::memcpy(pszOut, pszText + nIn, nPos - nIn);
        pszOut += nPos - nIn;
        std::memcpy(pszOut, pszReplace, nReplace);
        pszOut += nReplace;
        nIn = nPos + nSearch;
    }
    std::memcpy(pszOut, pszText + nIn, nText - nIn);
    pszOut[nText - nIn] = 0;
    return sResult;
}

} // namespace

// ---- UTF-8 characters -----------------------------------------------------------------------

int String::utf8Skip(int n) const
{
    const char* p = m_pszText;
    for (int i = 0; i < n && *p; ++i)
        p = utf8Next(p);
    return (int)(p - m_pszText);
}

int String::utf8Length() const
{
    RIR_TRACE("String::utf8Length");
    int nCount = 0;
    for (const char* p = m_pszText; *p; p = utf8Next(p))
        ++nCount;
    return nCount;
}

String String::utf8Left(int n) const
{
    RIR_TRACE("String::utf8Left");
    if (n < 0)
    {
        n += utf8Length();
        if (n < 0)
            n = 0;
    }
    return String(m_pszText, utf8Skip(n));
}

String String::utf8Right(int n) const
{
    RIR_TRACE("String::utf8Right");
    if (n <= 0)
        return String();
    int nStart = utf8Length() - n;
    if (nStart <= 0)
        return *this;
    return String(m_pszText + utf8Skip(nStart));
}

String String::utf8From(int a) const
{
    RIR_TRACE("String::utf8From");
    if (a <= 0)
        return *this;
    // Character a starts where the first a characters end; a text of a or fewer characters
    // ends there too.
    return String(m_pszText + utf8Skip(a));
}

String String::utf8Substring(int a, int b) const
{
    RIR_TRACE("String::utf8Substring");
    // The last b - a + 1 characters of the first b + 1.
    if (b < 0 || b < a)
        return String();
    return utf8Left(b + 1).utf8Right(b - a + 1);
}

String String::fromCodepoint(unsigned int nCodepoint)
{
    RIR_TRACE("String::fromCodepoint");
    // Code points beyond Unicode's range have no UTF-8 form: they become U+FFFD, the
    // replacement character, rather than bytes that overflow the lead byte.
    if (nCodepoint > 0x10FFFF)
        nCodepoint = 0xFFFD;
    char szBytes[5];
    int n = 0;
    if (nCodepoint < 0x80)
    {
        szBytes[n++] = (char)nCodepoint;
    }
    else if (nCodepoint < 0x800)
    {
        szBytes[n++] = (char)(0xC0 | (nCodepoint >> 6));
        szBytes[n++] = (char)(0x80 | (nCodepoint & 0x3F));
    }
    else if (nCodepoint < 0x10000)
    {
        szBytes[n++] = (char)(0xE0 | (nCodepoint >> 12));
        szBytes[n++] = (char)(0x80 | ((nCodepoint >> 6) & 0x3F));
        szBytes[n++] = (char)(0x80 | (nCodepoint & 0x3F));
    }
    else
    {
        szBytes[n++] = (char)(0xF0 | (nCodepoint >> 18));
        szBytes[n++] = (char)(0x80 | ((nCodepoint >> 12) & 0x3F));
        szBytes[n++] = (char)(0x80 | ((nCodepoint >> 6) & 0x3F));
        szBytes[n++] = (char)(0x80 | (nCodepoint & 0x3F));
    }
    szBytes[n] = 0;
    return String(szBytes); // code point 0 gives the empty text
}

// ---- replacing ------------------------------------------------------------------------------

String String::replaceFirst(const char* pszSearch, const char* pszReplace) const
{
    RIR_TRACE("String::replaceFirst");
    return replaceOccurrences(m_pszText, m_pszText, pszSearch, pszReplace, false);
}

String String::replaceAll(const char* pszSearch, const char* pszReplace) const
{
    RIR_TRACE("String::replaceAll");
    return replaceOccurrences(m_pszText, m_pszText, pszSearch, pszReplace, true);
}

String String::replaceAllNoCase(const char* pszSearch, const char* pszReplace) const
{
    RIR_TRACE("String::replaceAllNoCase");
    if (!pszSearch || !*pszSearch)
        return *this;
    const String sLowText = toLower();
    const String sLowSearch = String(pszSearch).toLower();
    return replaceOccurrences(m_pszText, sLowText.c_str(), sLowSearch.c_str(), pszReplace, true);
}

// ---- splitting and lists --------------------------------------------------------------------

List<String> String::split(const char* pszSeparators) const
{
    RIR_TRACE("String::split");
    if (!pszSeparators)
        pszSeparators = " ";
    bool abSeparator[256] = {};
    for (const char* p = pszSeparators; *p; ++p)
        abSeparator[(unsigned char)*p] = true;

    List<String> lPieces;
    const char* p = m_pszText;
    while (*p)
    {
        if (abSeparator[(unsigned char)*p])
        {
            ++p;
            continue;
        }
        const char* pszStart = p;
        while (*p && !abSeparator[(unsigned char)*p])
            ++p;
        lPieces.append(String(pszStart, (int)(p - pszStart)));
    }
    return lPieces;
}

List<String> String::tokenize(const List<String>& lClasses, const char* pszSeparators) const
{
    RIR_TRACE("String::tokenize");
    if (!pszSeparators)
        pszSeparators = "";
    // The class of every byte: the first class string that holds it, else the count of
    // classes; separators are marked apart.
    const int nClasses = lClasses.getLength();
    int anClass[256];
    for (int i = 0; i < 256; ++i)
        anClass[i] = nClasses;
    for (int i = nClasses - 1; i >= 0; --i)
    {
        const String sClass = lClasses.get(i);
        for (const char* p = sClass.c_str(); *p; ++p)
            anClass[(unsigned char)*p] = i;
    }
    bool abSeparator[256] = {};
    for (const char* p = pszSeparators; *p; ++p)
        abSeparator[(unsigned char)*p] = true;

    List<String> lTokens;
    const int NO_CLASS = -1;
    int nPrevClass = NO_CLASS;
    const char* pszRun = nullptr; // start of the run being gathered
    const char* p = m_pszText;
    for (; *p; ++p)
    {
        const unsigned char c = (unsigned char)*p;
        if (abSeparator[c])
        {
            if (pszRun)
                lTokens.append(String(pszRun, (int)(p - pszRun)));
            pszRun = nullptr;
            lTokens.append(String(p, 1));
            nPrevClass = NO_CLASS;
            continue;
        }
        const int nClass = anClass[c];
        if (nClass != nPrevClass)
        {
            if (pszRun)
                lTokens.append(String(pszRun, (int)(p - pszRun)));
            pszRun = p;
            nPrevClass = nClass;
        }
    }
    if (pszRun)
        lTokens.append(String(pszRun, (int)(p - pszRun)));
    return lTokens;
}

String String::commonPrefix(const List<String>& lStrings)
{
    RIR_TRACE("String::commonPrefix");
    const int nCount = lStrings.getLength();
    if (nCount == 0)
        return String();
    if (nCount == 1)
        return lStrings.get(0);

    // The prefix that the smallest and the largest (lowered) strings share is shared by all.
    String sFirst = lStrings.get(0);
    String sMinLow = sFirst.toLower();
    String sMaxLow = sMinLow;
    String sMin = sFirst;
    for (int i = 1; i < nCount; ++i)
    {
        const String s = lStrings.get(i);
        const String sLow = s.toLower();
        if (sLow < sMinLow)
        {
            sMinLow = sLow;
            sMin = s;
        }
        if (sLow > sMaxLow)
            sMaxLow = sLow;
    }
    const char* a = sMinLow.c_str();
    const char* b = sMaxLow.c_str();
    int n = 0;
    while (a[n] && a[n] == b[n])
        ++n;
    return String(sMin.c_str(), n);
}

String String::groupThousands(int nValue, const char* pszSeparator)
{
    RIR_TRACE("String::groupThousands");
    const String sDigits = format("%d", nValue);
    if (!pszSeparator || !*pszSeparator)
        return sDigits;
    const char* pszDigits = sDigits.c_str();
    String sResult;
    if (*pszDigits == '-')
    {
        sResult += '-';
        ++pszDigits;
    }
    const int nDigits = (int)std::strlen(pszDigits);
    // The first group takes what is left over by the groups of three.
    int nGroup = nDigits % 3 == 0 ? 3 : nDigits % 3;
    for (int i = 0; i < nDigits; i += nGroup, nGroup = 3)
    {
        if (i > 0)
            sResult += pszSeparator;
        sResult += String(pszDigits + i, nGroup);
    }
    return sResult;
}

// ---- zero-byte escape -----------------------------------------------------------------------

String String::escapeBinary(const void* pData, unsigned int nCount)
{
    RIR_TRACE("String::escapeBinary");
    const unsigned char* pBytes = (const unsigned char*)pData;
    size_t nOut = nCount;
    for (unsigned int i = 0; i < nCount; ++i)
        if (pBytes[i] <= 0x01)
            ++nOut;
    if (nOut >= (size_t)INT_MAX)
        RIR_THROW(BadParmException,
                  String::format("String::escapeBinary : %u bytes are too many", nCount).c_str());

    String sResult((const char*)nullptr, (int)nOut);
    char* pszOut = sResult.m_pszText;
    for (unsigned int i = 0; i < nCount; ++i)
    {
        const unsigned char c = pBytes[i];
        if (c <= 0x01)
        {
            *pszOut++ = 0x01;
            *pszOut++ = (char)(c + 1); // 0x00 -> 01 01, 0x01 -> 01 02
        }
        else
        {
            *pszOut++ = (char)c;
        }
    }
    *pszOut = 0;
    return sResult;
}

MemStream* String::unescapeBinary(const char* pszText)
{
    RIR_TRACE("String::unescapeBinary");
    std::unique_ptr<MemStream> pStream(new MemStream());
    if (!pszText || !*pszText)
        return pStream.release();
    const size_t nText = std::strlen(pszText);
    std::unique_ptr<unsigned char[]> pDecoded(new unsigned char[nText]);
    size_t nOut = 0;
    for (const char* p = pszText; *p; ++p)
    {
        if (*p == 0x01 && p[1] != 0)
        {
            ++p;
            pDecoded[nOut++] = *p == 0x01 ? 0x00 : 0x01;
        }
        else
        {
            // Every other byte, and a lone 0x01 at the very end, is copied.
            pDecoded[nOut++] = (unsigned char)*p;
        }
    }
    RIR_TRACE_LINE();
    pStream->write((int)nOut, pDecoded.get());
    return pStream.release();
}

} // namespace RIR
