// Crash hooks: the trace text of dumpCallTrace, the handlers initSignals installs, and real
// crashes in child processes, which must leave the trace in their log and end with exit code 1
// (never hang, never die by the signal itself), a second fault inside the handler included.
#include "app/crashhooks.h"

#include "app/log.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/tests/tempfolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{

typedef void (*Action)();

int g_nOuterLine = 0;
int g_nInnerLine = 0;

// The traced path every crash below runs through: two entries, the inner one with a note that
// looks like a format.
void crashInner(Action pfnAction)
{
    RIR_TRACE("crashInner");
    RIR::setTraceParams("note %s%n");
    g_nInnerLine = __LINE__ + 1;
    RIR_TRACE_LINE();
    pfnAction();
}

void crashOuter(Action pfnAction)
{
    RIR_TRACE("crashOuter");
    g_nOuterLine = __LINE__ + 1;
    RIR_TRACE_LINE();
    crashInner(pfnAction);
}

// Kept out of the sanitizers' reach so that the fault is the processor's, not a report.
__attribute__((no_sanitize("address", "undefined"))) void dereferenceNull()
{
    volatile int* volatile pNull = nullptr;
    *pNull = 1;
}

void callAbort()
{
    std::abort();
}

void raiseFpe()
{
    std::raise(SIGFPE);
}

volatile bool g_bRecurse = true;

void overflowStack()
{
    RIR_TRACE("overflowStack");
    volatile char aPad[4096];
    aPad[0] = 1;
    if (g_bRecurse)
        overflowStack();
    aPad[1] = aPad[0];
}

void runOverflow()
{
    overflowStack();
}

// Writes a marker file, then faults again inside the crash handler.
const char* g_pszMarker = nullptr;

