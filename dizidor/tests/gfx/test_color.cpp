#include "gfx/color.h"

#include "rir2/exception.h"
#include "rir2/hash.h"
#include "rir2/memstream.h"
#include "rir2/objectstreamer.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>
#include <vector>

static_assert(std::has_virtual_destructor_v<Color>, "Color has a virtual destructor");

namespace
{

void expectChannels(const Color& c, int nR, int nG, int nB, int nA)
{
    EXPECT_EQ(nR, c.r);
    EXPECT_EQ(nG, c.g);
    EXPECT_EQ(nB, c.b);
    EXPECT_EQ(nA, c.a);
}

} // namespace

TEST(Color, DefaultIsOpaqueBlack)
{
    expectChannels(Color(), 0, 0, 0, 255);
    EXPECT_TRUE(Color() == Color(0, 0, 0, 255));
    EXPECT_EQ(0x00FF0000u, Color().getPackedValue());
}

TEST(Color, ConstructorKeepsTheLowByteOfEachArgument)
{
    expectChannels(Color(1, 2, 3, 4), 1, 2, 3, 4);
    expectChannels(Color(300, 0, 0, 0), 44, 0, 0, 0);
    expectChannels(Color(-1, 256, 511, -256), 255, 0, 255, 0);
}

TEST(Color, PackedValueIsRedAlphaBlueGreen)
{
    struct Case
    {
        Color c;
        uint32_t nPacked;
    };
    const Case aCases[] = {
        {Color(1, 2, 3, 4), 0x01040302u},
        {Color(255, 0, 0, 0), 0xFF000000u},
        {Color(0, 255, 0, 0), 0x000000FFu},
        {Color(0, 0, 255, 0), 0x0000FF00u},
        {Color(0, 0, 0, 255), 0x00FF0000u},
        {Color(255, 255, 255, 255), 0xFFFFFFFFu},
        {Color(0x12, 0x34, 0x56, 0x78), 0x12785634u},
    };
    for (const Case& c : aCases)
        EXPECT_EQ(c.nPacked, c.c.getPackedValue()) << c.c.toString().c_str();
}

TEST(Color, EqualityComparesEveryChannel)
{
    const Color base(10, 20, 30, 40);
    EXPECT_TRUE(base == Color(10, 20, 30, 40));
    EXPECT_FALSE(base != Color(10, 20, 30, 40));
    EXPECT_TRUE(Color(266, 20, 30, 40) == base); // 266 is stored as 10
    const Color aOthers[] = {Color(11, 20, 30, 40), Color(10, 21, 30, 40), Color(10, 20, 31, 40),
                             Color(10, 20, 30, 41)};
    for (const Color& o : aOthers)
    {
        EXPECT_TRUE(base != o) << o.toString().c_str();
        EXPECT_FALSE(base == o) << o.toString().c_str();
    }
}

TEST(Color, ToStringListsRedGreenBlueAlpha)
{
    EXPECT_STREQ("(1, 2, 3, 4)", Color(1, 2, 3, 4).toString().c_str());
    EXPECT_STREQ("(0, 0, 0, 255)", Color().toString().c_str());
    EXPECT_STREQ("(44, 255, 0, 128)", Color(300, -1, 256, 128).toString().c_str());
}

TEST(Color, KeysAHashTableByItsPackedValue)
{
    RIR::Hash<Color, int> table;
    table.set(Color(1, 2, 3, 4), 1);
    table.set(Color(4, 3, 2, 1), 2);
    table.set(Color(257, 2, 3, 4), 3); // the same colour as the first: replaces its value
    EXPECT_EQ(3, table.get(Color(1, 2, 3, 4)));
    EXPECT_EQ(2, table.get(Color(4, 3, 2, 1)));
    EXPECT_FALSE(table.contains(Color(1, 2, 4, 3)));
    try
    {
        table.get(Color(9, 8, 7, 6));
        FAIL() << "no exception";
    }
    catch (const RIR::FatalErrorException& e)
    {
        EXPECT_STREQ("Hash key not found : (9, 8, 7, 6)", e.getMessage());
    }
}

// ---- object stream forms ------------------------------------------------------------------------

