// Files of the file system as streams, and the two free file helpers.
//
// A File is a Stream over a C runtime file, opened for reading (FOM_READ, "rb": the file must
// exist), for writing (FOM_WRITE, "wb": created or emptied) or for update (FOM_UPDATE, "r+b": a
// missing file is created empty first). `can` answers (access & mode) == access, so an update
// file reports both accesses and the object serializer and the compressed stream refuse it.
//
// Failure contract:
// - construction raises FileAccessException: "File::File : '%s' does not exist" (read mode, no
//   such file, or a folder), "File::File : unknown mode '%d'", "File::File : can't open file %s
//   (%s) [%d]" (path, mode string, errno; also a file that is there but may not be read);
// - reads report nothing: a short read shows in the count;
// - `write` raises FileAccessException when the file accepts fewer bytes than offered (a full
//   disk, an I/O error, a file opened for reading), so lost data never passes as written;
// - `close` flushes and closes and raises FileAccessException when that fails: buffered data
//   that could not reach the disk is reported there. Writers whose data matters call `close`
//   before they delete the File; the destructor closes a file still open and, as a destructor
//   cannot throw, only records a failure in the exception log;
// - any operation on a closed File raises BadStateException.
//
// `readLine` reads through one static 4096-byte buffer shared by every File: main thread only.
//
// Usage:
//     File* pFile = new File(sPath.c_str(), FOM_WRITE);
//     pFile->writeInt32(nValue);
//     pFile->close(); // raises when the data did not reach the file
//     delete pFile;
#ifndef RIR2_FILE_H
#define RIR2_FILE_H

#include "rir2/rirstring.h"
#include "rir2/stream.h"

#include <cstdint>
#include <cstdio>

namespace RIR
{

enum FileOpenMode
{
    FOM_READ = 1,
    FOM_WRITE = 2,
    FOM_UPDATE = 3
};

// Bytes of the line buffer used by File::readLine; a line arrives in pieces of at most one byte
// less.
enum
{
    FILE_LINE_BUFFER_SIZE = 4096
};

class File : public Stream
{
public:
    // Opens pszPath in nMode (a FileOpenMode) and positions at 0. A null path counts as "".
    File(const char* pszPath, int nMode);
    // Closes the file when it is still open; a failure of that close goes to the exception log.
    ~File() override;

    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Up to n bytes; the count delivered (0 at the end, or for n <= 0).
    int read(int n, void* pBuffer) override;
    // Up to n bytes from the absolute position nPosition, in as few system calls as the system
    // allows, without moving the position read and write use; the count delivered (less at the
    // end of the file or on a read error, 0 for n <= 0 or a negative position).
    int readAt(int nPosition, int n, void* pBuffer);
    // Writes n bytes and returns n; raises FileAccessException when fewer were accepted.
    int write(int n, const void* pBuffer) override;
    int tell() override;
    // Absolute position from the start.
    void seek(int nPosition) override;
    // The length of the file; the position stays where it was.
    int size() override;
    bool can(int nAccess) override;

    // Formats like String::format (cut at 4095 bytes) and writes the text without terminator;
    // returns the count written.
    virtual int printf(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));
    // The next line, its line feed included when it has one; a line longer than 4095 bytes comes
    // in pieces; "" at the end of the file.
    virtual String readLine();
    // Replaces sOut by up to size() bytes read from the current position (as text: a zero byte
    // ends it); returns the count read.
    virtual int readAll(String& sOut);
    // The same into a new string.
    virtual String readAll();
    // The C runtime's end-of-file indicator.
    virtual bool eof();

    // Flushes and closes; raises FileAccessException when the data could not be written out.
    // The File is closed afterwards either way. Closing a closed File does nothing.
    void close();
    bool isOpen() const { return m_pFile != nullptr; }
    int getMode() const { return m_nMode; }
    const String& getPath() const { return m_sPath; }

private:
    // Raises BadStateException naming pszWhere when the file is closed.
    void requireOpen(const char* pszWhere) const;
    // Inserts the positioning call the C runtime needs when an update file turns from reading
    // to writing or back; nNext is the transfer about to start.
    void prepare(int nNext);
    // Up to size() bytes from the current position as text; *pnRead receives the count.
    String readText(int* pnRead);

    FILE* m_pFile;
    int32_t m_nMode;
    int32_t m_nLast; // the last transfer since the last positioning
    String m_sPath;
};

// False for a null or empty path and for a folder; otherwise whether the path opens for reading.
bool fileExists(const char* pszPath);
// Removes the file when fileExists says it is there; reports nothing either way.
void deleteFile(const char* pszPath);

} // namespace RIR

#endif
