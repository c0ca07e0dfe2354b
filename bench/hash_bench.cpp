// Lookups in a Hash<String, String> of 1,000 keys: in the 97 buckets every table is built with,
// and after rehashToFit has rebuilt it to fit (1597 buckets). Hits cycle through every key;
// misses ask for keys that are not there, which walks a whole bucket.
#include "rir2/hash.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace
{

const int KEY_COUNT = 1000;

std::vector<RIR::String> makeKeys(const char* pszPattern)
{
    std::vector<RIR::String> v;
    for (int i = 0; i < KEY_COUNT; ++i)
        v.push_back(RIR::String::format(pszPattern, i));
    return v;
}

void fill(RIR::Hash<RIR::String, RIR::String>& h, const std::vector<RIR::String>& vKeys)
{
    for (const RIR::String& sKey : vKeys)
        h.set(sKey, sKey + "-value");
}

void runLookups(benchmark::State& state, bool bRehash, bool bHits)
{
    const std::vector<RIR::String> vKeys = makeKeys("Player%d.Setting");
    const std::vector<RIR::String> vMissing = makeKeys("Player%d.Missing");
    RIR::Hash<RIR::String, RIR::String> h;
    fill(h, vKeys);
    if (bRehash)
        h.rehashToFit();
    state.counters["buckets"] = h.getBucketCount();
    const std::vector<RIR::String>& vAsk = bHits ? vKeys : vMissing;
    size_t i = 0;
    for (auto _ : state)
    {
        if (bHits)
            benchmark::DoNotOptimize(h.get(vAsk[i]).c_str());
        else
            benchmark::DoNotOptimize(h.contains(vAsk[i]));
        if (++i == vAsk.size())
            i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_HashGet_97Buckets(benchmark::State& state)
{
    runLookups(state, false, true);
}
void BM_HashGet_AfterRehashToFit(benchmark::State& state)
{
    runLookups(state, true, true);
}
void BM_HashMiss_97Buckets(benchmark::State& state)
{
    runLookups(state, false, false);
}
void BM_HashMiss_AfterRehashToFit(benchmark::State& state)
{
    runLookups(state, true, false);
}

} // namespace

BENCHMARK(BM_HashGet_97Buckets);
BENCHMARK(BM_HashGet_AfterRehashToFit);
BENCHMARK(BM_HashMiss_97Buckets);
BENCHMARK(BM_HashMiss_AfterRehashToFit);
