// The cost of the call trace: one traced call (push, line update, pop) against the same call
// untraced, and what an exception pays for its snapshot at a few depths.
#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <benchmark/benchmark.h>

namespace
{

__attribute__((noinline)) int untracedCall(int n)
{
    benchmark::DoNotOptimize(n);
    return n + 1;
}

__attribute__((noinline)) int tracedCall(int n)
{
    RIR_TRACE("Bench::tracedCall");
    RIR_TRACE_LINE();
    benchmark::DoNotOptimize(n);
    return n + 1;
}

void BM_UntracedCall(benchmark::State& state)
{
    int n = 0;
    for (auto _ : state)
        n = untracedCall(n);
    benchmark::DoNotOptimize(n);
}
BENCHMARK(BM_UntracedCall);

void BM_TracedCall(benchmark::State& state)
{
    int n = 0;
    for (auto _ : state)
        n = tracedCall(n);
    benchmark::DoNotOptimize(n);
}
BENCHMARK(BM_TracedCall);

void BM_TracedCallWithNote(benchmark::State& state)
{
    RIR_TRACE("Bench::withNote");
    for (auto _ : state)
    {
        RIR::TraceScope scope("Bench::loadResource", __FILE__, __LINE__);
        RIR::setTraceParams("pictures/saloon/background.png");
    }
}
BENCHMARK(BM_TracedCallWithNote);

// Builds an exception (snapshot of state.range(0) entries, one note each) and destroys it.
void BM_ExceptionAtDepth(benchmark::State& state)
{
    const int nDepth = (int)state.range(0);
    for (int i = 0; i < nDepth; ++i)
        RIR::pushTraceFrame("Bench::frame", __FILE__, __LINE__);
    RIR::setTraceParams("a short note");
    for (auto _ : state)
    {
        RIR::FatalErrorException ex(__FILE__, __LINE__, "benchmark");
        benchmark::DoNotOptimize(ex.getSnapshot().getCount());
    }
    for (int i = 0; i < nDepth; ++i)
        RIR::popTraceFrame();
}
BENCHMARK(BM_ExceptionAtDepth)->Arg(0)->Arg(10)->Arg(50);

} // namespace
