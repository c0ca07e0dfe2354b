// Reading every entry of a resource pack against inflating the same zlib streams directly.
//
// The pack holds 300 resources of 512 bytes to 48 KiB (text-like runs mixed with random bytes,
// as pictures and sounds mix compressible and incompressible stretches), compressed at level 9,
// written to a temporary file once. Each benchmark handles all 300 entries per iteration and
// reports uncompressed bytes and entries per second:
// - PackLoadAll: ResourceFile::load of every name (lookup, seek, ZStream over the File, a new
//   buffer and Resource per entry) on a pack opened once;
// - ZlibFromFileAll: pread of each entry's compressed bytes from the same file, then one
//   uncompress into a new buffer: the same work done with zlib directly;
// - ZlibInMemoryAll: uncompress of each entry from compressed bytes already in memory: the
//   inflate cost alone;
// - PackOpen: opening the pack (header and index) without loading anything.
// At the end it prints how fast pack reads are against the same inflation done with zlib from the
// file (the ratio of their times: 1.00 is as fast, higher is faster), from the best of the
// repetitions of each, as the machine may be busy with other work. Run with
// --benchmark_repetitions=N for steadier figures.
#include "rir2/file.h"
#include "rir2/memstream.h"
#include "rir2/resourcefile.h"
#include "rir2/resourcefilecompiler.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{

const int PACK_ENTRIES = 300;

struct PackEntry
{
    std::string sName;
    int nOffset;
    int nPackedSize;
    int nSize;
    std::vector<uint8_t> packed;
};

struct BenchPack
{
    std::string sPath;
    std::vector<PackEntry> entries;
    int64_t nTotalBytes = 0;

    BenchPack()
    {
        char szPath[] = "/tmp/pack_bench-XXXXXX";
        const int fd = mkstemp(szPath);
        if (fd < 0)
        {
            perror("mkstemp");
            std::exit(1);
        }
        close(fd);
        sPath = szPath;

        std::mt19937 rng(1234);
        const char* pszWords = "a cowboy orders whisky, the sheriff wants milk, the cow moos ";
        const size_t nWords = strlen(pszWords);
        RIR::File* pFile = new RIR::File(sPath.c_str(), RIR::FOM_WRITE);
        {
            RIR::SmartPtr<RIR::ResourceFileCompiler> pPack(
                new RIR::ResourceFileCompiler(RIR::SmartPtr<RIR::Stream>(pFile)));
            pPack->begin();
            for (int i = 0; i < PACK_ENTRIES; ++i)
            {
                const int nSize = 512 + (int)(rng() % (48 * 1024));
                std::vector<uint8_t> data((size_t)nSize);
                for (int j = 0; j < nSize; ++j)
                    data[(size_t)j] = (j / 1024) % 3 == 2 ? (uint8_t)rng()
                                                          : (uint8_t)pszWords[(j * 5 + i) % nWords];
                RIR::MemStream reader(data.data(), nSize);
                const std::string sName = "Sprites/Item" + std::to_string(i) + ".png";
                pPack->addEntry(&reader, sName.c_str());
                nTotalBytes += nSize;
            }
            pPack->finish();
            pFile->close();
        }
        // The compressed bytes of every entry, as they lie in the pack.
        RIR::ResourceFile pack(sPath.c_str());
        std::unique_ptr<RIR::List<RIR::ResourceFileEntry*>> pList(pack.getEntryList());
        const int fdRead = open(sPath.c_str(), O_RDONLY);
        for (int i = 0; i < pList->getLength(); ++i)
        {
            const RIR::ResourceFileEntry* pEntry = pList->get(i);
            entries.push_back(
                {pEntry->getName().c_str(), pEntry->getOffset(), 0, pEntry->getSize(), {}});
        }
        // Each stream runs to the next entry's offset (the last one to the index).
        std::vector<int> offsets;
        for (const PackEntry& e : entries)
            offsets.push_back(e.nOffset);
        std::sort(offsets.begin(), offsets.end());
        int32_t nIndexOffset = 0;
        if (pread(fdRead, &nIndexOffset, 4, 8) != 4)
        {
            perror("pread");
            std::exit(1);
        }
        for (PackEntry& e : entries)
        {
            auto it = std::upper_bound(offsets.begin(), offsets.end(), e.nOffset);
            const int nEnd = it == offsets.end() ? nIndexOffset : *it;
            e.nPackedSize = nEnd - e.nOffset;
            e.packed.resize((size_t)e.nPackedSize);
            if (pread(fdRead, e.packed.data(), (size_t)e.nPackedSize, e.nOffset) !=
                (ssize_t)e.nPackedSize)
            {
                perror("pread");
                std::exit(1);
            }
        }
        close(fdRead);
    }
    ~BenchPack() { unlink(sPath.c_str()); }
};

