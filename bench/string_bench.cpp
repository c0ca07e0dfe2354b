// String building: appending (exact-size growth, no geometric reserve), concatenation and the
// shared-buffer formatter.
#include "rir2/rirstring.h"

#include <benchmark/benchmark.h>

using RIR::String;

// Appends state.range(0) pieces of 8 bytes to one string: every append that does not fit
// reallocates to the exact rounded size.
static void BM_StringAppend(benchmark::State& state)
{
    const int nPieces = (int)state.range(0);
    for (auto _ : state)
    {
        String s;
        for (int i = 0; i < nPieces; ++i)
            s += "abcdefgh";
        benchmark::DoNotOptimize(s.c_str());
    }
    state.SetBytesProcessed(state.iterations() * nPieces * 8);
}
BENCHMARK(BM_StringAppend)->Arg(4)->Arg(64)->Arg(512);

// Appends one byte at a time, as a text-entry or token loop does.
static void BM_StringAppendChar(benchmark::State& state)
{
    const int nChars = (int)state.range(0);
    for (auto _ : state)
    {
        String s;
        for (int i = 0; i < nChars; ++i)
            s += (char)('a' + i % 26);
        benchmark::DoNotOptimize(s.c_str());
    }
    state.SetItemsProcessed(state.iterations() * nChars);
}
BENCHMARK(BM_StringAppendChar)->Arg(16)->Arg(256);

// Builds a resource path from three parts with operator+.
static void BM_StringConcat(benchmark::State& state)
{
    const String sFolder("characters/");
    const String sName("customer_walk");
    for (auto _ : state)
    {
        String s = sFolder + sName + ".anim";
        benchmark::DoNotOptimize(s.c_str());
    }
}
BENCHMARK(BM_StringConcat);

// A short settings key, the most common use of format.
static void BM_StringFormatShort(benchmark::State& state)
{
    int n = 0;
    for (auto _ : state)
    {
        String s = String::format("CachedHighScore_%d_%d_%d_%d_", n, n + 1, n + 2, n + 3);
        benchmark::DoNotOptimize(s.c_str());
        ++n;
    }
}
BENCHMARK(BM_StringFormatShort);

// A log-sized line with a float and a string argument.
static void BM_StringFormatLine(benchmark::State& state)
{
    const char* pszName = "dolly/serve_left.anim";
    float f = 0.0f;
    for (auto _ : state)
    {
        String s = String::format("G: loaded %s in %.3f s (%d frames, flags 0x%08X)\n", pszName,
                                  (double)f, 42, 0xC0FFEEu);
        benchmark::DoNotOptimize(s.c_str());
        f += 0.001f;
    }
}
BENCHMARK(BM_StringFormatLine);

// Output beyond the 4095-byte cut.
static void BM_StringFormatCut(benchmark::State& state)
{
    const String sLong = String::format("%5000s", "x");
    for (auto _ : state)
    {
        String s = String::format("%s", sLong.c_str());
        benchmark::DoNotOptimize(s.c_str());
    }
}
BENCHMARK(BM_StringFormatCut);