void faultingHook(int nCode)
{
    const int nFile = open(g_pszMarker, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    char szText[32];
    const int nLen = std::snprintf(szText, sizeof szText, "hook %d", nCode);
    if (nFile >= 0)
    {
        (void)!write(nFile, szText, (size_t)nLen);
        close(nFile);
    }
    dereferenceNull();
}

// Runs pfnAction through the traced path in a child process with the log at sLog, the crash
// hooks installed and pfnHook as the fatal-signal hook. Returns the child's wait status; a
// child still running after a generous limit is killed and reported.
int runCrashChild(const std::string& sLog, Action pfnAction, FatalSignalHook pfnHook)
{
    const pid_t nPid = fork();
    if (nPid < 0)
    {
        ADD_FAILURE() << "fork failed";
        return -1;
    }
    if (nPid == 0)
    {
        openLog(sLog.c_str());
        initSignals();
        setFatalSignalHook(pfnHook);
        crashOuter(pfnAction);
        _exit(99); // the action came back: no crash happened
    }
    const auto tEnd = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int nStatus = 0;
    for (;;)
    {
        const pid_t nDone = waitpid(nPid, &nStatus, WNOHANG);
        if (nDone == nPid)
            return nStatus;
        if (std::chrono::steady_clock::now() > tEnd)
        {
            kill(nPid, SIGKILL);
            waitpid(nPid, &nStatus, 0);
            ADD_FAILURE() << "the crashing child hung";
            return nStatus;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// What dumpCallTrace writes for the traced path, taken in this process without crashing.
std::string dryRunTrace(const TempFolder& tmp)
{
    const std::string sLog = tmp.at("dry.log");
    openLog(sLog.c_str());
    crashOuter(
        []
        {
            RIR::CallStackSnapshot snapshot;
            dumpCallTrace(&snapshot);
        });
    closeLog();
    return TempFolder::readFile(sLog);
}

TEST(CrashHooks, DumpCallTraceWritesOneLinePerEntry)
{
    TempFolder tmp;
    const std::string sTrace = dryRunTrace(tmp);
    const std::string sExpected = "M: ----- Stack trace -----\n"
                                  "M: [01] $crashOuter [" __FILE__ " " +
                                  std::to_string(g_nOuterLine) +
                                  "]\n"
                                  "M: [00] $crashInner [" __FILE__ " " +
                                  std::to_string(g_nInnerLine) + "] - note %s%n\n";
    EXPECT_EQ(sExpected, sTrace);

    const std::string sLog = tmp.at("other.log");
    openLog(sLog.c_str());
    dumpCallTrace(nullptr);
    RIR::CallStackSnapshot empty; // taken outside any traced call
    dumpCallTrace(&empty);
    closeLog();
    EXPECT_EQ("M: ----- Stack trace not available -----\n"
              "M: ----- Stack trace -----\n",
              TempFolder::readFile(sLog));
}

TEST(CrashHooks, InitSignalsInstallsTheHandlerBySymbolicNumber)
{
    // SIGTTOU is the number a Windows abort signal would have here; it must stay untouched.
    const int aSignals[] = {SIGSEGV, SIGABRT, SIGFPE, SIGTTOU};
    struct sigaction aOld[4];
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(0, sigaction(aSignals[i], nullptr, &aOld[i]));

    initSignals();
    for (int i = 0; i < 4; ++i)
    {
        struct sigaction now;
        ASSERT_EQ(0, sigaction(aSignals[i], nullptr, &now));
        SCOPED_TRACE(aSignals[i]);
        if (aSignals[i] == SIGTTOU)
            EXPECT_EQ(aOld[i].sa_handler, now.sa_handler);
        else
        {
            EXPECT_EQ(0, now.sa_flags & SA_SIGINFO);
            EXPECT_EQ(&handleFatalSignal, now.sa_handler);
        }
    }
    for (int i = 0; i < 4; ++i)
        sigaction(aSignals[i], &aOld[i], nullptr);
}

TEST(CrashHooks, CrashLeavesTheTraceInTheLogAndExitsWithOne)
{
    TempFolder tmp;
    const std::string sTrace = dryRunTrace(tmp);
    struct Case
    {
        const char* pszName;
        Action pfnAction;
        int nSignal;
        const char* pszHead;
    };
    const Case aCases[] = {
        {"null pointer", &dereferenceNull, SIGSEGV, "M: ** SIG 11 [B]"},
        {"abort", &callAbort, SIGABRT, "M: ** SIG 6 [6]"},
        {"floating-point signal", &raiseFpe, SIGFPE, "M: ** SIG 8 [8]"},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        const std::string sLog = tmp.at(std::string(c.pszName) + ".log");
        const int nStatus = runCrashChild(sLog, c.pfnAction, nullptr);
        ASSERT_TRUE(WIFEXITED(nStatus))
            << "killed by signal " << (WIFSIGNALED(nStatus) ? WTERMSIG(nStatus) : -1);
        EXPECT_EQ(1, WEXITSTATUS(nStatus));
        EXPECT_EQ(std::string(c.pszHead) + sTrace + "**\nM: == END ==\n\n",
                  TempFolder::readFile(sLog));
    }
}

TEST(CrashHooks, FaultInsideTheHandlerEndsTheProcessAtOnce)
{
    TempFolder tmp;
    const std::string sTrace = dryRunTrace(tmp);
    const std::string sMarker = tmp.at("hook.txt");
    g_pszMarker = sMarker.c_str();
    const std::string sLog = tmp.at("twice.log");
    const int nStatus = runCrashChild(sLog, &dereferenceNull, &faultingHook);
    ASSERT_TRUE(WIFEXITED(nStatus))
        << "killed by signal " << (WIFSIGNALED(nStatus) ? WTERMSIG(nStatus) : -1);
    EXPECT_EQ(1, WEXITSTATUS(nStatus));
    EXPECT_EQ("hook 11", TempFolder::readFile(sMarker));
    // The trace is written once: the second fault did not start another report.
    EXPECT_EQ("M: ** SIG 11 [B]" + sTrace + "**\nM: == END ==\n\n", TempFolder::readFile(sLog));
}

TEST(CrashHooks, StackOverflowIsReportedToo)
{
    TempFolder tmp;
    const std::string sLog = tmp.at("overflow.log");
    const int nStatus = runCrashChild(sLog, &runOverflow, nullptr);
    ASSERT_TRUE(WIFEXITED(nStatus))
        << "killed by signal " << (WIFSIGNALED(nStatus) ? WTERMSIG(nStatus) : -1);
    EXPECT_EQ(1, WEXITSTATUS(nStatus));
    const std::string sText = TempFolder::readFile(sLog);
    EXPECT_EQ(0u, sText.find("M: ** SIG 11 [B]M: ----- Stack trace -----\n"));
    EXPECT_NE(std::string::npos, sText.find("$overflowStack ["));
    const std::string sTail = "**\nM: == END ==\n\n";
    ASSERT_GE(sText.size(), sTail.size());
    EXPECT_EQ(sTail, sText.substr(sText.size() - sTail.size()));
}

} // namespace
