// Typed operations of Stream: byte order, the variable-length integers, short reads and writes.
#include "rir2/memstream.h"
#include "rir2/stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace RIR;

namespace
{

// A stream over a byte vector whose read delivers at most m_nChunk bytes per call and whose
// write accepts at most m_nWriteLimit bytes in total; with m_bEndless its read never runs dry
// and delivers m_nFill bytes forever.
class ScriptedStream : public Stream
{
public:
    explicit ScriptedStream(std::vector<uint8_t> data = {}, int nChunk = 1 << 30)
        : m_data(std::move(data)), m_nChunk(nChunk)
    {
    }

    int read(int n, void* pBuffer) override
    {
        ++m_nReadCalls;
        uint8_t* pDest = static_cast<uint8_t*>(pBuffer);
        int nCount = n < m_nChunk ? n : m_nChunk;
        if (m_bEndless)
        {
            memset(pDest, m_nFill, (size_t)nCount);
            return nCount;
        }
        const int nLeft = (int)m_data.size() - m_nPos;
        if (nCount > nLeft)
            nCount = nLeft;
        if (nCount > 0)
            memcpy(pDest, m_data.data() + m_nPos, (size_t)nCount);
        m_nPos += nCount;
        return nCount;
    }
    int write(int n, const void* pBuffer) override
    {
        int nCount = n;
        if (nCount > m_nWriteLimit - (int)m_written.size())
            nCount = m_nWriteLimit - (int)m_written.size();
        const uint8_t* pSrc = static_cast<const uint8_t*>(pBuffer);
        m_written.insert(m_written.end(), pSrc, pSrc + nCount);
        return nCount;
    }
    int tell() override { return m_nPos; }
    void seek(int nPosition) override { m_nPos = nPosition; }
    int size() override { return (int)m_data.size(); }
    bool can(int nAccess) override { return (nAccess & SA_READ) == nAccess; }

    std::vector<uint8_t> m_data;
    std::vector<uint8_t> m_written;
    int m_nChunk;
    int m_nPos = 0;
    int m_nWriteLimit = 1 << 30;
    int m_nReadCalls = 0;
    bool m_bEndless = false;
    uint8_t m_nFill = 0;
};

std::vector<uint8_t> bytesOf(MemStream& stream)
{
    return std::vector<uint8_t>(stream.getBuffer(), stream.getBuffer() + stream.size());
}

} // namespace

TEST(Stream, VarIntVectorsWriteAndReadBack)
{
    struct Case
    {
        uint32_t nValue;
        std::vector<uint8_t> bytes;
    };
    const Case aCases[] = {
        {0, {0x00}},
        {1, {0x01}},
        {127, {0x7F}},
        {128, {0x80, 0x01}},
        {300, {0xAC, 0x02}},
        {16383, {0xFF, 0x7F}},
        {16384, {0x80, 0x80, 0x01}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
        {0x10000000, {0x80, 0x80, 0x80, 0x80, 0x01}},
        {0x7FFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x07}},
        {0x80000000, {0x80, 0x80, 0x80, 0x80, 0x08}},
        {0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x0F}},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.nValue);
        MemStream unsignedOut;
        EXPECT_TRUE(unsignedOut.writeVarUInt(c.nValue));
        EXPECT_EQ(bytesOf(unsignedOut), c.bytes);

        // The signed writer produces the same bytes for the same bit pattern.
        MemStream signedOut;
        EXPECT_TRUE(signedOut.writeVarInt((int)c.nValue));
        EXPECT_EQ(bytesOf(signedOut), c.bytes);

        MemStream in(c.bytes.data(), (int)c.bytes.size());
        EXPECT_EQ(in.readVarUInt(), c.nValue);
        EXPECT_EQ(in.tell(), (int)c.bytes.size());
        in.seek(0);
        EXPECT_EQ(in.readVarInt(), (int)c.nValue);
    }
}

TEST(Stream, VarIntReaderTakesAtMostFiveBytes)
{
    // Damaged data with continuation bits beyond the fifth byte: the reader stops after five
    // bytes and leaves the rest for the next read.
    const uint8_t abData[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x2A};
    MemStream in(abData, (int)sizeof(abData));
    EXPECT_EQ(in.readVarUInt(), 0xFFFFFFFFu);
    EXPECT_EQ(in.tell(), 5);

    // A stream that never runs dry and always sets the continuation bit cannot hold the reader.
    ScriptedStream endless;
    endless.m_bEndless = true;
    endless.m_nFill = 0x80;
    EXPECT_EQ(endless.readVarUInt(), 0u);
    EXPECT_EQ(endless.m_nReadCalls, 5);
}