const BenchPack& benchPack()
{
    static const BenchPack pack;
    return pack;
}

void reportAll(benchmark::State& state, const BenchPack& pack)
{
    state.SetBytesProcessed((int64_t)state.iterations() * pack.nTotalBytes);
    state.SetItemsProcessed((int64_t)state.iterations() * (int64_t)pack.entries.size());
}

void BM_PackLoadAll(benchmark::State& state)
{
    const BenchPack& pack = benchPack();
    RIR::ResourceFile file(pack.sPath.c_str());
    for (auto _ : state)
    {
        for (const PackEntry& e : pack.entries)
        {
            RIR::SmartPtr<RIR::Resource> pRes(file.load(e.sName.c_str()));
            benchmark::DoNotOptimize(pRes->getData());
        }
    }
    reportAll(state, pack);
}

void BM_ZlibFromFileAll(benchmark::State& state)
{
    const BenchPack& pack = benchPack();
    const int fd = open(pack.sPath.c_str(), O_RDONLY);
    std::vector<uint8_t> packed;
    for (auto _ : state)
    {
        for (const PackEntry& e : pack.entries)
        {
            packed.resize((size_t)e.nPackedSize);
            if (pread(fd, packed.data(), packed.size(), e.nOffset) != (ssize_t)packed.size())
            {
                state.SkipWithError("pread failed");
                break;
            }
            std::unique_ptr<uint8_t[]> pOut(new uint8_t[(size_t)e.nSize]);
            uLongf nOut = (uLongf)e.nSize;
            if (uncompress(pOut.get(), &nOut, packed.data(), (uLong)packed.size()) != Z_OK)
            {
                state.SkipWithError("inflate failed");
                break;
            }
            benchmark::DoNotOptimize(pOut.get());
        }
    }
    close(fd);
    reportAll(state, pack);
}

void BM_ZlibInMemoryAll(benchmark::State& state)
{
    const BenchPack& pack = benchPack();
    for (auto _ : state)
    {
        for (const PackEntry& e : pack.entries)
        {
            std::unique_ptr<uint8_t[]> pOut(new uint8_t[(size_t)e.nSize]);
            uLongf nOut = (uLongf)e.nSize;
            if (uncompress(pOut.get(), &nOut, e.packed.data(), (uLong)e.packed.size()) != Z_OK)
            {
                state.SkipWithError("inflate failed");
                break;
            }
            benchmark::DoNotOptimize(pOut.get());
        }
    }
    reportAll(state, pack);
}

void BM_PackOpen(benchmark::State& state)
{
    const BenchPack& pack = benchPack();
    for (auto _ : state)
    {
        RIR::ResourceFile file(pack.sPath.c_str());
        benchmark::DoNotOptimize(&file);
    }
    state.SetItemsProcessed((int64_t)state.iterations() * (int64_t)pack.entries.size());
}

} // namespace

// Prints what the console reporter prints and keeps the best CPU and wall time per iteration of
// each benchmark.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    struct Best
    {
        double fCpu = 0.0;
        double fReal = 0.0;
    };

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
        {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0)
                continue;
            const double fCpu = run.cpu_accumulated_time / (double)run.iterations;
            const double fReal = run.real_accumulated_time / (double)run.iterations;
            Best& best = m_best[run.run_name.function_name];
            if (best.fCpu == 0.0 || fCpu < best.fCpu)
                best.fCpu = fCpu;
            if (best.fReal == 0.0 || fReal < best.fReal)
                best.fReal = fReal;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints time(other) / time(name) when both ran.
    void printRatio(const char* pszWhat, const std::string& sName, const std::string& sOther)
    {
        const auto it = m_best.find(sName);
        const auto itOther = m_best.find(sOther);
        if (it == m_best.end() || itOther == m_best.end())
            return;
        printf("%s: %.2fx (CPU time), %.2fx (wall time)\n", pszWhat,
               itOther->second.fCpu / it->second.fCpu, itOther->second.fReal / it->second.fReal);
    }

private:
    std::map<std::string, Best> m_best;
};

BENCHMARK(BM_PackLoadAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibFromFileAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibInMemoryAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackOpen)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("pack reads against raw zlib inflate from the file", "BM_PackLoadAll",
                        "BM_ZlibFromFileAll");
    reporter.printRatio("pack reads against zlib inflate from memory", "BM_PackLoadAll",
                        "BM_ZlibInMemoryAll");
    benchmark::Shutdown();
    return 0;
}
