// Helpers shared by the fuzz targets.
//
// A target accepts the system's own error (a RIR::Exception) as the right answer to bad input.
// Anything else is a finding: a crash, a sanitizer report, another exception leaving the target,
// or a broken promise of the reader, which FUZZ_CHECK turns into an abort with a message.
//
// Every target states the promise it checks in one line starting "Invariant:".
#ifndef FUZZ_FUZZCHECK_H
#define FUZZ_FUZZCHECK_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

// The input as a text the way a reader of a C string sees it: cut to FUZZ_MAX_INPUT bytes and at
// the first zero byte.
inline std::string fuzzText(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    std::string sText(reinterpret_cast<const char*>(pData), nSize);
    sText.resize(std::strlen(sText.c_str()));
    return sText;
}

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
