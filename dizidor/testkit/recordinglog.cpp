#include "testkit/recordinglog.h"

#include "rir2/calltrace.h"

#include <cstdarg>
#include <cstring>

RecordingLog::RecordingLog()
{
    RIR_TRACE("RecordingLog::RecordingLog");
}

RecordingLog::~RecordingLog()
{
    RIR_TRACE("RecordingLog::~RecordingLog");
}

void RecordingLog::add(const char* pszEntry)
{
    RIR_TRACE("RecordingLog::add");
    m_lEntries.append(RIR::String(pszEntry));
}

void RecordingLog::addf(const char* pszFormat, ...)
{
    RIR_TRACE("RecordingLog::addf");
    va_list args;
    va_start(args, pszFormat);
    RIR::String sEntry = RIR::String::vformat(pszFormat, args);
    va_end(args);
    m_lEntries.append(sEntry);
}

void RecordingLog::clear()
{
    m_lEntries.clear();
}

bool RecordingLog::isCall(const RIR::String& sEntry, const char* pszCall)
{
    const size_t nLength = std::strlen(pszCall);
    if (std::strncmp(sEntry.c_str(), pszCall, nLength) != 0)
        return false;
    const char cNext = sEntry.c_str()[nLength];
    return cNext == 0 || cNext == '(';
}

int RecordingLog::countCalls(const char* pszCall) const
{
    RIR_TRACE("RecordingLog::countCalls");
    int nCount = 0;
    for (int i = 0; i < m_lEntries.getLength(); ++i)
    {
        if (isCall(m_lEntries.getNode(i)->m_value, pszCall))
            ++nCount;
    }
    return nCount;
}

int RecordingLog::indexOf(const char* pszEntry, int nFrom) const
{
    RIR_TRACE("RecordingLog::indexOf");
    for (int i = nFrom < 0 ? 0 : nFrom; i < m_lEntries.getLength(); ++i)
    {
        if (isCall(m_lEntries.getNode(i)->m_value, pszEntry))
            return i;
    }
    return -1;
}

RIR::List<RIR::String> RecordingLog::filter(const char* pszPrefix) const
{
    RIR_TRACE("RecordingLog::filter");
    RIR::List<RIR::String> lResult;
    const size_t nLength = std::strlen(pszPrefix);
    for (int i = 0; i < m_lEntries.getLength(); ++i)
    {
        const RIR::String& sEntry = m_lEntries.getNode(i)->m_value;
        if (std::strncmp(sEntry.c_str(), pszPrefix, nLength) == 0)
            lResult.append(sEntry);
    }
    return lResult;
}

RIR::String RecordingLog::toString() const
{
    RIR_TRACE("RecordingLog::toString");
    return m_lEntries.join(RIR::String("; "));
}
