// Reading compressed data through ZStream against inflating the same bytes with zlib directly.
//
// Both sides inflate the same level-9 zlib stream of 4 MiB (half text-like, half random) out of
// memory and report bytes per second of uncompressed output. The argument is the size of each
// read request on the ZStream side and of the output window on the zlib side; small requests
// show the per-call cost of the stream layer.
#include "rir2/memstream.h"
#include "rir2/zstream.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <vector>

namespace
{

const size_t BENCH_DATA_SIZE = 4 * 1024 * 1024;

struct BenchData
{
    std::vector<uint8_t> plain;
    std::vector<uint8_t> packed;

    BenchData()
    {
        plain.resize(BENCH_DATA_SIZE);
        std::mt19937 rng(42);
        const char* pszWords = "the dusty wagon rolls past the saloon and the bank at high noon ";
        const size_t nWords = strlen(pszWords);
        for (size_t i = 0; i < plain.size(); ++i)
            plain[i] = (i / 65536) % 2 == 0 ? (uint8_t)pszWords[(i * 7 + i / 97) % nWords]
                                            : (uint8_t)(rng() & 0x3F);
        RIR::MemStream out;
        {
            RIR::ZStream z(&out, 9);
            z.write((int)plain.size(), plain.data());
        }
        packed.assign(out.getBuffer(), out.getBuffer() + out.size());
    }
};

const BenchData& benchData()
{
    static const BenchData data;
    return data;
}

void BM_ZStreamRead(benchmark::State& state)
{
    const BenchData& data = benchData();
    const int nChunk = (int)state.range(0);
    std::vector<uint8_t> out(data.plain.size());
    for (auto _ : state)
    {
        RIR::MemStream in(data.packed.data(), (int)data.packed.size());
        RIR::ZStream z(&in, 9);
        size_t nDone = 0;
        for (;;)
        {
            const int nGot = z.read(nChunk, out.data() + nDone);
            if (nGot <= 0)
                break;
            nDone += (size_t)nGot;
            if (nDone + (size_t)nChunk > out.size())
                break;
        }
        benchmark::DoNotOptimize(out.data());
        if (nDone + (size_t)nChunk <= out.size())
        {
            state.SkipWithError("short read");
            break;
        }
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)data.plain.size());
}

void BM_ZlibInflate(benchmark::State& state)
{
    const BenchData& data = benchData();
    const uInt nChunk = (uInt)state.range(0);
    std::vector<uint8_t> out(data.plain.size() + nChunk);
    for (auto _ : state)
    {
        z_stream zs;
        memset(&zs, 0, sizeof(zs));
        if (inflateInit(&zs) != Z_OK)
        {
            state.SkipWithError("inflateInit");
            break;
        }
        // Input in 4096-byte blocks, as the stream layer feeds it.
        size_t nIn = 0;
        size_t nDone = 0;
        int nErr = Z_OK;
        while (nErr == Z_OK)
        {
            if (zs.avail_in == 0)
            {
                const size_t nBlock = std::min<size_t>(4096, data.packed.size() - nIn);
                zs.next_in = const_cast<Bytef*>(data.packed.data() + nIn);
                zs.avail_in = (uInt)nBlock;
                nIn += nBlock;
            }
            zs.next_out = out.data() + nDone;
            zs.avail_out = nChunk;
            nErr = inflate(&zs, Z_NO_FLUSH);
            nDone = zs.total_out;
        }
        inflateEnd(&zs);
        benchmark::DoNotOptimize(out.data());
        if (nErr != Z_STREAM_END || nDone != data.plain.size())
        {
            state.SkipWithError("inflate failed");
            break;
        }
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)data.plain.size());
}

} // namespace

BENCHMARK(BM_ZStreamRead)->Arg(16)->Arg(4096)->Arg(65536)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibInflate)->Arg(16)->Arg(4096)->Arg(65536)->Unit(benchmark::kMillisecond);
