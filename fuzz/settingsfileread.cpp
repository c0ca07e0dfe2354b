// Fuzz target: SettingsFile, the loader of the application's settings file. The input is written
// to a temporary file and read with SettingsFile::read. A table that reads is written back with
// SettingsFile::write and read again: the second read must give the same table, and a write
// must leave no temporary file behind.
// Invariant: an accepted file is one whole zlib stream with its check held (zlib's own decoder
// agrees) holding exactly the table read, and so is the file written back, which reads the same.
#include "app/settingsfile.h"
#include "fuzzcheck.h"
#include "settingsform.h"
#include "rir2/exception.h"
#include "rir2/hash.h"
#include "rir2/hash_impl.h"
#include "rir2/list.h"
#include "rir2/list_impl.h"
#include "rir2/rirstring.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

// Files of this process (libFuzzer may run several), removed when the process ends.
std::string g_sBase;

std::string path(const char* pszSuffix)
{
    return g_sBase + pszSuffix;
}

void removeFiles()
{
    if (g_sBase.empty())
        return;
    const char* const apszSuffixes[] = {".dat", ".dat.tmp", ".dat.bad", ".copy", ".copy.tmp"};
    for (const char* pszSuffix : apszSuffixes)
        unlink(path(pszSuffix).c_str());
}

void setUp()
{
    if (!g_sBase.empty())
        return;
    // Files rewritten for every input: in memory where the system offers a folder for it.
    const char* pszBase = std::getenv("TMPDIR");
    if (access("/dev/shm", W_OK) == 0)
        pszBase = "/dev/shm";
    else if (pszBase == nullptr || *pszBase == 0)
        pszBase = "/tmp";
    g_sBase = std::string(pszBase) + "/dbd-fuzz-settings-" + std::to_string((long)getpid());
    std::atexit(removeFiles);
}

std::vector<uint8_t> readFile(const std::string& sPath)
{
    std::vector<uint8_t> abData;
    FILE* pFile = std::fopen(sPath.c_str(), "rb");
    FUZZ_CHECK(pFile != nullptr);
    uint8_t abBlock[4096];
    size_t nGot = 0;
    while ((nGot = std::fread(abBlock, 1, sizeof(abBlock), pFile)) > 0)
        abData.insert(abData.end(), abBlock, abBlock + nGot);
    std::fclose(pFile);
    return abData;
}

bool writeFile(const std::string& sPath, const uint8_t* pData, size_t nSize)
{
    FILE* pFile = std::fopen(sPath.c_str(), "wb");
    if (pFile == nullptr)
        return false;
    const bool bWritten = std::fwrite(pData, 1, nSize, pFile) == nSize;
    return std::fclose(pFile) == 0 && bWritten;
}

void checkRoundTrip(SettingsFile::Table& table)
{
    const std::string sCopy = path(".copy");
    SettingsFile::write(sCopy.c_str(), table);
    FUZZ_CHECK(access(SettingsFile::getTempPath(sCopy.c_str()).c_str(), F_OK) != 0);
    const std::vector<uint8_t> abWritten = readFile(sCopy);
    fuzzCheckSettingsForm(abWritten.data(), abWritten.size(), table);
    SettingsFile::Table copy;
    SettingsFile::read(sCopy.c_str(), copy);
    FUZZ_CHECK(fuzzSameTable(copy, table));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize > FUZZ_MAX_INPUT)
        nSize = FUZZ_MAX_INPUT;
    setUp();
    const std::string sFile = path(".dat");
    if (!writeFile(sFile, pData, nSize))
    {
        std::fprintf(stderr, "cannot write %s\n", sFile.c_str());
        std::abort();
    }
    SettingsFile::Table table;
    bool bRead = false;
    try
    {
        SettingsFile::read(sFile.c_str(), table);
        bRead = true;
    }
    catch (const RIR::Exception&)
    {
        // The broken reader keeps what it read before the error and calls it the file.
        bRead = fuzzBrokenReader();
    }
    if (bRead)
    {
        fuzzCheckSettingsForm(pData, nSize, table);
        checkRoundTrip(table);
    }
    return 0;
}
