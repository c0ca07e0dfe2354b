// The object streamer: string form, signature, value forms and the object pointer protocol.
#include "rir2/file.h"
#include "rir2/memstream.h"
#include "rir2/objectstreamer.h"
#include "rir2/rirstring.h"
#include "rir2/zstream.h"

#include <gtest/gtest.h>

#include "raises.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using namespace RIR;

namespace
{

typedef std::vector<uint8_t> Bytes;

Bytes bytesOf(MemStream& stream)
{
    const uint8_t* p = stream.getBuffer();
    return p ? Bytes(p, p + stream.size()) : Bytes();
}

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& b : parts)
        out.insert(out.end(), b.begin(), b.end());
    return out;
}

Bytes textBytes(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

// A small serializable class; counts its live instances and can be told to fail while reading.
class Probe
{
public:
    Probe() { ++s_nLive; }
    explicit Probe(int32_t n) : m_nValue(n) { ++s_nLive; }
    virtual ~Probe() { --s_nLive; }

    void persistTo(ObjectStreamer& streamer) { streamer.writeInt(m_nValue); }
    void persistFrom(ObjectStreamer& streamer)
    {
        streamer.readInt(m_nValue);
        if (m_nValue < 0)
            RIR_THROW(BadStreamFormatException, "Probe::persistFrom : negative");
    }

    int32_t m_nValue = 0;
    static int s_nLive;
};

int Probe::s_nLive = 0;

// A writer over an owned MemStream that the test keeps; the signature byte is dropped so that
// vectors show only what the operation under test wrote.
struct Writer
{
    MemStream m_out;
    ObjectStreamer m_streamer{&m_out, false};
    Bytes written()
    {
        Bytes b = bytesOf(m_out);
        b.erase(b.begin()); // the signature byte 05
        return b;
    }
};

// A reader over a copy of the bytes, with a signature byte 05 put in front.
struct Reader
{
    explicit Reader(const Bytes& data, bool bNative = true) : m_data(concat({{0x05}, data}))
    {
        m_in.setNativeOrder(bNative);
    }
    Bytes m_data;
    MemStream m_in{m_data.data(), (int)m_data.size()};
    ObjectStreamer m_streamer{&m_in, false};
};

} // namespace

// ---- the string form ----------------------------------------------------------------------------

TEST(StreamString, WrittenForms)
{
    const std::string s200(200, 'x');
    struct Case
    {
        std::string sText;
        Bytes expected;
    } cases[] = {
        {"abc", {0x12, 0x03, 0x61, 0x62, 0x63}},
        {"", {0x12, 0x00}},
        {s200, concat({{0x12, 0xC8, 0x01}, textBytes(s200)})},
    };
    for (const Case& c : cases)
    {
        MemStream out;
        EXPECT_TRUE(out.writeString(c.sText.c_str()));
        EXPECT_EQ(bytesOf(out), c.expected) << c.sText.size();

        MemStream in(c.expected.data(), (int)c.expected.size());
        EXPECT_STREQ(in.readString().c_str(), c.sText.c_str());
        EXPECT_EQ(in.tell(), (int)c.expected.size());
    }
    MemStream out;
    EXPECT_TRUE(out.writeString(nullptr));
    EXPECT_EQ(bytesOf(out), (Bytes{0x12, 0x00}));
}

TEST(StreamString, LegacyFormInEitherByteOrder)
{
    const Bytes native = {0x01, 0x72, 0x74, 0x53, 0x03, 0x00, 0x00, 0x00, 'a', 'b', 'c', 0x12};
    MemStream in(native.data(), (int)native.size());
    EXPECT_STREQ(in.readString().c_str(), "abc");
    EXPECT_EQ(in.tell(), 11);

    const Bytes reversed = {0x01, 0x72, 0x74, 0x53, 0x00, 0x00, 0x00, 0x02, 'h', 'i'};
    MemStream inReversed(reversed.data(), (int)reversed.size());
    inReversed.setNativeOrder(false);
    EXPECT_STREQ(inReversed.readString().c_str(), "hi");
}

