// Fuzz target: ResourceFile, the reader of resource packs. The input is written to a temporary
// file, opened as a pack, and every entry it lists is looked up, measured and loaded. The entries
// that load are written into a new pack by the pack compiler, which is read back.
// Invariant: an accepted pack's index and every loaded entry are whole zlib streams with their
// checks held (zlib's own decoder agrees, giving the same bytes), and recompiled they read the same.
#include "rir2/resourcefile.h"
#include "fuzzcheck.h"
#include "zlibcheck.h"

#include "rir2/file.h"
#include "rir2/memstream.h"
#include "rir2/resourcefilecompiler.h"
#include "rir2/exception.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/refcount.h"
#include "rir2/resource.h"
#include "rir2/resourcefileentry.h"
#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <algorithm>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

// One file per process (libFuzzer may run several), and its recompiled copy, removed when the
// process ends.
std::string g_sPackPath;

std::string copyPath()
{
    return g_sPackPath + ".copy";
}

void removePack()
{
    if (!g_sPackPath.empty())
    {
        unlink(g_sPackPath.c_str());
        unlink(copyPath().c_str());
    }
}

const std::string& packPath()
{
    if (g_sPackPath.empty())
    {
        // A file rewritten for every input: in memory where the system offers a folder for it.
        const char* pszBase = std::getenv("TMPDIR");
        if (access("/dev/shm", W_OK) == 0)
            pszBase = "/dev/shm";
        else if (pszBase == nullptr || *pszBase == 0)
            pszBase = "/tmp";
        g_sPackPath =
            std::string(pszBase) + "/dbd-fuzz-pack-" + std::to_string((long)getpid()) + ".dat";
        std::atexit(removePack);
    }
    return g_sPackPath;
}

bool writePack(const uint8_t* pData, size_t nSize)
{
    FILE* pFile = std::fopen(packPath().c_str(), "wb");
    if (pFile == nullptr)
        return false;
    const bool bWritten = std::fwrite(pData, 1, nSize, pFile) == nSize;
    return std::fclose(pFile) == 0 && bWritten;
}

// The input as the pack's stored form: where its index starts (from the header, in either byte
// order) and where each stream ends (at the next stream's start or the index).
struct PackLayout
{
    const uint8_t* pData;
    size_t nSize;
    int nIndexOffset;
    std::vector<int> anStarts;

    int endOf(int nStart) const
    {
        const auto it = std::upper_bound(anStarts.begin(), anStarts.end(), nStart);
        return it == anStarts.end() ? (int)nSize : *it;
    }
};

PackLayout layoutOf(const uint8_t* pData, size_t nSize, RIR::List<RIR::ResourceFileEntry*>& lEntries)
{
    FUZZ_CHECK(nSize >= 12);
    PackLayout layout{pData, nSize, 0, {}};
    const bool bNative = pData[4] == 0x47;
    layout.nIndexOffset = bNative ? (int)((uint32_t)pData[8] | (uint32_t)pData[9] << 8 |
                                          (uint32_t)pData[10] << 16 | (uint32_t)pData[11] << 24)
                                  : (int)((uint32_t)pData[11] | (uint32_t)pData[10] << 8 |
                                          (uint32_t)pData[9] << 16 | (uint32_t)pData[8] << 24);
    FUZZ_CHECK(layout.nIndexOffset >= 12 && layout.nIndexOffset <= (int)nSize);
    for (int i = 0; i < lEntries.getLength(); ++i)
        layout.anStarts.push_back(lEntries.get(i)->getOffset());
    layout.anStarts.push_back(layout.nIndexOffset);
    std::sort(layout.anStarts.begin(), layout.anStarts.end());
    return layout;
}

// The entry's stored stream must inflate whole to exactly the bytes loaded.
void checkEntryForm(const PackLayout& layout, const RIR::ResourceFileEntry* pEntry,
                    const RIR::Resource* pRes)
{
    const int nStart = pEntry->getOffset();
    FUZZ_CHECK(nStart >= 12 && nStart < layout.nIndexOffset);
    const int nEnd = layout.endOf(nStart);
    std::vector<uint8_t> abContent;
    FUZZ_CHECK(fuzzInflateWhole(layout.pData + nStart, (size_t)(nEnd - nStart), abContent));
    FUZZ_CHECK((int)abContent.size() == pRes->getSize());
    FUZZ_CHECK(abContent.empty() ||
               std::memcmp(abContent.data(), pRes->getData(), abContent.size()) == 0);
}

