// Crash hooks: what ends up in the log when the program fails.
//
// `main` opens the log, then calls initSignals once; from then on a fatal signal (SIGSEGV,
// SIGABRT, SIGFPE) runs handleFatalSignal, which appends the live call trace to the log and ends
// the process. An uncaught C++ exception ends in std::terminate, whose abort arrives here as
// SIGABRT. The log text of a crash:
//     M: ** SIG 11 [B]M: ----- Stack trace -----
//     M: [01] $GameApp::stepFrame [dizidor/src/app/gameapp.cpp 412]
//     M: [00] $Sprite::draw [dizidor/src/gfx/sprite.cpp 88] - hero
//     **
//     M: == END ==
//     (an empty line)
// dumpCallTrace writes the same entry lines for a snapshot an exception carries.
//
// The handler itself allocates nothing and uses no stdio: it formats into stack buffers and
// appends to the log file with write(2). It runs on a stack of its own when the thread has none
// set up, so that a stack overflow is reported too. A second fault while it runs (in any thread)
// ends the process at once with exit code 1.
#ifndef DIZIDOR_APP_CRASHHOOKS_H
#define DIZIDOR_APP_CRASHHOOKS_H

namespace RIR
{
class CallStackSnapshot;
}

// Installs handleFatalSignal for SIGSEGV, SIGABRT and SIGFPE and notes the path of the log open
// now as the crash log (none open: a crash writes nothing). Call it again after the log moves.
void initSignals();

// The crash handler: logs "M: ** SIG <code> [<code in hex>]" and the live call trace, then
// "**", "M: == END ==" and an empty line; then runs the fatal-signal hook (if any), sends the
// log report (when armed) and ends the process with exit code 1. Never returns.
[[noreturn]] void handleFatalSignal(int nCode);

// Writes the snapshot to the log: "M: ----- Stack trace -----" and one line per entry from the
// outermost call (numbered count - 1) to the innermost (numbered 00), each with the entry's name,
// file, line and, when it has one, its note. A null snapshot writes
// "M: ----- Stack trace not available -----". Notes and names are written as text, never used
// as formats. A line is cut to 4095 bytes.
void dumpCallTrace(const RIR::CallStackSnapshot* pSnapshot);

// What the application does in the crash handler once the trace is in the log: switch full
// screen off and end through its emergency exit. It runs inside a signal handler, so it should
// do little; if it returns, the handler goes on with the log report and the exit. Null (the
// default) runs nothing.
typedef void (*FatalSignalHook)(int nCode);
void setFatalSignalHook(FatalSignalHook pfnHook);

#endif