TEST(StreamString, ShortDataAndZeroBytes)
{
    struct Case
    {
        Bytes data;
        const char* pszExpected;
    } cases[] = {
        {{0x12, 0x05, 'a', 'b', 'c'}, ""},                  // declared 5, only 3 follow
        {{0x12, 0x03, 'a', 0x00, 'b'}, "a"},                // a zero byte ends the text
        {{0x01, 0x72, 0x74, 0x53, 0x09, 0, 0, 0, 'x'}, ""}, // legacy, cut short
        {{0x12, 0xFF, 0xFF, 0xFF, 0x1F}, ""},               // at the bound, no data at all
    };
    for (const Case& c : cases)
    {
        MemStream in(c.data.data(), (int)c.data.size());
        EXPECT_STREQ(in.readString().c_str(), c.pszExpected);
    }
}

TEST(StreamString, FormatErrors)
{
    struct Case
    {
        Bytes data;
        const char* pszMessage;
    } cases[] = {
        {{0x22, 0x00}, "Stream::readString : unknown format version\n"},
        {{0x13, 0x00}, "Stream::readString : bad stream format\n"},
        {{}, "Stream::readString : bad stream format\n"},
        {{0x01, 0x78, 0x79, 0x7A},
         "Stream::readString : bad stream format : 00727453, got 7A797800"},
        {{0x01, 0x72, 0x74, 0x54},
         "Stream::readString : bad stream format : 00727453, got 54747200"},
        // Lengths no writer produces are refused before anything is reserved.
        {{0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F}, "Stream::readString : bad string length -1\n"},
        {{0x12, 0x80, 0x80, 0x80, 0x80, 0x08},
         "Stream::readString : bad string length -2147483648\n"},
        {{0x12, 0x81, 0x80, 0x80, 0x20}, "Stream::readString : bad string length 67108865\n"},
        {{0x01, 0x72, 0x74, 0x53, 0xFB, 0xFF, 0xFF, 0xFF},
         "Stream::readString : bad string length -5\n"},
    };
    for (const Case& c : cases)
    {
        MemStream in(c.data.data(), (int)c.data.size());
        EXPECT_EQ(messageOf<BadStreamFormatException>([&] { in.readString(); }), c.pszMessage);
    }
}

// ---- signature and construction ----------------------------------------------------------------

TEST(ObjectStreamer, WriterWritesSignatureByte)
{
    MemStream out;
    {
        ObjectStreamer streamer(&out, false);
        EXPECT_TRUE(streamer.isWriting());
        EXPECT_EQ(streamer.getStream(), &out);
    }
    EXPECT_EQ(bytesOf(out), (Bytes{0x05}));
}

TEST(ObjectStreamer, ReaderSignatures)
{
    const std::string sName = "RIR2 Object Stream";
    const Bytes legacy =
        concat({{0x01, 0x72, 0x74, 0x53, 0x00, 0x00, 0x00, 0x12}, textBytes(sName)});
    ASSERT_EQ(legacy.size(), 26u);

    struct Case
    {
        Bytes data;
        bool bAccepted;
        int nPositionAfter;
    } cases[] = {
        {{0x05, 0x12, 0x00}, true, 1},
        {{0x07}, true, 1},
        {{}, true, 0},
        {concat({legacy, {0x12, 0x00}}), true, 26},
        {{0x01, 0x72, 0x74, 0x54}, false, 0},
        {Bytes(legacy.begin(), legacy.end() - 1), false, 0}, // one byte short
        {concat({Bytes(legacy.begin(), legacy.end() - 1), {'M'}}), false, 0},
    };
    for (const Case& c : cases)
    {
        MemStream in(c.data.data(), (int)c.data.size());
        if (c.bAccepted)
        {
            ObjectStreamer streamer(&in, false);
            EXPECT_FALSE(streamer.isWriting());
            EXPECT_EQ(in.tell(), c.nPositionAfter);
        }
        else
        {
            EXPECT_EQ(messageOf<FatalErrorException>([&] { ObjectStreamer streamer(&in, false); }),
                      "Wrong ObjectStreamer signature");
        }
    }

    // After the legacy signature the data reads on.
    const Bytes withText = concat({legacy, {0x12, 0x02, 'o', 'k'}});
    MemStream in(withText.data(), (int)withText.size());
    ObjectStreamer streamer(&in, false);
    String sText;
    streamer.readString(sText);
    EXPECT_STREQ(sText.c_str(), "ok");
}