// The entry reader under test; the broken one, when the real one refuses an entry, inflates its
// stored bytes anyway and takes them when their count is right, whatever their check says.
RIR::Resource* loadEntry(RIR::ResourceFile& pack, const PackLayout& layout, const char* pszName,
                         const RIR::ResourceFileEntry* pEntry)
{
    try
    {
        return pack.load(pszName);
    }
    catch (const RIR::Exception&)
    {
        if (!fuzzBrokenReader())
            throw;
    }
    const int nStart = pEntry->getOffset();
    const int nSize = pEntry->getSize();
    uint8_t* pData = new uint8_t[nSize > 0 ? nSize : 1];
    uLongf nOut = (uLongf)nSize;
    uLong nIn = (uLong)(layout.endOf(nStart) - nStart);
    (void)uncompress2(pData, &nOut, layout.pData + nStart, &nIn);
    if ((int)nOut != nSize)
    {
        delete[] pData;
        RIR_THROW(FatalErrorException, "entry cut");
    }
    return new RIR::Resource(nSize, pData, true);
}

void checkRecompiled(RIR::List<RIR::String>& lLoaded, RIR::List<RIR::SmartPtr<RIR::Resource>>& lData)
{
    {
        RIR::File* pFile = new RIR::File(copyPath().c_str(), RIR::FOM_WRITE);
        RIR::SmartPtr<RIR::ResourceFileCompiler> pPack(
            new RIR::ResourceFileCompiler(RIR::SmartPtr<RIR::Stream>(pFile)));
        pPack->setCompressionLevel(1);
        pPack->begin();
        for (int i = 0; i < lLoaded.getLength(); ++i)
        {
            RIR::MemStream data(lData.get(i)->getData(), lData.get(i)->getSize());
            pPack->addEntry(&data, lLoaded.get(i).c_str());
        }
        pPack->finish();
        pFile->close();
    }
    RIR::ResourceFile copy(copyPath().c_str());
    FUZZ_CHECK(copy.names().getLength() == lLoaded.getLength());
    for (int i = 0; i < lLoaded.getLength(); ++i)
    {
        RIR::SmartPtr<RIR::Resource> pRes(copy.load(lLoaded.get(i).c_str()));
        const RIR::Resource* pOld = lData.get(i).get();
        FUZZ_CHECK(pRes->getSize() == pOld->getSize());
        FUZZ_CHECK(pRes->getSize() == 0 ||
                   std::memcmp(pRes->getData(), pOld->getData(), (size_t)pOld->getSize()) == 0);
    }
}

void readPack(const char* pszPath, const uint8_t* pData, size_t nSize)
{
    RIR::ResourceFile pack(pszPath);
    const RIR::List<RIR::String> lNames = pack.names();
    std::unique_ptr<RIR::List<RIR::ResourceFileEntry*>> pEntries(pack.getEntryList());
    FUZZ_CHECK(pEntries->getLength() == lNames.getLength());
    const PackLayout layout = layoutOf(pData, nSize, *pEntries);
    std::vector<uint8_t> abIndex;
    FUZZ_CHECK(fuzzInflateWhole(pData + layout.nIndexOffset, nSize - (size_t)layout.nIndexOffset,
                                abIndex));
    RIR::List<RIR::String> lLoaded;
    RIR::List<RIR::SmartPtr<RIR::Resource>> lData;
    for (int i = 0; i < lNames.getLength(); ++i)
    {
        const RIR::String sName = lNames.get(i);
        FUZZ_CHECK(pack.exists(sName.c_str()));
        FUZZ_CHECK(pack.mapName(sName.c_str()) == sName);
        const int nSize = pack.getEntrySize(sName.c_str());
        // Names and records are both in table order.
        const RIR::ResourceFileEntry* pEntry = pEntries->get(i);
        FUZZ_CHECK(pEntry->getName().toLower() == sName);
        FUZZ_CHECK(pEntry->getSize() == nSize);
        // A damaged entry fails on its own; the others still load.
        try
        {
            RIR::SmartPtr<RIR::Resource> pRes(loadEntry(pack, layout, sName.c_str(), pEntry));
            FUZZ_CHECK(pRes->getSize() == nSize);
            checkEntryForm(layout, pEntry, pRes.get());
            lLoaded.append(sName);
            lData.append(pRes);
        }
        catch (const RIR::Exception&)
        {
        }
    }
    checkRecompiled(lLoaded, lData);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    if (!writePack(pData, nSize))
    {
        std::fprintf(stderr, "cannot write %s\n", packPath().c_str());
        std::abort();
    }
    try
    {
        readPack(packPath().c_str(), pData, nSize);
    }
    catch (const RIR::Exception&)
    {
    }
    return 0;
}
