#include "rir2/logfile.h"

#include "rir2/calltrace.h"
#include "rir2/exception.h"

#include <cstdio>
#include <sys/stat.h>

namespace RIR
{

LogFile::LogFile(const char* pszPath) : m_sPath(pszPath)
{
    RIR_TRACE("LogFile::LogFile");
}

int LogFile::read(int, void*)
{
    RIR_TRACE("LogFile::read");
    RIR_THROW(BadStateException, "RIR::LogFile::read : LogFiles can't be read");
}

int LogFile::write(int n, const void* pBuffer)
{
    RIR_TRACE("LogFile::write");
    if (n < 0)
        return 0;
    RIR_TRACE_LINE();
    FILE* pFile = fopen(m_sPath.c_str(), "ab");
    if (!pFile)
        return 0;
    const int nWritten = n > 0 ? (int)fwrite(pBuffer, 1, (size_t)n, pFile) : 0;
    // The data is only known to be in the file once the close has flushed it.
    if (fclose(pFile) != 0)
        return 0;
    return nWritten;
}

int LogFile::tell()
{
    RIR_TRACE("LogFile::tell");
    RIR_THROW(BadStateException, "RIR::LogFile::read : LogFiles can't be seeked");
}

void LogFile::seek(int)
{
    RIR_TRACE("LogFile::seek");
    RIR_THROW(BadStateException, "RIR::LogFile::read : LogFiles can't be seeked");
}

int LogFile::size()
{
    RIR_TRACE("LogFile::size");
    FILE* pFile = fopen(m_sPath.c_str(), "rb");
    if (!pFile)
        return 0;
    // A folder opens for reading too, but has no length.
    struct stat st;
    int nSize = 0;
    if (fstat(fileno(pFile), &st) == 0 && !S_ISDIR(st.st_mode) && fseek(pFile, 0, SEEK_END) == 0)
        nSize = (int)ftell(pFile);
    fclose(pFile);
    return nSize < 0 ? 0 : nSize;
}

bool LogFile::can(int nAccess)
{
    return nAccess == SA_WRITE;
}

} // namespace RIR
