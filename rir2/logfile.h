// An append-only stream over a file that is never kept open.
//
// Every write opens the file for appending, writes and closes it again, so the text is on disk
// after each call even when the program dies right after. A LogFile cannot be read or
// positioned: `can` answers true only for write access alone, and read, tell and seek raise
// BadStateException. Writing never raises: a file that cannot be opened, written or closed shows
// as a count below the one offered (0 when nothing is known to have reached the file).
#ifndef RIR2_LOGFILE_H
#define RIR2_LOGFILE_H

#include "rir2/rirstring.h"
#include "rir2/stream.h"

namespace RIR
{

class LogFile : public Stream
{
public:
    // Stores the path; opens nothing.
    explicit LogFile(const char* pszPath);

    // Raises BadStateException "RIR::LogFile::read : LogFiles can't be read".
    int read(int n, void* pBuffer) override;
    // Appends n bytes to the file; the count written, or 0 when it cannot be opened.
    int write(int n, const void* pBuffer) override;
    // Both raise BadStateException "RIR::LogFile::read : LogFiles can't be seeked".
    int tell() override;
    void seek(int nPosition) override;
    // The file's length; 0 when it cannot be opened.
    int size() override;
    // True only for SA_WRITE alone.
    bool can(int nAccess) override;

    String getPath() const { return m_sPath; }

private:
    String m_sPath;
};

} // namespace RIR

#endif