TEST(ObjectStreamer, RefusesBidirectionalStreamsAndAcceptsFilesForReading)
{
    char szPath[] = "/tmp/objectstreamer_XXXXXX";
    const int fd = mkstemp(szPath);
    ASSERT_GE(fd, 0);
    close(fd);
    {
        File out(szPath, FOM_WRITE);
        out.writeByte(7);
        out.writeByte(0x12);
        out.writeByte(0x00);
        out.close();
    }
    {
        File update(szPath, FOM_UPDATE);
        EXPECT_EQ(messageOf<FatalErrorException>([&] { ObjectStreamer streamer(&update, false); }),
                  "RIR::ObjectStreamer : Bidirectional streams not supported");
    }
    {
        // An owned stream is deleted with the streamer.
        ObjectStreamer streamer(new File(szPath, FOM_READ), true);
        EXPECT_FALSE(streamer.isWriting());
        String sText("x");
        streamer.readString(sText);
        EXPECT_STREQ(sText.c_str(), "");
    }
    unlink(szPath);
}

// ---- value forms --------------------------------------------------------------------------------

TEST(ObjectStreamer, ValueFormsAndByteOrder)
{
    for (bool bNative : {true, false})
    {
        MemStream out;
        out.setNativeOrder(bNative);
        ObjectStreamer streamer(&out, false);
        EXPECT_TRUE(streamer.writeChar('A'));
        EXPECT_TRUE(streamer.writeUChar(0xFE));
        EXPECT_TRUE(streamer.writeShort(0x0102));
        EXPECT_TRUE(streamer.writeUShort(0xA0B0));
        EXPECT_TRUE(streamer.writeInt(0x01020304));
        EXPECT_TRUE(streamer.writeUInt(0xA0B0C0D0u));
        EXPECT_TRUE(streamer.writeLong(-2));
        EXPECT_TRUE(streamer.writeULong(0x11223344u));
        EXPECT_TRUE(streamer.writeFloat(1.0f));
        EXPECT_TRUE(streamer.writeDouble(1.0));
        EXPECT_TRUE(streamer.writeBool(true));
        EXPECT_TRUE(streamer.writeBool(false));
        EXPECT_TRUE(streamer.writeVarInt(-1));
        EXPECT_TRUE(streamer.writeVarUInt(300));
        EXPECT_TRUE(streamer.writeString("hi"));
        EXPECT_TRUE(streamer.writeString(String("yo")));

        const Bytes native = {0x05, 'A',  0xFE, 0x02, 0x01, 0xB0, 0xA0, 0x04, 0x03, 0x02, 0x01,
                              0xD0, 0xC0, 0xB0, 0xA0, 0xFE, 0xFF, 0xFF, 0xFF, 0x44, 0x33, 0x22,
                              0x11, 0x00, 0x00, 0x80, 0x3F, 0,    0,    0,    0,    0,    0,
                              0xF0, 0x3F, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0xAC, 0x02,
                              0x12, 0x02, 'h',  'i',  0x12, 0x02, 'y',  'o'};
        Bytes expected = native;
        if (!bNative)
        {
            // Only the 16- and 32-bit integers turn round.
            std::reverse(expected.begin() + 3, expected.begin() + 5);
            std::reverse(expected.begin() + 5, expected.begin() + 7);
            for (int nAt : {7, 11, 15, 19})
                std::reverse(expected.begin() + nAt, expected.begin() + nAt + 4);
        }
        EXPECT_EQ(bytesOf(out), expected) << bNative;

        MemStream in(out.getBuffer(), out.size());
        in.setNativeOrder(bNative);
        ObjectStreamer reader(&in, false);
        char c = 0;
        unsigned char uc = 0;
        int16_t nShort = 0;
        uint16_t nUShort = 0;
        int32_t nInt = 0, nLong = 0;
        uint32_t nUInt = 0, nULong = 0;
        float f = 0;
        double d = 0;
        bool bTrue = false, bFalse = true;
        String s1, s2;
        reader.readChar(c);
        reader.readUChar(uc);
        reader.readShort(nShort);
        reader.readUShort(nUShort);
        reader.readInt(nInt);
        reader.readUInt(nUInt);
        reader.readLong(nLong);
        reader.readULong(nULong);
        reader.readFloat(f);
        reader.readDouble(d);
        reader.readBool(bTrue);
        reader.readBool(bFalse);
        EXPECT_EQ(reader.readVarInt(), -1);
        EXPECT_EQ(reader.readVarUInt(), 300u);
        reader.readString(s1);
        reader.readString(s2);
        EXPECT_EQ(c, 'A');
        EXPECT_EQ(uc, 0xFE);
        EXPECT_EQ(nShort, 0x0102);
        EXPECT_EQ(nUShort, 0xA0B0);
        EXPECT_EQ(nInt, 0x01020304);
        EXPECT_EQ(nUInt, 0xA0B0C0D0u);
        EXPECT_EQ(nLong, -2);
        EXPECT_EQ(nULong, 0x11223344u);
        EXPECT_EQ(f, 1.0f);
        EXPECT_EQ(d, 1.0);
        EXPECT_TRUE(bTrue);
        EXPECT_FALSE(bFalse);
        EXPECT_STREQ(s1.c_str(), "hi");
        EXPECT_STREQ(s2.c_str(), "yo");
    }
}

