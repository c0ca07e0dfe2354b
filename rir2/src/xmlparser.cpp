#include "rir2/xmlparser.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstring>

namespace RIR
{

namespace
{

bool isXmlWhitespace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// True when the text at p starts with pszPrefix. Stops at the first difference, so it never
// looks past the text's terminator.
bool startsWith(const char* p, const char* pszPrefix)
{
    for (; *pszPrefix; ++p, ++pszPrefix)
    {
        if (*p != *pszPrefix)
            return false;
    }
    return true;
}

struct XmlEntity
{
    const char* m_pszName; // from "&" to ";" inclusive
    int m_nLength;
    char m_cValue;
};

const XmlEntity g_aEntities[] = {
    {"&lt;", 4, '<'}, {"&gt;", 4, '>'}, {"&amp;", 5, '&'}, {"&apos;", 6, '\''}, {"&quot;", 6, '"'},
};

// One left-to-right pass replacing the five predefined entities; a decoded "&" never starts
// another entity, and any other "&" sequence stays as it is. Decoding only shortens the text, so
// the result is written into a copy in place: a text full of entities costs no more than its
// length.
String decodeEntities(const String& sText)
{
    RIR_TRACE("XMLParser::decodeEntities");
    const char* p = sText.c_str();
    if (!std::strchr(p, '&'))
        return sText;
    String sResult(sText);
    char* pWrite = sResult.at(0);
    while (*p)
    {
        const XmlEntity* pFound = nullptr;
        if (*p == '&')
        {
            for (const XmlEntity& entity : g_aEntities)
            {
                if (startsWith(p, entity.m_pszName))
                {
                    pFound = &entity;
                    break;
                }
            }
        }
        if (pFound)
        {
            *pWrite++ = pFound->m_cValue;
            p += pFound->m_nLength;
        }
        else
            *pWrite++ = *p++;
    }
    *pWrite = 0;
    return sResult;
}

} // namespace

XMLParser::XMLParser()
    : m_pszText(new char[1]), m_pPos(nullptr), m_nTokenType(XT_NONE), m_nState(STATE_TEXT),
      m_bInPI(0), m_bDecoded(0), m_bTextSeen(0)
{
    RIR_TRACE("XMLParser::XMLParser");
    m_pszText[0] = 0;
    m_pPos = m_pszText;
}

XMLParser::~XMLParser()
{
    RIR_TRACE("XMLParser::~XMLParser");
    delete[] m_pszText;
}

void XMLParser::setText(const char* pszText)
{
    RIR_TRACE("XMLParser::setText");
    if (!pszText)
        pszText = "";
    // Exactly the text and its terminator: nothing lies behind the end that a scan could use.
    const size_t nLength = std::strlen(pszText);
    char* pszCopy = new char[nLength + 1];
    std::memcpy(pszCopy, pszText, nLength + 1);
    delete[] m_pszText;
    m_pszText = pszCopy;
    m_pPos = m_pszText;
    m_nTokenType = XT_NONE;
    m_sName = "";
    m_sValue = "";
    m_nState = STATE_TEXT;
    m_bInPI = 0;
    m_sError = "";
    m_bDecoded = 0;
    m_bTextSeen = 0;
    m_lOpenElements.clear();
}

bool XMLParser::nextToken()
{
    RIR_TRACE("XMLParser::nextToken");
    // The walk is over at the end of the text, and after an error.
    if (*m_pPos == 0 || m_sError.length() > 0)
        return false;
    while (*m_pPos != 0)
    {
        RIR_TRACE_LINE();
        m_sName = "";
        m_sValue = "";
        m_nTokenType = XT_NONE;
        bool bStop = false;
        bool bToken;
        if (m_nState == STATE_TEXT)
            bToken = scanText();
        else if (m_nState == STATE_OPEN)
            bToken = scanOpen(bStop);
        else
            bToken = scanTag(bStop);
        if (bToken)
            return true;
        if (bStop)
            return false;
    }
    return false;
}

String XMLParser::getValue() const
{
    RIR_TRACE("XMLParser::getValue");
    if (m_nTokenType == XT_TEXT && !m_bDecoded)
    {
        RIR_TRACE_LINE();
        m_sValue = decodeEntities(m_sValue);
        m_bDecoded = 1;
    }
    return m_sValue;
}

bool XMLParser::scanText()
{
    RIR_TRACE("XMLParser::scanText");
    const char* p = m_pPos;
    while (*p && *p != '<')
        ++p;
    m_bTextSeen = p > m_pPos;
    if (m_bTextSeen)
        m_sValue = String(m_pPos, (int)(p - m_pPos));
    m_pPos = p;
    m_nState = STATE_OPEN;
    if (*m_pPos == '<')
        ++m_pPos;
    if (!m_bTextSeen)
        return false;
    // Whitespace between tags is text too: nothing is trimmed.
    m_nTokenType = XT_TEXT;
    m_bDecoded = 0;
    return true;
}

bool XMLParser::scanOpen(bool& bStop)
{
    RIR_TRACE("XMLParser::scanOpen");
    m_bInPI = 0;
    if (*m_pPos == '?')
    {
        ++m_pPos;
        m_bInPI = 1;
        return readName(false, bStop);
    }
    if (*m_pPos == '/')
    {
        ++m_pPos;
        return readName(true, bStop);
    }
    if (startsWith(m_pPos, "!--"))
    {
        m_pPos += 3;
        if (!readUntil("-->"))
        {
            bStop = true;
            return false;
        }
        m_nState = STATE_TEXT;
        m_nTokenType = XT_COMMENT;
        return true;
    }
    if (startsWith(m_pPos, "![CDATA["))
    {
        m_pPos += 8;
        if (!readUntil("]]>"))
        {
            bStop = true;
            return false;
        }
        m_nState = STATE_TEXT;
        m_nTokenType = XT_TEXT;
        m_bDecoded = 0;
        return true;
    }
    return readName(false, bStop);
}

bool XMLParser::readName(bool bClosing, bool& bStop)
{
    RIR_TRACE("XMLParser::readName");
    m_nState = STATE_TAG;
    skipWhitespace();
    const char* p = m_pPos;
    while (*p && !isXmlWhitespace(*p) && *p != '>' && *p != '/')
        ++p;
    m_sName = String(m_pPos, (int)(p - m_pPos));
    m_pPos = p;
    if (bClosing)
    {
        // A closing name cut short by the end of the text cannot be checked: the walk simply
        // ends, as everywhere else at the end of the text.
        if (*m_pPos == 0)
        {
            m_sName = "";
            bStop = true;
            return false;
        }
        RIR_TRACE_LINE();
        String sOpen;
        if (!popOpenElement(sOpen, m_sName.c_str()))
        {
            bStop = true;
            return false;
        }
        if (sOpen != m_sName)
        {
            RIR_TRACE_LINE();
            m_sError = String::format("Mismatched tag close : open %s, close %s", sOpen.c_str(),
                                      m_sName.c_str());
            bStop = true;
            return false;
        }
        // The ">" is consumed by the next call, inside the tag.
        m_nTokenType = XT_ELEMENT_CLOSE;
        return true;
    }
    m_lOpenElements.prepend(m_sName);
    m_nTokenType = m_bInPI ? XT_PI_OPEN : XT_ELEMENT_OPEN;
    return true;
}

bool XMLParser::scanTag(bool& bStop)
{
    RIR_TRACE("XMLParser::scanTag");
    skipWhitespace();
    const char c = *m_pPos;
    if (c == 0)
        return false;
    if (c == '>')
    {
        // The end of an opening tag: no token, text follows.
        ++m_pPos;
        m_nState = STATE_TEXT;
        return false;
    }
    if ((c == '?' && m_bInPI) || (c == '/' && !m_bInPI))
    {
        ++m_pPos;
        skipWhitespace();
        if (*m_pPos == '>')
        {
            ++m_pPos;
            if (!popOpenElement(m_sName, m_bInPI ? "?>" : "/>"))
            {
                bStop = true;
                return false;
            }
            m_nTokenType = m_bInPI ? XT_PI_CLOSE : XT_ELEMENT_CLOSE;
            m_bInPI = 0;
            m_nState = STATE_TEXT;
            return true;
        }
        // The text ends inside the tag: the walk ends without an error.
        if (*m_pPos == 0)
        {
            bStop = true;
            return false;
        }
        RIR_TRACE_LINE();
        String sOpen;
        if (!popOpenElement(sOpen, m_bInPI ? "?" : "/"))
        {
            bStop = true;
            return false;
        }
        m_sError = String::format("Bad tag close : open %s %s, found '%c'", sOpen.c_str(),
                                  m_bInPI ? "[special]" : "", *m_pPos);
        bStop = true;
        return false;
    }
    // An attribute: its name runs to whitespace or "="; anything up to the first double quote is
    // skipped, and the value runs to the next double quote.
    const char* p = m_pPos;
    while (*p && !isXmlWhitespace(*p) && *p != '=')
        ++p;
    const String sName(m_pPos, (int)(p - m_pPos));
    m_pPos = p;
    const char* pOpen = std::strchr(m_pPos, '"');
    const char* pClose = pOpen ? std::strchr(pOpen + 1, '"') : nullptr;
    if (!pClose)
    {
        endOfText();
        bStop = true;
        return false;
    }
    m_sName = sName;
    m_sValue = String(pOpen + 1, (int)(pClose - pOpen - 1));
    m_pPos = pClose + 1;
    m_nTokenType = XT_ATTRIBUTE;
    return true;
}

bool XMLParser::popOpenElement(String& sName, const char* pszClose)
{
    RIR_TRACE("XMLParser::popOpenElement");
    if (m_lOpenElements.isEmpty())
    {
        RIR_TRACE_LINE();
        m_sError = String::format("Unmatched tag close : %s", pszClose);
        return false;
    }
    sName = m_lOpenElements.takeFirst();
    return true;
}

bool XMLParser::readUntil(const char* pszEnd)
{
    RIR_TRACE("XMLParser::readUntil");
    const char* pEnd = std::strstr(m_pPos, pszEnd);
    if (!pEnd)
    {
        endOfText();
        return false;
    }
    m_sValue = String(m_pPos, (int)(pEnd - m_pPos));
    m_pPos = pEnd + std::strlen(pszEnd);
    return true;
}

void XMLParser::skipWhitespace()
{
    while (isXmlWhitespace(*m_pPos))
        ++m_pPos;
}

void XMLParser::endOfText()
{
    m_pPos += std::strlen(m_pPos);
}

} // namespace RIR
