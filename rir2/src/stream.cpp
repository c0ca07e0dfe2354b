#include "rir2/stream.h"

#include "rir2/calltrace.h"

#include <cstring>

namespace RIR
{

namespace
{

// The variable-length form never needs more than 5 bytes for 32 bits.
const int VARINT_MAX_BYTES = 5;

uint32_t reverse32(uint32_t n)
{
    return ((n & 0x000000FFu) << 24) | ((n & 0x0000FF00u) << 8) | ((n & 0x00FF0000u) >> 8) |
           ((n & 0xFF000000u) >> 24);
}

uint16_t reverse16(uint16_t n)
{
    return (uint16_t)(((n & 0x00FFu) << 8) | ((n & 0xFF00u) >> 8));
}

} // namespace

Stream::Stream() : m_bNativeOrder(true)
{
    RIR_TRACE("Stream::Stream");
}

Stream::~Stream()
{
    RIR_TRACE("Stream::~Stream");
}

bool Stream::readFully(int n, void* pBuffer)
{
    RIR_TRACE("Stream::readFully");
    uint8_t* pDest = static_cast<uint8_t*>(pBuffer);
    int nDone = 0;
    while (nDone < n)
    {
        RIR_TRACE_LINE();
        const int nGot = read(n - nDone, pDest + nDone);
        // A stream that delivers nothing (or misreports) has run dry: stop rather than spin.
        if (nGot <= 0 || nGot > n - nDone)
            return false;
        nDone += nGot;
    }
    return true;
}

bool Stream::writeFully(int n, const void* pBuffer)
{
    RIR_TRACE("Stream::writeFully");
    RIR_TRACE_LINE();
    return write(n, pBuffer) == n;
}

int32_t Stream::readInt32()
{
    RIR_TRACE("Stream::readInt32");
    uint32_t nValue = 0;
    if (!readFully(4, &nValue))
        return 0;
    if (!m_bNativeOrder)
        nValue = reverse32(nValue);
    return (int32_t)nValue;
}

bool Stream::writeInt32(int32_t nValue)
{
    RIR_TRACE("Stream::writeInt32");
    uint32_t nBits = (uint32_t)nValue;
    if (!m_bNativeOrder)
        nBits = reverse32(nBits);
    return writeFully(4, &nBits);
}

int16_t Stream::readInt16()
{
    RIR_TRACE("Stream::readInt16");
    uint16_t nValue = 0;
    if (!readFully(2, &nValue))
        return 0;
    if (!m_bNativeOrder)
        nValue = reverse16(nValue);
    return (int16_t)nValue;
}

bool Stream::writeInt16(int16_t nValue)
{
    RIR_TRACE("Stream::writeInt16");
    uint16_t nBits = (uint16_t)nValue;
    if (!m_bNativeOrder)
        nBits = reverse16(nBits);
    return writeFully(2, &nBits);
}

uint8_t Stream::readByte()
{
    RIR_TRACE("Stream::readByte");
    uint8_t nValue = 0;
    if (!readFully(1, &nValue))
        return 0;
    return nValue;
}

bool Stream::writeByte(uint8_t nValue)
{
    RIR_TRACE("Stream::writeByte");
    return writeFully(1, &nValue);
}

float Stream::readFloat()
{
    RIR_TRACE("Stream::readFloat");
    float fValue = 0.0f;
    if (!readFully((int)sizeof(fValue), &fValue))
        return 0.0f;
    return fValue;
}

bool Stream::writeFloat(float fValue)
{
    RIR_TRACE("Stream::writeFloat");
    return writeFully((int)sizeof(fValue), &fValue);
}

double Stream::readDouble()
{
    RIR_TRACE("Stream::readDouble");
    double fValue = 0.0;
    if (!readFully((int)sizeof(fValue), &fValue))
        return 0.0;
    return fValue;
}

bool Stream::writeDouble(double fValue)
{
    RIR_TRACE("Stream::writeDouble");
    return writeFully((int)sizeof(fValue), &fValue);
}

bool Stream::writeText(const char* pszText)
{
    RIR_TRACE("Stream::writeText");
    if (pszText == nullptr)
        return true;
    const size_t nLength = strlen(pszText);
    if (nLength == 0)
        return true;
    return writeFully((int)nLength, pszText);
}

unsigned Stream::readVarUInt()
{
    RIR_TRACE("Stream::readVarUInt");
    uint32_t nResult = 0;
    // At most 5 groups: a longer run of continuation bits is damaged data, and shifting a
    // sixth group would leave the 32 bits anyway.
    for (int i = 0; i < VARINT_MAX_BYTES; ++i)
    {
        uint8_t nByte = 0;
        if (!readFully(1, &nByte))
            return 0;
        nResult |= (uint32_t)(nByte & 0x7F) << (7 * i);
        if ((nByte & 0x80) == 0)
            break;
    }
    return nResult;
}

int Stream::readVarInt()
{
    RIR_TRACE("Stream::readVarInt");
    return (int)readVarUInt();
}

bool Stream::writeVarUInt(unsigned nValue)
{
    RIR_TRACE("Stream::writeVarUInt");
    uint32_t nBits = (uint32_t)nValue;
    do
    {
        uint8_t nByte = (uint8_t)(nBits & 0x7F);
        nBits >>= 7;
        if (nBits != 0)
            nByte |= 0x80;
        if (!writeFully(1, &nByte))
            return false;
    } while (nBits != 0);
    return true;
}

bool Stream::writeVarInt(int nValue)
{
    RIR_TRACE("Stream::writeVarInt");
    return writeVarUInt((unsigned)nValue);
}

} // namespace RIR
