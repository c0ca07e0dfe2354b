// The in-memory stream.
//
// A MemStream is either an owned, growable buffer (mode MSM_OWNED) or a read-only view of bytes
// somebody else owns (mode MSM_VIEW). `can` answers (access & mode) == access, so an owned
// stream reports write access only and a view read access only; `read` works in both modes.
//
// An owned stream grows by the factor 1.75 (first step 32768 bytes, at least to the end of the
// write) whenever a write reaches its capacity; the buffer then moves, so pointers from
// getBuffer and readers from createReader are valid only until the next growth. A view never
// copies and never frees the caller's bytes, and refuses writes (it accepts 0 bytes).
//
// Usage:
//     MemStream* pOut = new MemStream();
//     pOut->writeInt32(42);
//     MemStream* pIn = pOut->createReader(); // delete pIn before pOut, and before pOut grows
#ifndef RIR2_MEMSTREAM_H
#define RIR2_MEMSTREAM_H

#include "rir2/stream.h"

#include <cstdint>

namespace RIR
{

enum MemStreamMode
{
    MSM_VIEW = 1,
    MSM_OWNED = 2
};

class MemStream : public Stream
{
public:
    // An empty owned stream: no buffer, capacity, size and position 0.
    MemStream();
    // A read-only view of nLength bytes at pData; nothing is copied. A negative length counts
    // as 0.
    MemStream(const void* pData, int nLength);
    // Frees the buffer of an owned stream; leaves a view's bytes alone.
    ~MemStream() override;

    MemStream(const MemStream&) = delete;
    MemStream& operator=(const MemStream&) = delete;

    // Copies min(n, size - position) bytes and advances the position; 0 at or past the end.
    int read(int n, void* pBuffer) override;
    // Owned: stores n bytes at the position (growing as needed; bytes skipped by a seek beyond
    // the end read as zero), advances the position and returns n. A view accepts nothing and
    // returns 0; so does an owned stream whose size would pass the largest int.
    int write(int n, const void* pBuffer) override;
    int tell() override;
    // Sets the position; any value from 0 up, the end included and beyond. A negative position
    // raises BadParmException and leaves the position unchanged.
    void seek(int nPosition) override;
    int size() override;
    bool can(int nAccess) override;

    // The first byte (null for an owned stream that never held data); valid until the next
    // growth or the destruction.
    uint8_t* getBuffer() { return m_pBuffer; }
    int getCapacity() const { return m_nCapacity; }
    int getMode() const { return m_eMode; }

    // A new view (owned by the caller) over this stream's buffer and size, positioned at 0. It
    // must not outlive this stream nor be used after this stream's next growth.
    MemStream* createReader();

private:
    void grow(int nNeeded);

    int32_t m_nCapacity;
    int32_t m_nSize;
    int32_t m_nPosition;
    uint8_t* m_pBuffer;
    int32_t m_eMode;
};

} // namespace RIR

#endif