TEST(Stream, ShortReadsYieldZero)
{
    const uint8_t abData[] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77};
    struct Case
    {
        const char* pszName;
        int nAvailable;
        bool (*pfnIsZero)(Stream&);
    };
    const Case aCases[] = {
        {"readByte", 0, [](Stream& s) { return s.readByte() == 0; }},
        {"readInt16", 1, [](Stream& s) { return s.readInt16() == 0; }},
        {"readInt32", 3, [](Stream& s) { return s.readInt32() == 0; }},
        {"readFloat", 3, [](Stream& s) { return s.readFloat() == 0.0f; }},
        {"readDouble", 7, [](Stream& s) { return s.readDouble() == 0.0; }},
        // A variable-length value cut inside: 0x80 announces a byte that never comes.
        {"readVarUInt", 0, [](Stream& s) { return s.readVarUInt() == 0; }},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        MemStream in(abData, c.nAvailable);
        EXPECT_TRUE(c.pfnIsZero(in));
    }
    const uint8_t abCut[] = {0xFF, 0x80};
    MemStream cut(abCut, (int)sizeof(abCut));
    EXPECT_EQ(cut.readVarUInt(), 0u);
    EXPECT_EQ(cut.readByte(), 0);
}

TEST(Stream, TypedReadsAssembleValuesFromPiecemealDelivery)
{
    // A stream that hands out one byte per call still yields whole values.
    ScriptedStream in({0x04, 0x03, 0x02, 0x01, 0xFF, 0xFF, 0xAC, 0x02}, 1);
    EXPECT_EQ(in.readInt32(), 0x01020304);
    EXPECT_EQ(in.readInt16(), -1);
    EXPECT_EQ(in.readVarInt(), 300);
}

TEST(Stream, ByteOrder)
{
    MemStream native;
    EXPECT_TRUE(native.isNativeOrder());
    native.writeInt32(0x01020304);
    native.writeInt16(0x0102);
    EXPECT_EQ(bytesOf(native), (std::vector<uint8_t>{0x04, 0x03, 0x02, 0x01, 0x02, 0x01}));

    MemStream reversed;
    reversed.setNativeOrder(false);
    EXPECT_FALSE(reversed.isNativeOrder());
    reversed.writeInt32(1);
    reversed.writeInt16(1);
    reversed.writeInt32(-2);
    EXPECT_EQ(bytesOf(reversed),
              (std::vector<uint8_t>{0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFE}));

    MemStream* pBack = reversed.createReader();
    pBack->setNativeOrder(false);
    EXPECT_EQ(pBack->readInt32(), 1);
    EXPECT_EQ(pBack->readInt16(), 1);
    EXPECT_EQ(pBack->readInt32(), -2);
    delete pBack;

    // Bytes, floats, doubles, variable-length integers and text are never reversed.
    MemStream flagged;
    flagged.setNativeOrder(false);
    MemStream plain;
    for (Stream* pOut : {static_cast<Stream*>(&flagged), static_cast<Stream*>(&plain)})
    {
        pOut->writeByte(0xAB);
        pOut->writeFloat(1.5f);
        pOut->writeDouble(-2.25);
        pOut->writeVarInt(300);
        pOut->writeText("xy");
    }
    EXPECT_EQ(bytesOf(flagged), bytesOf(plain));
    float fValue = 1.5f;
    EXPECT_EQ(memcmp(flagged.getBuffer() + 1, &fValue, 4), 0);

    MemStream* pIn = flagged.createReader();
    pIn->setNativeOrder(false);
    EXPECT_EQ(pIn->readByte(), 0xAB);
    EXPECT_EQ(pIn->readFloat(), 1.5f);
    EXPECT_EQ(pIn->readDouble(), -2.25);
    EXPECT_EQ(pIn->readVarInt(), 300);
    delete pIn;
}

TEST(Stream, SignExtensionOfInt16)
{
    const uint8_t abData[] = {0xFF, 0xFF, 0x00, 0x80};
    MemStream in(abData, (int)sizeof(abData));
    EXPECT_EQ(in.readInt16(), -1);
    EXPECT_EQ(in.readInt16(), -32768);
}

TEST(Stream, WriteText)
{
    MemStream out;
    EXPECT_TRUE(out.writeText(""));
    EXPECT_EQ(out.size(), 0);
    EXPECT_TRUE(out.writeText("abc"));
    EXPECT_EQ(bytesOf(out), (std::vector<uint8_t>{'a', 'b', 'c'}));
}

TEST(Stream, WritersReportShortWrites)
{
    struct Case
    {
        const char* pszName;
        int nLimit;
        bool (*pfnWrite)(Stream&);
        size_t nExpectWritten;
    };
    const Case aCases[] = {
        {"writeInt32", 3, [](Stream& s) { return s.writeInt32(7); }, 3},
        {"writeInt16", 1, [](Stream& s) { return s.writeInt16(7); }, 1},
        {"writeByte", 0, [](Stream& s) { return s.writeByte(7); }, 0},
        {"writeDouble", 4, [](Stream& s) { return s.writeDouble(7.0); }, 4},
        {"writeText", 2, [](Stream& s) { return s.writeText("abc"); }, 2},
        // The variable-length writer stops at the first refused byte.
        {"writeVarUInt", 1, [](Stream& s) { return s.writeVarUInt(0xFFFFFFFF); }, 1},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        ScriptedStream out;
        out.m_nWriteLimit = c.nLimit;
        EXPECT_FALSE(c.pfnWrite(out));
        EXPECT_EQ(out.m_written.size(), c.nExpectWritten);
    }
    ScriptedStream roomy;
    roomy.m_nWriteLimit = 5;
    EXPECT_TRUE(roomy.writeVarUInt(0xFFFFFFFF));
    EXPECT_FALSE(roomy.writeByte(0));
}
