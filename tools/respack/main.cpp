// respack: builds, lists and reads resource packs.
//
//     respack build OUT.dat DIR   packs every file under DIR, named by its path relative to DIR
//                                 with "/" separators, in sorted order
//     respack list PACK           one line per entry: its lower-cased name, a tab, its size in
//                                 bytes, sorted by name; in names, control characters and the
//                                 backslash are escaped (\n, \r, \t, \\, else \xHH), so
//                                 every entry is one line
//     respack cat PACK NAME       writes the entry's bytes to standard output
//
// Any failure prints "respack: <exception class> : <message>" to standard error and exits with 1
// (2 for wrong arguments). A build writes to OUT.dat.tmp and renames it over OUT.dat only once
// the whole pack reached the disk, so a failed build never leaves a pack that only looks whole.
//
// main is start-up code and opens no trace entry; the commands do.
#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/file.h"
#include "rir2/memstream.h"
#include "rir2/resourcefile.h"
#include "rir2/resourcefilecompiler.h"
#include "rir2/rirstring.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <set>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;
using RIR::String;

namespace
{

const char* const USAGE = "usage: respack build OUT.dat DIR | respack list PACK | "
                          "respack cat PACK NAME";

// One file to pack: its name inside the pack and its path on disk.
struct PackFile
{
    std::string sName;
    fs::path path;
};

// Collects the regular files under dir into lFiles, named relative to the top folder. Folders
// reached through links are followed, but never one that is already being walked (a link back
// up would recurse for ever). Anything that is neither a folder nor a regular file is skipped.
void collectFiles(const fs::path& dir, const std::string& sPrefix, std::set<fs::path>& ancestors,
                  std::vector<PackFile>& lFiles)
{
    RIR_TRACE("Respack::collectFiles");
    std::error_code ec;
    const fs::path canonical = fs::canonical(dir, ec);
    if (ec)
        RIR_THROW(FileAccessException, String::format("respack build : can't open folder %s (%s)",
                                                      dir.c_str(), ec.message().c_str())
                                           .c_str());
    if (!ancestors.insert(canonical).second)
    {
        fprintf(stderr, "respack: skipping %s (a link to a folder above it)\n", dir.c_str());
        return;
    }
    fs::directory_iterator it(dir, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec))
    {
        const fs::path path = it->path();
        const std::string sName = sPrefix + path.filename().string();
        std::error_code ecType;
        const fs::file_status status = fs::status(path, ecType); // follows links
        if (fs::is_directory(status))
        {
            RIR_TRACE_LINE();
            collectFiles(path, sName + "/", ancestors, lFiles);
        }
        else if (fs::is_regular_file(status))
            lFiles.push_back({sName, path});
        else
            fprintf(stderr, "respack: skipping %s (not a regular file)\n", path.c_str());
    }
    if (ec)
        RIR_THROW(FileAccessException, String::format("respack build : can't list folder %s (%s)",
                                                      dir.c_str(), ec.message().c_str())
                                           .c_str());
    ancestors.erase(canonical);
}

// The whole file at path, read through the library's File.
std::vector<uint8_t> readWholeFile(const fs::path& path)
{
    RIR_TRACE("Respack::readWholeFile");
    RIR::setTraceParams(path.c_str());
    std::error_code ec;
    const uintmax_t nLength = fs::file_size(path, ec);
    if (!ec && nLength > (uintmax_t)INT_MAX)
        RIR_THROW(FileAccessException,
                  String::format("respack build : %s is too large for a pack (%ju bytes)",
                                 path.c_str(), nLength)
                      .c_str());
    RIR::File file(path.c_str(), RIR::FOM_READ);
    const int nSize = file.size();
    std::vector<uint8_t> data((size_t)nSize);
    int nDone = 0;
    while (nDone < nSize)
    {
        const int nGot = file.read(nSize - nDone, data.data() + nDone);
        if (nGot <= 0)
            break;
        nDone += nGot;
    }
    if (nDone != nSize)
        RIR_THROW(FileAccessException, String::format("respack build : read %d of %d bytes of %s",
                                                      nDone, nSize, path.c_str())
                                           .c_str());
    return data;
}