namespace
{

// Collects what a writer streamer produced; the bytes after the signature byte 05.
class StreamFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pOut.reset(new RIR::MemStream());
        m_pWriter.reset(new RIR::ObjectStreamer(m_pOut.get(), false));
    }

    std::vector<uint8_t> written()
    {
        m_pWriter.reset(); // the streamer goes before its stream
        const uint8_t* p = m_pOut->getBuffer();
        return std::vector<uint8_t>(p + 1, p + m_pOut->size());
    }

    // A reader over the signature byte and bytes; the view must outlive the reader.
    std::unique_ptr<RIR::ObjectStreamer> reader(const std::vector<uint8_t>& bytes)
    {
        m_input.assign(1, 5);
        m_input.insert(m_input.end(), bytes.begin(), bytes.end());
        m_pIn.reset(new RIR::MemStream(m_input.data(), (int)m_input.size()));
        return std::unique_ptr<RIR::ObjectStreamer>(new RIR::ObjectStreamer(m_pIn.get(), false));
    }

    std::unique_ptr<RIR::MemStream> m_pOut;
    std::unique_ptr<RIR::ObjectStreamer> m_pWriter;
    std::vector<uint8_t> m_input;
    std::unique_ptr<RIR::MemStream> m_pIn;
};

using ColorStream = StreamFixture;

} // namespace

TEST_F(ColorStream, ByValueIsKindZeroThenRedGreenBlueAlpha)
{
    const Color c(1, 2, 3, 4);
    RIR::writeObject(*m_pWriter, &c);
    const std::vector<uint8_t> bytes = written();
    EXPECT_EQ((std::vector<uint8_t>{0x00, 0x01, 0x02, 0x03, 0x04}), bytes);

    // The kind byte of a value is read and ignored.
    std::vector<uint8_t> other = bytes;
    other[0] = 0x07;
    auto pIn = reader(other);
    Color back;
    RIR::readObject(*pIn, &back);
    expectChannels(back, 1, 2, 3, 4);
}

TEST_F(ColorStream, PointersAreWrittenOnceAndReadBackShared)
{
    const Color red(255, 0, 0, 255);
    const Color green(0, 255, 0, 128);
    RIR::writeObjectPointer(*m_pWriter, &red);
    RIR::writeObjectPointer(*m_pWriter, &green);
    RIR::writeObjectPointer(*m_pWriter, &red);
    RIR::writeObjectPointer<Color>(*m_pWriter, nullptr);
    const std::vector<uint8_t> bytes = written();
    const std::vector<uint8_t> expected = {
        0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, // red: new, id 0, r g b a
        0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x80, // green: new, id 1
        0x01, 0x00, 0x00, 0x00, 0x00,                         // red again: reference to id 0
        0x02,                                                 // null
    };
    EXPECT_EQ(expected, bytes);

    auto pIn = reader(bytes);
    Color* apRead[4] = {};
    for (Color*& p : apRead)
        RIR::readObjectPointer(*pIn, &p);
    std::unique_ptr<Color> pRed(apRead[0]);
    std::unique_ptr<Color> pGreen(apRead[1]);
    ASSERT_NE(nullptr, pRed);
    ASSERT_NE(nullptr, pGreen);
    EXPECT_EQ(red, *pRed);
    EXPECT_EQ(green, *pGreen);
    EXPECT_EQ(pRed.get(), apRead[2]); // the back-reference is the same object
    EXPECT_EQ(nullptr, apRead[3]);
}

TEST_F(ColorStream, BackReferenceToAnUnknownIdFails)
{
    auto pIn = reader({0x01, 0x07, 0x00, 0x00, 0x00});
    Color* p = nullptr;
    try
    {
        RIR::readObjectPointer(*pIn, &p);
        FAIL() << "no exception";
    }
    catch (const RIR::FatalErrorException& e)
    {
        EXPECT_STREQ("AlreadyLoaded failed", e.getMessage());
    }
    EXPECT_EQ(nullptr, p);
}

TEST_F(ColorStream, ShortReadGivesZeroChannels)
{
    auto pIn = reader({0x00, 0x0A, 0x0B});
    Color c(1, 1, 1, 1);
    RIR::readObject(*pIn, &c);
    expectChannels(c, 10, 11, 0, 0);
}