TEST(ObjectStreamer, OnlyTheByteOneReadsAsTrue)
{
    Reader r({0x01, 0x00, 0x02, 0xFF});
    bool abExpected[] = {true, false, false, false};
    for (bool bExpected : abExpected)
    {
        bool b = !bExpected;
        r.m_streamer.readBool(b);
        EXPECT_EQ(b, bExpected);
    }
}

// ---- object forms -------------------------------------------------------------------------------

TEST(ObjectStreamer, IdsAreGivenInFirstWriteOrder)
{
    MemStream out;
    ObjectStreamer streamer(&out, false);
    int a = 0, b = 0;
    EXPECT_EQ(streamer.findObjectId(&a), -1);
    EXPECT_EQ(streamer.registerObject(&a), 0);
    EXPECT_EQ(streamer.registerObject(&b), 1);
    EXPECT_EQ(streamer.findObjectId(&a), 0);
    EXPECT_EQ(streamer.findObjectId(&b), 1);
}

TEST(ObjectStreamer, PointerFormsWritten)
{
    Probe first(0x21), second(0x42);
    for (bool bNative : {true, false})
    {
        Writer w;
        w.m_out.setNativeOrder(bNative);
        writeObjectPointer<Probe>(w.m_streamer, &first);
        writeObjectPointer<Probe>(w.m_streamer, &second);
        writeObjectPointer<Probe>(w.m_streamer, &first);
        writeObjectPointer<Probe>(w.m_streamer, &second);
        writeObjectPointer<Probe>(w.m_streamer, nullptr);
        writeObject<Probe>(w.m_streamer, &second);
        const Bytes expected =
            bNative
                ? Bytes{0x00, 0, 0, 0, 0, 0x21, 0, 0, 0, 0x00, 1,    0,    0,    0, 0x42, 0, 0, 0,
                        0x01, 0, 0, 0, 0, 0x01, 1, 0, 0, 0,    0x02, 0x00, 0x42, 0, 0,    0}
                : Bytes{0x00, 0,    0, 0, 0, 0, 0,    0, 0x21, 0x00, 0, 0,    0,    1, 0, 0, 0,
                        0x42, 0x01, 0, 0, 0, 0, 0x01, 0, 0,    0,    1, 0x02, 0x00, 0, 0, 0, 0x42};
        EXPECT_EQ(w.written(), expected) << bNative;
    }
}

