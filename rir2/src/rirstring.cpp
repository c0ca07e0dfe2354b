// RIR::String storage, comparisons, searching, numbers, formatting, case, trimming and pieces.
// The UTF-8, replacing, splitting and escape members are in stringutil.cpp.
#include "rir2/rirstring.h"

#include "rir2/calltrace.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace RIR
{

namespace
{

// Capacity requested by an empty string.
const int EMPTY_REQUEST = 32;
// The shared formatting buffer; its last byte is never written.
const int FORMAT_BUFFER_SIZE = 4096;
char s_szFormatBuffer[FORMAT_BUFFER_SIZE];

inline bool isTrimSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

// ---- storage --------------------------------------------------------------------------------

char* String::allocBuffer(int n, int* pnCapacity)
{
    const int nCapacity = roundCapacity(n < 0 ? 0 : n);
    *pnCapacity = nCapacity;
    return new char[nCapacity];
}

void String::reserve(int n)
{
    if (m_pszText && m_nCapacity >= n)
    {
        m_pszText[0] = 0;
        return;
    }
    delete[] m_pszText;
    int nCapacity = 0;
    m_pszText = allocBuffer(n, &nCapacity);
    m_nCapacity = nCapacity;
    m_pszText[0] = 0;
}

void String::assign(const char* pszText)
{
    if (pszText == m_pszText)
        return;
    if (!pszText)
        pszText = "";
    const int nLen = (int)std::strlen(pszText);
    // A text that lies inside this buffer (a suffix of it) always fits, so reserve keeps the
    // buffer; only the first byte is cleared, which is not part of such a suffix.
    reserve(nLen + 1);
    std::memmove(m_pszText, pszText, (size_t)nLen + 1);
}

void String::assign(const char* pszText, int nCount)
{
    if (nCount < 0)
        nCount = 0;
    const char* pszEnd = (const char*)std::memchr(pszText, 0, (size_t)nCount);
    const int nCopy = pszEnd ? (int)(pszEnd - pszText) : nCount;
    reserve(nCount);
    // A reused buffer may hold exactly nCount bytes: the terminator needs one more.
    if (m_nCapacity < nCopy + 1)
        reserve(nCopy + 1);
    std::memmove(m_pszText, pszText, (size_t)nCopy);
    m_pszText[nCopy] = 0;
}

void String::append(const char* pszText, int nAdd)
{
    if (nAdd <= 0)
        return;
    const int nOld = length();
    const int nNeed = nOld + nAdd + 1;
    if (nNeed <= m_nCapacity)
    {
        std::memmove(m_pszText + nOld, pszText, (size_t)nAdd);
        m_pszText[nOld + nAdd] = 0;
        return;
    }
    // The old buffer stays alive until both parts are copied, so pszText may point into it.
    int nCapacity = 0;
    char* pszNew = allocBuffer(nNeed, &nCapacity);
    std::memcpy(pszNew, m_pszText, (size_t)nOld);
    std::memcpy(pszNew + nOld, pszText, (size_t)nAdd);
    pszNew[nOld + nAdd] = 0;
    delete[] m_pszText;
    m_pszText = pszNew;
    m_nCapacity = nCapacity;
}

String String::concat(const char* pszA, int nA, const char* pszB, int nB)
{
    // The same capacity as a copy of the left text followed by an append of the right one,
    // in a single allocation.
    int nRequest = nA + 1;
    if (nA + nB + 1 > roundCapacity(nRequest))
        nRequest = nA + nB + 1;
    String sResult((const char*)nullptr, nRequest - 1); // null text: a request of count + 1
    std::memcpy(sResult.m_pszText, pszA, (size_t)nA);
    std::memcpy(sResult.m_pszText + nA, pszB, (size_t)nB);
    sResult.m_pszText[nA + nB] = 0;
    return sResult;
}

// ---- construction and assignment ------------------------------------------------------------

String::String() : m_pszText(nullptr), m_nCapacity(-1)
{
    reserve(EMPTY_REQUEST);
}

String::String(const char* pszText) : m_pszText(nullptr), m_nCapacity(-1)
{
    if (pszText)
        assign(pszText);
    else
        reserve(EMPTY_REQUEST);
}

String::String(const char* pszText, int nCount) : m_pszText(nullptr), m_nCapacity(-1)
{
    if (nCount < 0)
        nCount = 0;
    if (pszText)
        assign(pszText, nCount);
    else
        reserve(nCount + 1);
}

String::String(char c) : m_pszText(nullptr), m_nCapacity(-1)
{
    reserve(2);
    m_pszText[0] = c;
    m_pszText[1] = 0;
}

String::String(const String& other) : m_pszText(nullptr), m_nCapacity(-1)
{
    assign(other.m_pszText);
}

String::~String()
{
    delete[] m_pszText;
}

String& String::operator=(const String& other)
{
    assign(other.m_pszText);
    return *this;
}

String& String::operator=(const char* pszText)
{
    assign(pszText);
    return *this;
}

String& String::operator=(char c)
{
    reserve(2);
    m_pszText[0] = c;
    m_pszText[1] = 0;
    return *this;
}

String& String::operator+=(const char* pszText)
{
    if (pszText)
        append(pszText, (int)std::strlen(pszText));
    return *this;
}

String& String::operator+=(char c)
{
    if (c)
        append(&c, 1);
    return *this;
}

// ---- comparisons ----------------------------------------------------------------------------

bool String::operator==(const char* pszText) const
{
    return compare(pszText) == 0;
}

bool operator==(const String& a, const String& b)
{
    return std::strcmp(a.c_str(), b.c_str()) == 0;
}
bool operator!=(const String& a, const String& b)
{
    return !(a == b);
}
bool operator<(const String& a, const String& b)
{
    return std::strcmp(a.c_str(), b.c_str()) < 0;
}
bool operator>(const String& a, const String& b)
{
    return std::strcmp(a.c_str(), b.c_str()) > 0;
}
bool operator<=(const String& a, const String& b)
{
    return std::strcmp(a.c_str(), b.c_str()) <= 0;
}
bool operator>=(const String& a, const String& b)
{
    return std::strcmp(a.c_str(), b.c_str()) >= 0;
}

// With the C text on the left, the comparison is the member one reversed.
bool operator==(const char* a, const String& b)
{
    return b.compare(a) == 0;
}
bool operator!=(const char* a, const String& b)
{
    return b.compare(a) != 0;
}
bool operator<(const char* a, const String& b)
{
    return b.compare(a) > 0;
}
bool operator>(const char* a, const String& b)
{
    return b.compare(a) < 0;
}
bool operator<=(const char* a, const String& b)
{
    return b.compare(a) >= 0;
}
bool operator>=(const char* a, const String& b)
{
    return b.compare(a) <= 0;
}

// ---- concatenation --------------------------------------------------------------------------

String operator+(const String& a, const String& b)
{
    return String::concat(a.m_pszText, a.length(), b.m_pszText, b.length());
}

String operator+(const String& a, const char* b)
{
    if (!b)
        b = "";
    return String::concat(a.m_pszText, a.length(), b, (int)std::strlen(b));
}

String operator+(const char* a, const String& b)
{
    if (!a)
        a = "";
    return String::concat(a, (int)std::strlen(a), b.m_pszText, b.length());
}

// ---- searching ------------------------------------------------------------------------------

int String::find(const char* pszText, int nStart) const
{
    RIR_TRACE("String::find");
    if (!pszText)
        pszText = "";
    if (nStart < 0)
        nStart = 0;
    if (nStart > length())
        return -1;
    const char* p = std::strstr(m_pszText + nStart, pszText);
    return p ? (int)(p - m_pszText) : -1;
}

int String::findChar(char c, int nStart) const
{
    RIR_TRACE("String::findChar");
    const int nLen = length();
    if (c == 0)
        return nLen;
    if (nStart < 0)
        nStart = 0;
    if (nStart > nLen)
        return -1;
    const char* p = std::strchr(m_pszText + nStart, c);
    return p ? (int)(p - m_pszText) : -1;
}

int String::rfindChar(char c) const
{
    RIR_TRACE("String::rfindChar");
    const char* p = std::strrchr(m_pszText, c);
    return p ? (int)(p - m_pszText) : -1;
}

int String::findAnyOf(const char* pszSet, int nStart) const
{
    RIR_TRACE("String::findAnyOf");
    if (!pszSet || !*pszSet)
        return -1;
    if (nStart < 0)
        nStart = 0;
    if (nStart > length())
        return -1;
    // The first byte at or after the start that belongs to the set is the smallest of the
    // first positions of the set's bytes.
    const char* p = std::strpbrk(m_pszText + nStart, pszSet);
    return p ? (int)(p - m_pszText) : -1;
}

// ---- numbers and formatting -----------------------------------------------------------------

int String::toInt(const char* pszText)
{
    RIR_TRACE("String::toInt");
    if (!pszText || !*pszText)
        return 0;
    // atoi's reading, but a value beyond the int range saturates instead of wrapping.
    const long nValue = std::strtol(pszText, nullptr, 10);
    if (nValue > INT_MAX)
        return INT_MAX;
    if (nValue < INT_MIN)
        return INT_MIN;
    return (int)nValue;
}

float String::toFloat(const char* pszText)
{
    RIR_TRACE("String::toFloat");
    if (!pszText || !*pszText)
        return 0.0f;
    const double dValue = std::atof(pszText);
    // Out of the float range the conversion is undefined; give the infinity of that sign.
    if (dValue > FLT_MAX)
        return HUGE_VALF;
    if (dValue < -FLT_MAX)
        return -HUGE_VALF;
    return (float)dValue;
}

String String::vformat(const char* pszFormat, va_list args)
{
    RIR_TRACE("String::vformat");
    if (!pszFormat)
        return String();
    // vsnprintf with the buffer's full size writes at most 4095 bytes and a terminator, so a
    // longer output is cut to exactly its first 4095 bytes.
    const int nWritten = std::vsnprintf(s_szFormatBuffer, FORMAT_BUFFER_SIZE, pszFormat, args);
    if (nWritten < 0)
        s_szFormatBuffer[0] = 0;
    s_szFormatBuffer[FORMAT_BUFFER_SIZE - 1] = 0;
    return String(s_szFormatBuffer);
}

String String::format(const char* pszFormat, ...)
{
    RIR_TRACE("String::format");
    va_list args;
    va_start(args, pszFormat);
    String sResult = vformat(pszFormat, args);
    va_end(args);
    return sResult;
}

int String::printf(const char* pszFormat, ...)
{
    RIR_TRACE("String::printf");
    va_list args;
    va_start(args, pszFormat);
    *this = vformat(pszFormat, args);
    va_end(args);
    return length();
}

// ---- case, trimming, pieces -----------------------------------------------------------------

String String::toUpper() const
{
    RIR_TRACE("String::toUpper");
    String sResult(*this);
    for (char* p = sResult.m_pszText; *p; ++p)
        if (*p >= 'a' && *p <= 'z')
            *p = (char)(*p - 'a' + 'A');
    return sResult;
}

String String::toLower() const
{
    RIR_TRACE("String::toLower");
    String sResult(*this);
    for (char* p = sResult.m_pszText; *p; ++p)
        if (*p >= 'A' && *p <= 'Z')
            *p = (char)(*p - 'A' + 'a');
    return sResult;
}

String String::trimLeft() const
{
    RIR_TRACE("String::trimLeft");
    const char* p = m_pszText;
    while (isTrimSpace(*p))
        ++p;
    return String(p);
}

String String::trimRight() const
{
    RIR_TRACE("String::trimRight");
    int nEnd = length();
    while (nEnd > 0 && isTrimSpace(m_pszText[nEnd - 1]))
        --nEnd;
    return String(m_pszText, nEnd);
}

String String::trim() const
{
    RIR_TRACE("String::trim");
    return trimLeft().trimRight();
}

String String::left(int n) const
{
    RIR_TRACE("String::left");
    const int nLen = length();
    if (n < 0)
        n += nLen;
    if (n < 0)
        n = 0;
    if (n >= nLen)
        return *this;
    return String(m_pszText, n);
}

String String::right(int n) const
{
    RIR_TRACE("String::right");
    const int nLen = length();
    if (n <= 0)
        return String();
    if (n >= nLen)
        return *this;
    return String(m_pszText + (nLen - n));
}

String String::from(int a) const
{
    RIR_TRACE("String::from");
    const int nLen = length();
    if (a >= nLen)
        return String();
    if (a <= 0)
        return *this;
    return String(m_pszText + a);
}

String String::substring(int a, int b) const
{
    RIR_TRACE("String::substring");
    const int nLen = length();
    if (a < 0)
        a = 0;
    if (b >= nLen)
        b = nLen - 1;
    if (b < a)
        return String();
    return String(m_pszText + a, b - a + 1);
}

} // namespace RIR