// Removes the temporary pack unless the build went through.
class TempPackGuard
{
public:
    explicit TempPackGuard(const std::string& sPath) : m_sPath(sPath), m_bKeep(false) {}
    ~TempPackGuard()
    {
        if (!m_bKeep)
            RIR::deleteFile(m_sPath.c_str());
    }
    TempPackGuard(const TempPackGuard&) = delete;
    TempPackGuard& operator=(const TempPackGuard&) = delete;
    void keep() { m_bKeep = true; }

private:
    std::string m_sPath;
    bool m_bKeep;
};

void buildPack(const char* pszOut, const char* pszDir)
{
    RIR_TRACE("Respack::buildPack");
    std::error_code ec;
    if (!fs::is_directory(pszDir, ec))
        RIR_THROW(FileAccessException,
                  String::format("respack build : folder %s does not exist", pszDir).c_str());
    std::vector<PackFile> lFiles;
    std::set<fs::path> ancestors;
    collectFiles(pszDir, "", ancestors, lFiles);
    std::sort(lFiles.begin(), lFiles.end(),
              [](const PackFile& a, const PackFile& b) { return a.sName < b.sName; });

    // A pack never holds itself (an older copy of the output lying inside DIR).
    const std::string sTemp = std::string(pszOut) + ".tmp";
    const fs::path outPath = fs::weakly_canonical(pszOut, ec);
    const fs::path tempPath = fs::weakly_canonical(sTemp, ec);
    lFiles.erase(std::remove_if(lFiles.begin(), lFiles.end(),
                                [&](const PackFile& f)
                                {
                                    std::error_code ecFile;
                                    const fs::path p = fs::weakly_canonical(f.path, ecFile);
                                    return !ecFile && (p == outPath || p == tempPath);
                                }),
                 lFiles.end());

    // Names that differ only in case would hide each other in the pack.
    std::vector<std::pair<std::string, std::string>> lLower;
    for (const PackFile& f : lFiles)
        lLower.push_back({String(f.sName.c_str()).toLower().c_str(), f.sName});
    std::sort(lLower.begin(), lLower.end());
    for (size_t i = 1; i < lLower.size(); ++i)
        if (lLower[i].first == lLower[i - 1].first)
            RIR_THROW(FatalErrorException,
                      String::format("respack build : %s and %s differ only in case",
                                     lLower[i - 1].second.c_str(), lLower[i].second.c_str())
                          .c_str());

    TempPackGuard guard(sTemp);
    {
        RIR::File* pFile = new RIR::File(sTemp.c_str(), RIR::FOM_WRITE);
        RIR::SmartPtr<RIR::Stream> pStream(pFile);
        RIR::SmartPtr<RIR::ResourceFileCompiler> pPack(new RIR::ResourceFileCompiler(pStream));
        pPack->begin();
        for (const PackFile& f : lFiles)
        {
            RIR_TRACE_LINE();
            const std::vector<uint8_t> data = readWholeFile(f.path);
            RIR::MemStream reader(data.data(), (int)data.size());
            pPack->addEntry(&reader, f.sName.c_str());
        }
        pPack->finish();
        RIR_TRACE_LINE();
        pFile->close(); // raises when the last bytes could not reach the disk
    }
    if (rename(sTemp.c_str(), pszOut) != 0)
    {
        const int nError = errno;
        RIR_THROW(FileAccessException, String::format("respack build : can't rename %s to %s [%d]",
                                                      sTemp.c_str(), pszOut, nError)
                                           .c_str());
    }
    guard.keep();
}

// Standard output is where list and cat deliver; a write that fails there is an error too.
void writeOut(const void* pData, size_t nSize)
{
    RIR_TRACE("Respack::writeOut");
    if (nSize > 0 && fwrite(pData, 1, nSize, stdout) != nSize)
        RIR_THROW(FileAccessException, "respack : can't write to standard output");
}