TEST(ObjectStreamer, PointerFormsRead)
{
    const int nLiveBefore = Probe::s_nLive;
    {
        // new id 3, a back-reference to it with kind 1 and with an unusual kind 7, a null.
        Reader r({0x00, 3, 0, 0, 0, 0x21, 0, 0, 0, 0x01, 3, 0, 0, 0, 0x07, 3, 0, 0, 0, 0x02});
        Probe sentinel;
        Probe* apRead[4] = {nullptr, nullptr, nullptr, &sentinel};
        for (Probe*& p : apRead)
            readObjectPointer<Probe>(r.m_streamer, &p);
        ASSERT_NE(apRead[0], nullptr);
        EXPECT_EQ(apRead[0]->m_nValue, 0x21);
        EXPECT_EQ(apRead[1], apRead[0]);
        EXPECT_EQ(apRead[2], apRead[0]);
        EXPECT_EQ(apRead[3], nullptr);
        EXPECT_TRUE(r.m_streamer.isLoaded(3));
        EXPECT_FALSE(r.m_streamer.isLoaded(0));
        EXPECT_EQ(r.m_streamer.getLoadedObject(3), apRead[0]);
        delete apRead[0];
    }
    {
        // By value: the kind byte's value does not matter.
        Reader r({0x09, 0x42, 0, 0, 0});
        Probe p;
        readObject<Probe>(r.m_streamer, &p);
        EXPECT_EQ(p.m_nValue, 0x42);
    }
    EXPECT_EQ(Probe::s_nLive, nLiveBefore);
}

TEST(ObjectStreamer, PointerReadFailures)
{
    const int nLiveBefore = Probe::s_nLive;
    Probe* pUntouched = reinterpret_cast<Probe*>(&Probe::s_nLive);
    {
        Reader r({0x01, 0, 0, 0, 0});
        Probe* p = pUntouched;
        EXPECT_EQ(
            messageOf<FatalErrorException>([&] { readObjectPointer<Probe>(r.m_streamer, &p); }),
            "AlreadyLoaded failed");
        EXPECT_EQ(p, pUntouched);
    }
    {
        // An object whose own reader fails is deleted, not recorded, and not handed out.
        Reader r({0x00, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
        Probe* p = pUntouched;
        EXPECT_EQ(messageOf<BadStreamFormatException>(
                      [&] { readObjectPointer<Probe>(r.m_streamer, &p); }),
                  "Probe::persistFrom : negative");
        EXPECT_EQ(p, pUntouched);
        EXPECT_FALSE(r.m_streamer.isLoaded(0));
    }
    EXPECT_EQ(Probe::s_nLive, nLiveBefore);
}

// ---- over a compressed stream -------------------------------------------------------------------

TEST(ObjectStreamer, ThroughZStream)
{
    const std::string sLong(300, 'q');
    MemStream packed;
    {
        ZStream* pZ = new ZStream(&packed, 9);
        ObjectStreamer* pOut = new ObjectStreamer(pZ, false);
        pOut->writeChar(0);
        pOut->writeString(sLong.c_str());
        delete pOut;
        delete pZ;
    }
    MemStream in(packed.getBuffer(), packed.size());
    ZStream* pZ = new ZStream(&in, -1);
    ObjectStreamer* pIn = new ObjectStreamer(pZ, false);
    char cKind = 1;
    pIn->readChar(cKind);
    String sText;
    pIn->readString(sText);
    EXPECT_EQ(cKind, 0);
    EXPECT_STREQ(sText.c_str(), sLong.c_str());
    delete pIn;
    delete pZ;
}
