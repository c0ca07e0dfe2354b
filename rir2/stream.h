// The byte-stream abstraction of the foundation library.
//
// A Stream moves bytes through six abstract operations (read, write, tell, seek, size, can) and
// builds a fixed set of typed operations on them: fixed-width integers, floats, raw text, the
// 7-bit variable-length integer and the tagged string form of the object serializer.
//
// Byte order: a stream starts in native order, where 16- and 32-bit integers travel in the
// machine's own order (little-endian on every target we build for). With the native-order flag
// cleared, every 16- and 32-bit integer is byte-reversed on the way in and out. Single bytes,
// floats, doubles, variable-length integers and text are never reversed.
//
// Failure contract of the typed operations: writers return true only when the stream accepted
// every byte of the value; readers never report anything, and a reader whose stream runs dry
// before the value is complete returns 0 (a variable-length reader also returns 0 when the
// stream runs dry inside the value). Formats that care check their own tags and magic words.
//
// Streams are reference counted, yet most owners create them with new and delete them directly;
// an object once handed to a SmartPtr must only be released through its handles.
#ifndef RIR2_STREAM_H
#define RIR2_STREAM_H

#include "rir2/refcount.h"

#include <cstdint>

namespace RIR
{

class String;

// The access bits asked of Stream::can.
enum StreamAccess
{
    SA_READ = 1,
    SA_WRITE = 2
};

class Stream : public RefCountedObject
{
public:
    // A new stream is in native byte order.
    Stream();
    ~Stream() override;

    // Copies up to n bytes into pBuffer; returns how many were delivered (0 at the end).
    virtual int read(int n, void* pBuffer) = 0;
    // Offers n bytes; returns how many the stream accepted.
    virtual int write(int n, const void* pBuffer) = 0;
    // The current position.
    virtual int tell() = 0;
    // Moves to an absolute position from the start.
    virtual void seek(int nPosition) = 0;
    // The total size in bytes.
    virtual int size() = 0;
    // True when the stream supports every StreamAccess bit in nAccess.
    virtual bool can(int nAccess) = 0;

    void setNativeOrder(bool bNative) { m_bNativeOrder = bNative; }
    bool isNativeOrder() const { return m_bNativeOrder; }

    // 4 bytes, reversed while the native-order flag is false.
    int32_t readInt32();
    bool writeInt32(int32_t nValue);
    // 2 bytes, reversed while the native-order flag is false; the reader sign-extends.
    int16_t readInt16();
    bool writeInt16(int16_t nValue);
    // One byte.
    uint8_t readByte();
    bool writeByte(uint8_t nValue);
    // 4 and 8 bytes in machine order, whatever the flag.
    float readFloat();
    bool writeFloat(float fValue);
    double readDouble();
    bool writeDouble(double fValue);
    // The bytes of the text without its terminator, no tag, no length. A null or empty text
    // writes nothing and returns true.
    bool writeText(const char* pszText);

    // The variable-length form: 7-bit groups of the 32-bit pattern, lowest group first, bit 0x80
    // on every byte but the last; 1 to 5 bytes. The signed pair encodes the two's-complement
    // pattern (-1 is FF FF FF FF 0F). A writer stops at the first byte the stream refuses and
    // returns false. A reader takes at most 5 bytes whatever their continuation bits say.
    int readVarInt();
    bool writeVarInt(int nValue);
    unsigned readVarUInt();
    bool writeVarUInt(unsigned nValue);

    // The tagged string form of the object serializer (tag 0x12, variable-length length, bytes).
    String readString();
    bool writeString(const char* pszText);

protected:
    // Reads exactly n bytes into pBuffer, calling read until it is complete or the stream
    // delivers nothing; true when all n bytes arrived.
    bool readFully(int n, void* pBuffer);
    // Offers exactly n bytes; true when the stream accepted them all.
    bool writeFully(int n, const void* pBuffer);

private:
    bool m_bNativeOrder;
};

} // namespace RIR

#endif