void flushOut()
{
    RIR_TRACE("Respack::flushOut");
    if (fflush(stdout) != 0 || ferror(stdout))
        RIR_THROW(FileAccessException, "respack : can't write to standard output");
}

// sName with every control character and the backslash escaped.
std::string escapeName(const std::string& sName)
{
    RIR_TRACE("Respack::escapeName");
    std::string sOut;
    for (const char c : sName)
    {
        const unsigned char b = (unsigned char)c;
        if (c == '\\')
            sOut += "\\\\";
        else if (c == '\n')
            sOut += "\\n";
        else if (c == '\r')
            sOut += "\\r";
        else if (c == '\t')
            sOut += "\\t";
        else if (b < 0x20 || b == 0x7F)
        {
            char acHex[8];
            snprintf(acHex, sizeof(acHex), "\\x%02X", b);
            sOut += acHex;
        }
        else
            sOut += c;
    }
    return sOut;
}

void listPack(const char* pszPack)
{
    RIR_TRACE("Respack::listPack");
    RIR::ResourceFile pack(pszPack);
    RIR::List<String> lNames = pack.names();
    std::vector<std::string> lSorted;
    for (lNames.iterBegin(); lNames.iterValid(); lNames.iterNext())
        lSorted.push_back(lNames.iterCurrent().c_str());
    std::sort(lSorted.begin(), lSorted.end());
    for (const std::string& sName : lSorted)
    {
        const std::string sLine =
            escapeName(sName) + "\t" + std::to_string(pack.getEntrySize(sName.c_str())) + "\n";
        writeOut(sLine.data(), sLine.size());
    }
    flushOut();
}

void catEntry(const char* pszPack, const char* pszName)
{
    RIR_TRACE("Respack::catEntry");
    RIR::ResourceFile pack(pszPack);
    RIR::SmartPtr<RIR::Resource> pResource;
    try
    {
        RIR_TRACE_LINE();
        pResource = pack.load(pszName);
    }
    catch (const RIR::AssertFailException& e)
    {
        // The pack reader refuses a damaged entry with an assertion and leaves the reason in the
        // note of its trace entry: say that instead of the bare assertion.
        const RIR::CallStackSnapshot& snapshot = e.getSnapshot();
        for (int i = snapshot.getCount() - 1; i >= 0; --i)
        {
            const std::string sEntry = snapshot.getEntryName(i);
            if (sEntry == "ResourceFile::load" || sEntry == "$ResourceFile::load")
                RIR_THROW(ResourceException,
                          String::format("respack cat : can't read %s (%s)",
                                         snapshot.getEntryNote(i), e.getMessage())
                              .c_str());
        }
        throw;
    }
    writeOut(pResource->getData(), (size_t)pResource->getSize());
    flushOut();
}

void run(int argc, char** argv)
{
    RIR_TRACE("Respack::run");
    const std::string sCommand = argc > 1 ? argv[1] : "";
    if (sCommand == "build" && argc == 4)
        buildPack(argv[2], argv[3]);
    else if (sCommand == "list" && argc == 3)
        listPack(argv[2]);
    else if (sCommand == "cat" && argc == 4)
        catEntry(argv[2], argv[3]);
    else
        RIR_THROW(BadParmException, String::format("respack : %s", USAGE).c_str());
}

} // namespace

int main(int argc, char** argv)
{
    try
    {
        run(argc, argv);
        return 0;
    }
    catch (const RIR::BadParmException& e)
    {
        fprintf(stderr, "respack: %s : %s\n", e.getClassName(), e.getMessage());
        return 2;
    }
    catch (const RIR::Exception& e)
    {
        fprintf(stderr, "respack: %s : %s\n", e.getClassName(), e.getMessage());
        return 1;
    }
    catch (const std::exception& e)
    {
        fprintf(stderr, "respack: %s\n", e.what());
        return 1;
    }
}
