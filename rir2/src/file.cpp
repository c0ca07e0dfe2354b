#include "rir2/file.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cerrno>
#include <cstdarg>
#include <sys/stat.h>
#include <unistd.h>

namespace RIR
{

namespace
{

// The line buffer shared by every File's readLine.
char s_szLineBuffer[FILE_LINE_BUFFER_SIZE];

// The last transfer of an update file; the C runtime needs a positioning call between a read and
// a following write, and between a write and a following read.
enum
{
    LAST_NONE = 0,
    LAST_READ = 1,
    LAST_WRITE = 2
};

// Whether nothing that could be opened as a file is at pszPath: no entry at all (or a path
// through something that is not a folder), or a folder.
bool isMissing(const char* pszPath)
{
    struct stat st;
    if (stat(pszPath, &st) != 0)
        return errno == ENOENT || errno == ENOTDIR;
    return S_ISDIR(st.st_mode);
}

} // namespace

File::File(const char* pszPath, int nMode)
    : m_pFile(nullptr), m_nMode(0), m_nLast(0), m_sPath(pszPath)
{
    RIR_TRACE("File::File");
    const char* pszMode = nullptr;
    switch (nMode)
    {
    case FOM_READ:
        // Only a file that is really not there is reported missing; one that is there but may
        // not be read fails in the open below, with the system's reason.
        if (!fileExists(m_sPath.c_str()) && isMissing(m_sPath.c_str()))
            RIR_THROW(FileAccessException,
                      String::format("File::File : '%s' does not exist", m_sPath.c_str()).c_str());
        pszMode = "rb";
        break;
    case FOM_WRITE:
        pszMode = "wb";
        break;
    case FOM_UPDATE:
        if (!fileExists(m_sPath.c_str()))
        {
            // Create the file empty. Append mode never truncates, so a file that exists but
            // cannot be read keeps its contents; a failure here shows in the open below.
            RIR_TRACE_LINE();
            FILE* pCreate = fopen(m_sPath.c_str(), "ab");
            if (pCreate)
                fclose(pCreate);
        }
        pszMode = "r+b";
        break;
    default:
        RIR_THROW(FileAccessException,
                  String::format("File::File : unknown mode '%d'", nMode).c_str());
    }

    RIR_TRACE_LINE();
    m_pFile = fopen(m_sPath.c_str(), pszMode);
    if (!m_pFile)
    {
        const int nError = errno;
        RIR_THROW(FileAccessException, String::format("File::File : can't open file %s (%s) [%d]",
                                                      m_sPath.c_str(), pszMode, nError)
                                           .c_str());
    }
    m_nMode = nMode;
    seek(0);
}

File::~File()
{
    RIR_TRACE("File::~File");
    if (!m_pFile)
        return;
    try
    {
        close();
    }
    catch (const Exception&)
    {
        // Already recorded in the exception log by its constructor; a destructor cannot pass it
        // on. Writers that must know call close themselves.
    }
}

void File::close()
{
    RIR_TRACE("File::close");
    if (!m_pFile)
        return;
    FILE* pFile = m_pFile;
    m_pFile = nullptr;
    RIR_TRACE_LINE();
    if (fclose(pFile) != 0)
    {
        const int nError = errno;
        RIR_THROW(FileAccessException,
                  String::format("File::close : can't write file %s [%d]", m_sPath.c_str(), nError)
                      .c_str());
    }
}

void File::requireOpen(const char* pszWhere) const
{
    if (!m_pFile)
        RIR_THROW(BadStateException,
                  String::format("%s : file %s is closed", pszWhere, m_sPath.c_str()).c_str());
}

void File::prepare(int nNext)
{
    if (m_nLast != LAST_NONE && m_nLast != nNext)
        fseek(m_pFile, 0, SEEK_CUR);
    m_nLast = nNext;
}

int File::read(int n, void* pBuffer)
{
    RIR_TRACE("File::read");
    requireOpen("File::read");
    if (n <= 0)
        return 0;
    prepare(LAST_READ);
    return (int)fread(pBuffer, 1, (size_t)n, m_pFile);
}

int File::readAt(int nPosition, int n, void* pBuffer)
{
    RIR_TRACE("File::readAt");
    requireOpen("File::readAt");
    if (n <= 0 || nPosition < 0)
        return 0;
    // Bytes still in the C runtime's buffer are not in the file yet.
    if (m_nLast == LAST_WRITE)
        fflush(m_pFile);
    const int nFd = fileno(m_pFile);
    uint8_t* pDest = static_cast<uint8_t*>(pBuffer);
    int nDone = 0;
    while (nDone < n)
    {
        const ssize_t nGot = pread(nFd, pDest + nDone, (size_t)(n - nDone), (off_t)nPosition + nDone);
        if (nGot < 0 && errno == EINTR)
            continue;
        if (nGot <= 0)
            break;
        nDone += (int)nGot;
    }
    return nDone;
}

int File::write(int n, const void* pBuffer)
{
    RIR_TRACE("File::write");
    requireOpen("File::write");
    if (n <= 0)
        return 0;
    prepare(LAST_WRITE);
    RIR_TRACE_LINE();
    const size_t nDone = fwrite(pBuffer, 1, (size_t)n, m_pFile);
    if (nDone != (size_t)n)
    {
        const int nError = errno;
        RIR_THROW(FileAccessException,
                  String::format("File::write : wrote %d of %d bytes to %s [%d]", (int)nDone, n,
                                 m_sPath.c_str(), nError)
                      .c_str());
    }
    return n;
}

int File::tell()
{
    RIR_TRACE("File::tell");
    requireOpen("File::tell");
    return (int)ftell(m_pFile);
}

void File::seek(int nPosition)
{
    RIR_TRACE("File::seek");
    requireOpen("File::seek");
    fseek(m_pFile, nPosition, SEEK_SET);
    m_nLast = LAST_NONE;
}

int File::size()
{
    RIR_TRACE("File::size");
    requireOpen("File::size");
    const long nPosition = ftell(m_pFile);
    fseek(m_pFile, 0, SEEK_END);
    const long nSize = ftell(m_pFile);
    fseek(m_pFile, nPosition, SEEK_SET);
    m_nLast = LAST_NONE;
    return (int)nSize;
}

bool File::can(int nAccess)
{
    return (nAccess & m_nMode) == nAccess;
}

int File::printf(const char* pszFormat, ...)
{
    RIR_TRACE("File::printf");
    va_list args;
    va_start(args, pszFormat);
    const String sText = String::vformat(pszFormat, args);
    va_end(args);
    return write(sText.length(), sText.c_str());
}

String File::readLine()
{
    RIR_TRACE("File::readLine");
    requireOpen("File::readLine");
    prepare(LAST_READ);
    if (!fgets(s_szLineBuffer, FILE_LINE_BUFFER_SIZE, m_pFile))
        return String();
    return String(s_szLineBuffer);
}

String File::readText(int* pnRead)
{
    RIR_TRACE("File::readText");
    int nSize = size();
    if (nSize < 0)
        nSize = 0;
    String sText(nullptr, nSize);
    const int nRead = read(nSize, sText.at(0));
    *sText.at(nRead) = 0;
    *pnRead = nRead;
    return sText;
}

int File::readAll(String& sOut)
{
    RIR_TRACE("File::readAll");
    int nRead = 0;
    sOut = readText(&nRead);
    return nRead;
}

String File::readAll()
{
    RIR_TRACE("File::readAll");
    int nRead = 0;
    return readText(&nRead);
}

bool File::eof()
{
    RIR_TRACE("File::eof");
    requireOpen("File::eof");
    return feof(m_pFile) != 0;
}

bool fileExists(const char* pszPath)
{
    RIR_TRACE("fileExists");
    if (!pszPath || !*pszPath)
        return false;
    FILE* pFile = fopen(pszPath, "rb");
    if (!pFile)
        return false;
    // A folder opens for reading here; it is not a file.
    struct stat st;
    const bool bFile = fstat(fileno(pFile), &st) == 0 && !S_ISDIR(st.st_mode);
    fclose(pFile);
    return bFile;
}

void deleteFile(const char* pszPath)
{
    RIR_TRACE("deleteFile");
    if (fileExists(pszPath))
        unlink(pszPath);
}

} // namespace RIR
