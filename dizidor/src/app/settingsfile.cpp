#include "app/settingsfile.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"
#include "rir2/file.h"
#include "rir2/hash_impl.h"
#include "rir2/objectstreamer.h"
#include "rir2/zstream.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using RIR::File;
using RIR::ObjectStreamer;
using RIR::String;
using RIR::ZStream;

namespace
{

// Compression level of the settings file; -1 stands for 9.
const int SETTINGS_ZLIB_LEVEL = -1;

// Writes table through the compressed object stream into a new file at sPath; *pbCreated
// becomes true once the file exists. Every stage is completed explicitly, so a failure raises
// here instead of vanishing in a destructor; on a failure the objects are still deleted
// innermost first and the file is closed.
void writeTable(const String& sPath, SettingsFile::Table& table, bool* pbCreated)
{
    RIR_TRACE("writeTable");
    std::unique_ptr<File> pFile(new File(sPath.c_str(), RIR::FOM_WRITE));
    *pbCreated = true;
    {
        std::unique_ptr<ZStream> pZip(new ZStream(pFile.get(), SETTINGS_ZLIB_LEVEL));
        {
            RIR_TRACE_LINE();
            std::unique_ptr<ObjectStreamer> pOut(new ObjectStreamer(pZip.get(), false));
            if (!pOut->writeChar(0))
                RIR_THROW(
                    FileAccessException,
                    String::format("SettingsFile::write : can't write %s", sPath.c_str()).c_str());
            RIR_TRACE_LINE();
            table.persistTo(*pOut);
        }
        RIR_TRACE_LINE();
        pZip->finish();
    }
    RIR_TRACE_LINE();
    pFile->close();
}

// Makes the closed file at sPath durable before it is renamed over the old one, so that a crash
// of the machine right after the rename cannot leave an empty file in its place.
void syncFile(const String& sPath)
{
    RIR_TRACE("syncFile");
    const int nFd = ::open(sPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (nFd < 0 || (::fsync(nFd) != 0 && errno != EINVAL))
    {
        const int nError = errno;
        if (nFd >= 0)
            ::close(nFd);
        RIR_THROW(FileAccessException,
                  String::format("SettingsFile::write : can't sync %s (%s) [%d]", sPath.c_str(),
                                 std::strerror(nError), nError)
                      .c_str());
    }
    ::close(nFd);
}

// Best effort: records the rename in the folder itself. A failure changes nothing that a later
// save would not repair, so it is not reported.
void syncFolderOf(const String& sPath)
{
    RIR_TRACE("syncFolderOf");
    const int nSlash = sPath.rfindChar('/');
    const String sFolder = nSlash < 0    ? String(".")
                           : nSlash == 0 ? String("/")
                                         : sPath.left(nSlash);
    const int nFd = ::open(sFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (nFd < 0)
        return;
    ::fsync(nFd);
    ::close(nFd);
}

} // namespace

void SettingsFile::read(const char* pszPath, Table& table)
{
    RIR_TRACE("SettingsFile::read");
    std::unique_ptr<File> pFile(new File(pszPath, RIR::FOM_READ));
    std::unique_ptr<ZStream> pZip(new ZStream(pFile.get(), SETTINGS_ZLIB_LEVEL));
    // Every value must arrive whole: a cut or damaged stream raises instead of reading as 0 or "".
    pZip->setExactReads(true);
    RIR_TRACE_LINE();
    std::unique_ptr<ObjectStreamer> pIn(new ObjectStreamer(pZip.get(), false));
    char cIgnored = 0;
    pIn->readChar(cIgnored);
    RIR_TRACE_LINE();
    table.persistFrom(*pIn);
    // The table must be all there is: the stream ends right after it, complete and with its
    // check held, and the file ends with the stream.
    RIR_TRACE_LINE();
    pZip->checkEnd();
    const int nFileSize = pFile->size();
    if (pZip->getCompressedCount() != nFileSize)
        RIR_THROW(BadStreamFormatException,
                  String::format("SettingsFile::read : %d bytes after the compressed data",
                                 nFileSize - pZip->getCompressedCount())
                      .c_str());
    // The unique pointers delete the streamer, then the compressed stream, then the file.
}

void SettingsFile::write(const char* pszPath, Table& table)
{
    RIR_TRACE("SettingsFile::write");
    const String sPath(pszPath);
    const String sTemp = getTempPath(pszPath);
    bool bCreated = false;
    try
    {
        // A temporary file is ours to remove only once it has been opened: when the open
        // fails, whatever is at that path is left alone.
        writeTable(sTemp, table, &bCreated);
        RIR_TRACE_LINE();
        syncFile(sTemp);
        if (std::rename(sTemp.c_str(), sPath.c_str()) != 0)
        {
            const int nError = errno;
            RIR_THROW(FileAccessException,
                      String::format("SettingsFile::write : can't replace %s (%s) [%d]",
                                     sPath.c_str(), std::strerror(nError), nError)
                          .c_str());
        }
    }
    catch (...)
    {
        if (bCreated)
            ::unlink(sTemp.c_str());
        throw;
    }
    syncFolderOf(sPath);
}

bool SettingsFile::keepAside(const char* pszPath)
{
    RIR_TRACE("SettingsFile::keepAside");
    if (!isPresent(pszPath))
        return false;
    const String sBad = getBadPath(pszPath);
    return std::rename(pszPath, sBad.c_str()) == 0;
}

bool SettingsFile::isPresent(const char* pszPath)
{
    RIR_TRACE("SettingsFile::isPresent");
    struct stat info;
    return pszPath != nullptr && ::stat(pszPath, &info) == 0 && S_ISREG(info.st_mode);
}

String SettingsFile::getTempPath(const char* pszPath)
{
    return String(pszPath) + ".tmp";
}

String SettingsFile::getBadPath(const char* pszPath)
{
    return String(pszPath) + ".bad";
}
