// The exception family: the system's only way of reporting failure.
//
// Every exception carries a message, the source file and line of the throw and a snapshot of the
// call trace taken when it was built. Throw by value with RIR_THROW, catch by reference.
#ifndef RIR2_EXCEPTION_H
#define RIR2_EXCEPTION_H

#include "rir2/calltrace.h"
#include "rir2/refcount.h"

#include <cstdint>

namespace RIR
{

class Stream;

// A copy of the live call-trace entries; index 0 is the outermost call.
class CallStackSnapshot
{
public:
    // Copies entries 0 .. depth - 1 of the live stack, duplicating each note.
    CallStackSnapshot();
    CallStackSnapshot(const CallStackSnapshot& other);
    CallStackSnapshot& operator=(const CallStackSnapshot& other);
    ~CallStackSnapshot();

    int getCount() const { return m_nCount; }
    // The name of entry i, preceded by "$" when its flag is set, in a static 1024-byte buffer that
    // the next call overwrites (a longer name is cut to fit); "" when i is not a valid index.
    const char* getEntryName(int i) const;
    // The file, note and line of entry i; "", "" and 0 when i is not a valid index.
    const char* getEntryFile(int i) const;
    const char* getEntryNote(int i) const;
    int getEntryLine(int i) const;

private:
    void copyFrom(const CallStackSnapshot& other);
    void release();

    const char** m_apszNames;
    const char** m_apszFiles;
    char** m_apszNotes;
    uint8_t* m_abFlags;
    int32_t* m_anLines;
    int32_t m_nCount;
};

class Exception
{
public:
    // Takes the snapshot, copies the message and the file text (a null text counts as ""), and
    // writes the exception to the exception log when one is set. A failure of the log is
    // dropped: it never replaces the exception being built.
    Exception(const char* pszFile, int nLine, const char* pszMessage);
    Exception(const Exception& other);
    Exception& operator=(const Exception& other);
    virtual ~Exception();

    virtual const char* getClassName() const;
    virtual const char* getMessage() const;
    // Replaces the message with a copy of pszMessage (null counts as "").
    virtual void setMessage(const char* pszMessage);
    virtual const char* getFile() const;
    virtual int getLine() const;

    const CallStackSnapshot& getSnapshot() const { return m_snapshot; }

private:
    CallStackSnapshot m_snapshot;
    char* m_pszMessage;
    char* m_pszFile;
    int32_t m_nLine;
};

#define RIR_DECLARE_EXCEPTION(ClassName)                                                           \
    class ClassName : public ::RIR::Exception                                                      \
    {                                                                                              \
    public:                                                                                        \
        ClassName(const char* pszFile, int nLine, const char* pszMessage)                          \
            : ::RIR::Exception(pszFile, nLine, pszMessage)                                         \
        {                                                                                          \
        }                                                                                          \
        ClassName(const ClassName& other) = default;                                               \
        const char* getClassName() const override { return #ClassName; }                           \
    };

RIR_DECLARE_EXCEPTION(FatalErrorException)
RIR_DECLARE_EXCEPTION(AssertFailException)
RIR_DECLARE_EXCEPTION(BadStreamFormatException)
RIR_DECLARE_EXCEPTION(ResourceException)
RIR_DECLARE_EXCEPTION(BadStateException)
RIR_DECLARE_EXCEPTION(FileAccessException)
RIR_DECLARE_EXCEPTION(BadParmException)

// The exception log: a stream every new exception is written to; null unless set. Setting it
// releases the previous stream; a null handle turns the log off.
void setExceptionLog(const SmartPtr<Stream>& pStream);
// A new reference to the exception log, or null.
SmartPtr<Stream> getExceptionLog();

} // namespace RIR

// Throws ExClass with this file and line; pszMessage is a C text (use String::format for values).
#define RIR_THROW(ExClass, pszMessage)                                                             \
    do                                                                                             \
    {                                                                                              \
        ::RIR::setTraceLine(__LINE__);                                                             \
        throw ::RIR::ExClass(__FILE__, __LINE__, (pszMessage));                                    \
    } while (0)

// Throws AssertFailException "Assertion failed : <condition text>" when the condition is false.
#define RIR_ASSERT(cond)                                                                           \
    do                                                                                             \
    {                                                                                              \
        if (!(cond))                                                                               \
        {                                                                                          \
            ::RIR::setTraceLine(__LINE__);                                                         \
            throw ::RIR::AssertFailException(__FILE__, __LINE__, "Assertion failed : " #cond);     \
        }                                                                                          \
    } while (0)

#endif
