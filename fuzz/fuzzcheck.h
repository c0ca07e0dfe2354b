// Helpers shared by the fuzz targets.
//
// A target accepts the system's own error (a RIR::Exception) as the right answer to bad input.
// Anything else is a finding: a crash, a sanitizer report, another exception leaving the target,
// or a broken promise of the reader, which FUZZ_CHECK turns into an abort with a message.
//
// Every target states the promise it checks in one line starting "Invariant:".
#ifndef FUZZ_FUZZCHECK_H
#define FUZZ_FUZZCHECK_H

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                           \
    do                                                                                             \
    {                                                                                              \
        if (!(cond))                                                                               \
        {                                                                                          \
            std::fprintf(stderr, "%s(%d): FUZZ_CHECK failed: %s\n", __FILE__, __LINE__, #cond);    \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// Inputs beyond this size are cut: no reader needs more to show a fault, and the stored 32-bit
// sizes stay far from their limits.
const size_t FUZZ_MAX_INPUT = 1 << 20;

// Test hook: with DBD_FUZZ_BROKEN_READER set, a target puts in place of its reader one broken on
// purpose (it accepts a damaged input, or loses a value), and the target's checks must then fail
// on the damaged seed named in CMakeLists.txt. It shows that a target catches wrong answers, not
// only crashes. The hook lives in the targets only; no library code knows of it.
inline bool fuzzBrokenReader()
{
    static const bool s_bBroken = std::getenv("DBD_FUZZ_BROKEN_READER") != nullptr;
    return s_bBroken;
}

#endif
