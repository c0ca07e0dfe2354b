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
// - read never raises: the end of the data, a cut stream and corrupt data all show as fewer
//   bytes than asked for (0 for a call during which the inner stream runs dry, even when that
//   call had already inflated some bytes);
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

#include "rir2/stream.h"

#include <cstdint>
#include <zlib.h>

namespace RIR
{

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

private:
    // Hands the first nCount bytes of the buffer to the inner stream; raises on a short write.
    void flushBuffer(int nCount, const char* pszCaller);

    Stream* m_pStream;
    bool m_bOwnsStream;
    bool m_bReading; // the direction chosen at construction
    z_stream m_zStream;
    uint8_t m_abBuffer[ZSTREAM_BUFFER_SIZE];
    int32_t m_nTotal;
};

} // namespace RIR

#endif
