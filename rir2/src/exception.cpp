#include "rir2/exception.h"

#include "rir2/stream.h"

#include <cstdio>
#include <cstring>

namespace RIR
{

namespace
{

// The exception log; null unless someone sets it.
SmartPtr<Stream> g_pExceptionLog;

// True while an exception is being written to the exception log, so that a failing log stream
// that throws cannot start the same write again.
bool g_bWritingExceptionLog = false;

char* duplicateText(const char* pszText)
{
    if (!pszText)
        pszText = "";
    const size_t nSize = strlen(pszText) + 1;
    char* pszCopy = new char[nSize];
    memcpy(pszCopy, pszText, nSize);
    return pszCopy;
}

// Writes the report of a new exception to the exception log, when one is set. A log that fails,
// even by throwing, must not replace the exception being built, so its failures are dropped.
void writeExceptionLog(const char* pszFile, int nLine, const char* pszMessage)
{
    if (g_bWritingExceptionLog)
        return;
    SmartPtr<Stream> pLog = getExceptionLog();
    if (!pLog)
        return;
    g_bWritingExceptionLog = true;
    try
    {
        // The base part is being built here, so the class is always reported as "Exception".
        char szLine[48];
        snprintf(szLine, sizeof(szLine), ", line %d : \n", nLine);
        pLog->writeText("---------------------\n");
        pLog->writeText("Exception in file ");
        pLog->writeText(pszFile);
        pLog->writeText(szLine);
        pLog->writeText(pszMessage);
        pLog->writeText("\n");
        pLog->writeText("---------------------\n");
    }
    catch (...)
    {
    }
    g_bWritingExceptionLog = false;
}

} // namespace

// ---- CallStackSnapshot ------------------------------------------------------------------------

CallStackSnapshot::CallStackSnapshot()
    : m_apszNames(nullptr), m_apszFiles(nullptr), m_apszNotes(nullptr), m_abFlags(nullptr),
      m_anLines(nullptr), m_nCount(0)
{
    const CallTraceStack& st = g_callTrace;
    const int32_t nCount = st.m_nDepth;
    if (nCount <= 0)
        return;
    m_apszNames = new const char*[nCount];
    m_apszFiles = new const char*[nCount];
    m_apszNotes = new char*[nCount]();
    m_abFlags = new uint8_t[nCount];
    m_anLines = new int32_t[nCount];
    m_nCount = nCount;
    for (int32_t i = 0; i < nCount; ++i)
    {
        m_apszNames[i] = st.m_apszName[i];
        m_apszFiles[i] = st.m_apszFile[i];
        m_abFlags[i] = st.m_abFlag[i];
        m_anLines[i] = st.m_anLine[i];
        // A note always holds its terminator within TRACE_NOTE_SIZE bytes.
        const size_t nLen = strnlen(st.m_aszNote[i], TRACE_NOTE_SIZE - 1);
        m_apszNotes[i] = new char[nLen + 1];
        memcpy(m_apszNotes[i], st.m_aszNote[i], nLen);
        m_apszNotes[i][nLen] = 0;
    }
}

CallStackSnapshot::CallStackSnapshot(const CallStackSnapshot& other)
    : m_apszNames(nullptr), m_apszFiles(nullptr), m_apszNotes(nullptr), m_abFlags(nullptr),
      m_anLines(nullptr), m_nCount(0)
{
    copyFrom(other);
}

CallStackSnapshot& CallStackSnapshot::operator=(const CallStackSnapshot& other)
{
    if (this != &other)
    {
        release();
        copyFrom(other);
    }
    return *this;
}

CallStackSnapshot::~CallStackSnapshot()
{
    release();
}

void CallStackSnapshot::copyFrom(const CallStackSnapshot& other)
{
    const int32_t nCount = other.m_nCount;
    if (nCount <= 0)
        return;
    m_apszNames = new const char*[nCount];
    m_apszFiles = new const char*[nCount];
    m_apszNotes = new char*[nCount]();
    m_abFlags = new uint8_t[nCount];
    m_anLines = new int32_t[nCount];
    m_nCount = nCount;
    for (int32_t i = 0; i < nCount; ++i)
    {
        m_apszNames[i] = other.m_apszNames[i];
        m_apszFiles[i] = other.m_apszFiles[i];
        m_abFlags[i] = other.m_abFlags[i];
        m_anLines[i] = other.m_anLines[i];
        m_apszNotes[i] = duplicateText(other.m_apszNotes[i]);
    }
}

void CallStackSnapshot::release()
{
    if (m_apszNotes)
    {
        for (int32_t i = 0; i < m_nCount; ++i)
            delete[] m_apszNotes[i];
    }
    delete[] m_apszNames;
    delete[] m_apszFiles;
    delete[] m_apszNotes;
    delete[] m_abFlags;
    delete[] m_anLines;
    m_apszNames = nullptr;
    m_apszFiles = nullptr;
    m_apszNotes = nullptr;
    m_abFlags = nullptr;
    m_anLines = nullptr;
    m_nCount = 0;
}

const char* CallStackSnapshot::getEntryName(int i) const
{
    static char s_szName[1024];
    if (i < 0 || i >= m_nCount)
        return "";
    size_t nPos = 0;
    if (m_abFlags[i])
        s_szName[nPos++] = '$';
    const char* pszName = m_apszNames[i] ? m_apszNames[i] : "";
    const size_t nLen = strnlen(pszName, sizeof(s_szName) - 1 - nPos);
    memcpy(s_szName + nPos, pszName, nLen);
    s_szName[nPos + nLen] = 0;
    return s_szName;
}

const char* CallStackSnapshot::getEntryFile(int i) const
{
    if (i < 0 || i >= m_nCount || !m_apszFiles[i])
        return "";
    return m_apszFiles[i];
}

const char* CallStackSnapshot::getEntryNote(int i) const
{
    if (i < 0 || i >= m_nCount)
        return "";
    return m_apszNotes[i];
}

int CallStackSnapshot::getEntryLine(int i) const
{
    if (i < 0 || i >= m_nCount)
        return 0;
    return m_anLines[i];
}

// ---- Exception --------------------------------------------------------------------------------

// The snapshot is the first member, so it is taken before this constructor's own trace entry.
Exception::Exception(const char* pszFile, int nLine, const char* pszMessage)
    : m_pszMessage(nullptr), m_pszFile(duplicateText(pszFile)), m_nLine(nLine)
{
    RIR_TRACE("Exception::Exception");
    setMessage(pszMessage);
    writeExceptionLog(m_pszFile, m_nLine, m_pszMessage);
}

Exception::Exception(const Exception& other)
    : m_snapshot(other.m_snapshot), m_pszMessage(duplicateText(other.m_pszMessage)),
      m_pszFile(duplicateText(other.m_pszFile)), m_nLine(other.m_nLine)
{
}

Exception& Exception::operator=(const Exception& other)
{
    if (this != &other)
    {
        char* pszMessage = duplicateText(other.m_pszMessage);
        char* pszFile = duplicateText(other.m_pszFile);
        m_snapshot = other.m_snapshot;
        delete[] m_pszMessage;
        delete[] m_pszFile;
        m_pszMessage = pszMessage;
        m_pszFile = pszFile;
        m_nLine = other.m_nLine;
    }
    return *this;
}

Exception::~Exception()
{
    delete[] m_pszMessage;
    delete[] m_pszFile;
}

const char* Exception::getClassName() const
{
    return "Exception";
}

const char* Exception::getMessage() const
{
    return m_pszMessage;
}

void Exception::setMessage(const char* pszMessage)
{
    // Copy first: the new text may be the old message itself.
    char* pszCopy = duplicateText(pszMessage);
    delete[] m_pszMessage;
    m_pszMessage = pszCopy;
}

const char* Exception::getFile() const
{
    return m_pszFile;
}

int Exception::getLine() const
{
    return m_nLine;
}

// ---- Exception log ----------------------------------------------------------------------------

void setExceptionLog(const SmartPtr<Stream>& pStream)
{
    RIR_TRACE("setExceptionLog");
    g_pExceptionLog = pStream;
}

SmartPtr<Stream> getExceptionLog()
{
    return g_pExceptionLog;
}

} // namespace RIR
