// Fuzz target: ResourceFile, the reader of resource packs. The input is written to a temporary
// file, opened as a pack, and every entry it lists is looked up, measured and loaded.
#include "rir2/resourcefile.h"
#include "fuzzcheck.h"
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
#include <string>
#include <unistd.h>

namespace
{

// One file per process (libFuzzer may run several), removed when the process ends.
std::string g_sPackPath;

void removePack()
{
    if (!g_sPackPath.empty())
        unlink(g_sPackPath.c_str());
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

void readPack(const char* pszPath)
{
    RIR::ResourceFile pack(pszPath);
    const RIR::List<RIR::String> lNames = pack.names();
    for (int i = 0; i < lNames.getLength(); ++i)
    {
        const RIR::String sName = lNames.get(i);
        FUZZ_CHECK(pack.exists(sName.c_str()));
        FUZZ_CHECK(pack.mapName(sName.c_str()) == sName);
        const int nSize = pack.getEntrySize(sName.c_str());
        // A damaged entry fails on its own; the others still load.
        try
        {
            RIR::SmartPtr<RIR::Resource> pRes(pack.load(sName.c_str()));
            FUZZ_CHECK(pRes->getSize() == nSize);
        }
        catch (const RIR::Exception&)
        {
        }
    }
    std::unique_ptr<RIR::List<RIR::ResourceFileEntry*>> pEntries(pack.getEntryList());
    FUZZ_CHECK(pEntries->getLength() == lNames.getLength());
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
        readPack(packPath().c_str());
    }
    catch (const RIR::Exception&)
    {
    }
    return 0;
}
