#include "app/crashhooks.h"

#include "app/log.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace
{

const int CRASH_SIGNALS[] = {SIGSEGV, SIGABRT, SIGFPE};

// Bytes of one formatted trace line, terminator included.
const int LINE_SIZE = 4096;
// Bytes of the crash log's path, terminator included.
const int PATH_SIZE = 4096;

// The crash log; "" writes nothing. Filled by initSignals, read by the handler.
char g_szCrashLogPath[PATH_SIZE];

std::atomic<FatalSignalHook> g_pfnHook(nullptr);
std::atomic_flag g_bInHandler = ATOMIC_FLAG_INIT;

// The handler's own stack, used when the thread has none (a stack overflow leaves no room on
// the faulting stack).
alignas(16) char g_aSignalStack[256 * 1024];

// A line built in place: text and numbers appended up to a fixed size, cut when full. Nothing
// allocates, so the crash handler can use it.
class LineBuffer
{
public:
    LineBuffer() : m_nLength(0) { m_szText[0] = 0; }

    // Appends at most nMax bytes of pszText (null counts as "").
    void add(const char* pszText, size_t nMax = (size_t)-1)
    {
        if (!pszText)
            return;
        // One byte stays free for the line end.
        while (nMax-- > 0 && *pszText && m_nLength < LINE_SIZE - 2)
            m_szText[m_nLength++] = *pszText++;
        m_szText[m_nLength] = 0;
    }
    // Appends nValue in decimal with at least nMinDigits digits (zero-padded).
    void addDecimal(int nValue, int nMinDigits = 1)
    {
        char szDigits[16];
        int n = 0;
        long long nRest = nValue < 0 ? -(long long)nValue : nValue;
        do
        {
            szDigits[n++] = (char)('0' + nRest % 10);
            nRest /= 10;
        } while (nRest > 0);
        while (n < nMinDigits && n < 12)
            szDigits[n++] = '0';
        if (nValue < 0)
            szDigits[n++] = '-';
        addReversed(szDigits, n);
    }
    // Appends nValue in upper-case hexadecimal, without leading zeros.
    void addHex(unsigned int nValue)
    {
        char szDigits[16];
        int n = 0;
        do
        {
            szDigits[n++] = "0123456789ABCDEF"[nValue & 15];
            nValue >>= 4;
        } while (nValue > 0);
        addReversed(szDigits, n);
    }
    // Ends the line with "\n"; the room for it is always kept.
    void endLine()
    {
        m_szText[m_nLength++] = '\n';
        m_szText[m_nLength] = 0;
    }

    const char* c_str() const { return m_szText; }
    size_t length() const { return (size_t)m_nLength; }

private:
    void addReversed(const char* pszDigits, int n)
    {
        char szText[16];
        for (int i = 0; i < n; ++i)
            szText[i] = pszDigits[n - 1 - i];
        szText[n] = 0;
        add(szText);
    }

    char m_szText[LINE_SIZE];
    int m_nLength;
};

// "M: [nn] name [file line]", " - note" when there is a note, and "\n".
void formatTraceLine(LineBuffer& line, int nNumber, bool bFlag, const char* pszName,
                     const char* pszFile, int nLine, const char* pszNote, size_t nNoteMax)
{
    line.add("M: [");
    line.addDecimal(nNumber, 2);
    line.add("] ");
    // Names are cut where a snapshot's entry name is cut: 1023 bytes with the flag's "$".
    if (bFlag)
        line.add("$");
    line.add(pszName, bFlag ? 1022 : 1023);
    line.add(" [");
    line.add(pszFile);
    line.add(" ");
    line.addDecimal(nLine);
    line.add("]");
    if (pszNote && pszNote[0])
    {
        line.add(" - ");
        line.add(pszNote, nNoteMax);
    }
    line.endLine();
}

// Writes all n bytes, going on after interruptions; gives up on any other error.
void writeAll(int nFile, const char* pData, size_t n)
{
    while (n > 0)
    {
        const ssize_t nDone = write(nFile, pData, n);
        if (nDone < 0 && errno == EINTR)
            continue;
        if (nDone <= 0)
            return;
        pData += nDone;
        n -= (size_t)nDone;
    }
}

void writeText(int nFile, const char* pszText)
{
    writeAll(nFile, pszText, std::strlen(pszText));
}

// The live call trace in the form of dumpCallTrace, read straight from the trace stack.
void writeLiveTrace(int nFile)
{
    const RIR::CallTraceStack& st = RIR::g_callTrace;
    int nCount = st.m_nDepth;
    if (nCount < 0)
        nCount = 0;
    if (nCount > RIR::TRACE_MAX_DEPTH)
        nCount = RIR::TRACE_MAX_DEPTH;
    writeText(nFile, "M: ----- Stack trace -----\n");
    for (int i = 0; i < nCount; ++i)
    {
        LineBuffer line;
        formatTraceLine(line, nCount - 1 - i, st.m_abFlag[i] != 0, st.m_apszName[i],
                        st.m_apszFile[i], st.m_anLine[i], st.m_aszNote[i],
                        RIR::TRACE_NOTE_SIZE - 1);
        writeAll(nFile, line.c_str(), line.length());
    }
}

} // namespace

