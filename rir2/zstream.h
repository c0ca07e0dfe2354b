// The compressed stream: zlib deflate and inflate (zlib format) stacked on another stream.
//
// The direction is fixed at construction by the inner stream's access: over a readable stream a
// ZStream inflates what it reads, over a write-only stream it deflates what is written to it. A
// stream that can both read and write is refused. A ZStream cannot seek.
//
// Compressed bytes move through one 4096-byte buffer. A writer's data is complete only after
// finish, which the destructor calls; owners delete the ZStream (or call finish) before they use
// the inner stream's bytes. A reader pulls the inner stream in blocks of 4096 bytes; its
// destructor hands back the bytes inflate did not consume, so the inner stream then stands just
// after the compressed data.
//
// Failure contract:
// - construction: AssertFailException for a null inner stream or a level outside -1..9,
//   FatalErrorException for a bidirectional inner stream or a failed zlib initialisation;
// - write and finish: FatalErrorException when deflate fails or when the inner stream accepts
//   fewer bytes than offered (the compressed data is then incomplete);
// - read raises nothing by default: the end of the data, a cut stream and corrupt data all show
//   as fewer bytes than asked for (0 for a call during which the inner stream runs dry, even
//   when that call had already inflated some bytes). The reader still records why it stopped
//   (getReadState, describeReadState), so a caller can tell a complete stream whose check held
//   from a cut or damaged one;
// - with setExactReads(true), a read that cannot deliver every byte asked for raises
//   BadStreamFormatException "ZStream::read : " and the reason instead: every typed read over
//   it is then either whole or an error;
// - checkEnd raises BadStreamFormatException "ZStream::checkEnd : " and the reason unless the
//   compressed data ends exactly where the reader stands, complete and with its check held;
// - seek always raises FatalErrorException.
// The destructor cannot report a failure: the exception raised by its finish is recorded in the
// exception log and dropped. Callers that must know call finish themselves first.
//
// Usage:
//     ZStream* pZ = new ZStream(pFile, 9);
//     pZ->writeInt32(nValue);
//     pZ->finish();   // raises when the data could not be written in full
//     delete pZ;      // then the file
#ifndef RIR2_ZSTREAM_H
#define RIR2_ZSTREAM_H

#include "rir2/rirstring.h"
#include "rir2/stream.h"

#include <cstdint>
#include <zlib.h>

namespace RIR
{

// Why a reader stopped, or that it has not.
enum ZStreamReadState
{
    ZSR_RUNNING = 0, // more data may follow
    ZSR_ENDED = 1,   // the compressed data ended and its check held
    ZSR_CUT = 2,     // the inner stream ran dry before the end
    ZSR_DAMAGED = 3  // inflate refused the data (a bad header, bad codes, a failed check)
};

enum
{
    ZSTREAM_BUFFER_SIZE = 4096, // bytes of compressed data moved per block
    ZSTREAM_DEFAULT_LEVEL = 9   // what level -1 stands for
};

class ZStream : public Stream
{
public:
    // pStream: the inner stream, positioned at the start of the compressed data (reader) or where
    // it shall begin (writer); not owned unless setOwnsStream(true). nLevel: 0..9, or -1 for 9;
    // checked for readers too.
    ZStream(Stream* pStream, int nLevel);
    // Reader: seeks the inner stream back over the unconsumed input. Writer: finish. Then
    // deletes the inner stream when owned, whatever its reference count.
    ~ZStream() override;

    ZStream(const ZStream&) = delete;
    ZStream& operator=(const ZStream&) = delete;

    // Inflates up to n bytes; returns how many were delivered (0 for a writer).
    int read(int n, void* pBuffer) override;
    // Deflates n bytes, handing every full block to the inner stream; returns n (0 for a
    // reader, which accepts nothing).
    int write(int n, const void* pBuffer) override;
    // The uncompressed bytes delivered or accepted so far.
    int tell() override;
    // Always raises FatalErrorException "RIR::ZStream : Positioning not implemented".
    void seek(int nPosition) override;
    // The inner stream's size: the compressed size.
    int size() override;
    // The inner stream's answer.
    bool can(int nAccess) override;
    // Completes a writer's compressed data (nothing for a reader). Calling it again adds nothing.
    virtual void finish();

    Stream* getStream() const { return m_pStream; }
    void setOwnsStream(bool bOwns) { m_bOwnsStream = bOwns; }

    // Reader: read raises instead of delivering fewer bytes than asked for (see above).
    void setExactReads(bool bExact) { m_bExactReads = bExact; }
    // Reader: where the compressed data stands (a ZStreamReadState); always ZSR_RUNNING for a
    // writer.
    int getReadState() const { return m_nReadState; }
    // The reason for the read state in words, such as "the compressed data is damaged
    // (incorrect data check)".
    String describeReadState() const;
    // Reader: raises BadStreamFormatException unless the compressed data ends right here,
    // complete and with its check held; a stream that would deliver more bytes "runs on".
    // Nothing for a writer.
    void checkEnd();
    // Reader: the compressed bytes inflate has consumed so far.
    int getCompressedCount() const { return (int)m_zStream.total_in; }

private:
    // Refills the input buffer from the inner stream when it is empty; false (and the read
    // state ZSR_CUT) when the inner stream has nothing more.
    bool fillInput();
    // Records the outcome of one inflate call in the read state.
    void noteInflateResult(int nErr);
    // Raises BadStreamFormatException "<pszCaller> : <reason>".
    [[noreturn]] void raiseReadFailure(const char* pszCaller, const String& sReason) const;
    // Hands the first nCount bytes of the buffer to the inner stream; raises on a short write.
    void flushBuffer(int nCount, const char* pszCaller);

    Stream* m_pStream;
    bool m_bOwnsStream;
    bool m_bReading; // the direction chosen at construction
    z_stream m_zStream;
    uint8_t m_abBuffer[ZSTREAM_BUFFER_SIZE];
    int32_t m_nTotal;
    bool m_bExactReads;
    int32_t m_nReadState;         // a ZStreamReadState
    const char* m_pszZlibMessage; // zlib's own text for ZSR_DAMAGED (a static text), or null
};

} // namespace RIR

#endif