void initSignals()
{
    RIR_TRACE("initSignals");
    g_szCrashLogPath[0] = 0;
    if (getLogFile())
    {
        const RIR::String sPath = getLogFileName();
        // A path that does not fit is not cut: the report would land in some other file.
        if (sPath.length() < PATH_SIZE)
            std::memcpy(g_szCrashLogPath, sPath.c_str(), (size_t)sPath.length() + 1);
    }

    RIR_TRACE_LINE();
    stack_t current;
    if (sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE))
    {
        stack_t own;
        own.ss_sp = g_aSignalStack;
        own.ss_size = sizeof g_aSignalStack;
        own.ss_flags = 0;
        sigaltstack(&own, nullptr);
    }

    // SA_NODEFER: a fault inside the handler enters it again (and meets the re-entry guard)
    // instead of being blocked, which would kill the process without a word.
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = &handleFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_NODEFER | SA_ONSTACK;
    for (int nSignal : CRASH_SIGNALS)
        sigaction(nSignal, &action, nullptr);
}

void handleFatalSignal(int nCode)
{
    if (g_bInHandler.test_and_set())
        _exit(1);

    if (g_szCrashLogPath[0] && getLogFile())
    {
        const int nFile = open(g_szCrashLogPath, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
        if (nFile >= 0)
        {
            LineBuffer head;
            head.add("M: ** SIG ");
            head.addDecimal(nCode);
            head.add(" [");
            head.addHex((unsigned int)nCode);
            head.add("]");
            writeAll(nFile, head.c_str(), head.length());
            writeLiveTrace(nFile);
            writeText(nFile, "**\n");
            writeText(nFile, "M: == END ==\n");
            writeText(nFile, "\n");
            close(nFile);
        }
    }

    const FatalSignalHook pfnHook = g_pfnHook.load();
    if (pfnHook)
        pfnHook(nCode);
    sendLogReport();
    _exit(1);
}

void dumpCallTrace(const RIR::CallStackSnapshot* pSnapshot)
{
    if (!pSnapshot)
    {
        logPrintf("M: ----- Stack trace not available -----\n");
        return;
    }
    logPrintf("M: ----- Stack trace -----\n");
    const int nCount = pSnapshot->getCount();
    for (int i = 0; i < nCount; ++i)
    {
        LineBuffer line;
        // getEntryName already carries the flag's "$".
        formatTraceLine(line, nCount - 1 - i, false, pSnapshot->getEntryName(i),
                        pSnapshot->getEntryFile(i), pSnapshot->getEntryLine(i),
                        pSnapshot->getEntryNote(i), (size_t)-1);
        logPrintf("%s", line.c_str());
    }
}

void setFatalSignalHook(FatalSignalHook pfnHook)
{
    RIR_TRACE("setFatalSignalHook");
    g_pfnHook.store(pfnHook);
}
