// MemStream: owned and view modes, growth, reading, seeking and readers.
#include "rir2/exception.h"
#include "rir2/memstream.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

using namespace RIR;

static_assert(!std::is_copy_constructible<MemStream>::value, "a MemStream owns its buffer");

namespace
{

std::vector<uint8_t> pattern(int n, int nSeed)
{
    std::vector<uint8_t> data((size_t)n);
    for (int i = 0; i < n; ++i)
        data[(size_t)i] = (uint8_t)(i * 31 + nSeed);
    return data;
}

} // namespace

TEST(MemStream, AccessFollowsTheMode)
{
    MemStream owned;
    const uint8_t abData[] = {1, 2, 3};
    MemStream view(abData, 3);
    EXPECT_EQ(owned.getMode(), MSM_OWNED);
    EXPECT_EQ(view.getMode(), MSM_VIEW);
    EXPECT_TRUE(owned.can(SA_WRITE));
    EXPECT_FALSE(owned.can(SA_READ));
    EXPECT_FALSE(owned.can(SA_READ | SA_WRITE));
    EXPECT_TRUE(view.can(SA_READ));
    EXPECT_FALSE(view.can(SA_WRITE));
    EXPECT_FALSE(view.can(SA_READ | SA_WRITE));
}

TEST(MemStream, EmptyOwnedStream)
{
    MemStream owned;
    EXPECT_EQ(owned.getCapacity(), 0);
    EXPECT_EQ(owned.size(), 0);
    EXPECT_EQ(owned.tell(), 0);
    EXPECT_EQ(owned.getBuffer(), nullptr);
    uint8_t nByte = 0xEE;
    EXPECT_EQ(owned.read(1, &nByte), 0);
}

TEST(MemStream, GrowthSteps)
{
    struct Case
    {
        const char* pszName;
        std::vector<int> writes;
        std::vector<int> capacities; // after each write
    };
    const Case aCases[] = {
        {"first step is 32768", {1}, {32768}},
        // Ending exactly at the capacity grows the buffer too.
        {"reaching the capacity grows", {32767, 1}, {32768, 57345}},
        {"the minimum wins", {100000}, {100000}},
        {"factor 1.75 plus one", {32768, 1, 57345 - 32769}, {32768 + 0, 57345, 100354}},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        MemStream out;
        std::vector<uint8_t> all;
        for (size_t i = 0; i < c.writes.size(); ++i)
        {
            const std::vector<uint8_t> data = pattern(c.writes[i], (int)i);
            EXPECT_EQ(out.write((int)data.size(), data.data()), c.writes[i]);
            all.insert(all.end(), data.begin(), data.end());
            EXPECT_EQ(out.getCapacity(), c.capacities[i]) << "after write " << i;
        }
        // Growth keeps every byte written before it.
        ASSERT_EQ(out.size(), (int)all.size());
        EXPECT_EQ(out.tell(), (int)all.size());
        EXPECT_EQ(memcmp(out.getBuffer(), all.data(), all.size()), 0);
    }
}

TEST(MemStream, OverwriteInsideAndWriteBeyondTheEnd)
{
    MemStream out;
    out.writeText("abcdef");
    out.seek(2);
    out.writeText("XY");
    EXPECT_EQ(out.size(), 6);
    EXPECT_EQ(out.tell(), 4);
    EXPECT_EQ(memcmp(out.getBuffer(), "abXYef", 6), 0);

    // Straddling the end extends the size.
    out.seek(5);
    out.writeText("123");
    EXPECT_EQ(out.size(), 8);
    EXPECT_EQ(memcmp(out.getBuffer(), "abXYe123", 8), 0);

    // Bytes skipped by a seek past the end read as zeros.
    out.seek(12);
    out.writeByte('!');
    EXPECT_EQ(out.size(), 13);
    EXPECT_EQ(memcmp(out.getBuffer() + 8, "\0\0\0\0!", 5), 0);
}

TEST(MemStream, ReadDeliversWhatIsLeft)
{
    const char* pszData = "0123456789";
    MemStream in(pszData, 10);
    char ac[16] = {};
    EXPECT_EQ(in.read(4, ac), 4);
    EXPECT_EQ(memcmp(ac, "0123", 4), 0);
    EXPECT_EQ(in.read(100, ac), 6);
    EXPECT_EQ(memcmp(ac, "456789", 6), 0);
    EXPECT_EQ(in.tell(), 10);
    EXPECT_EQ(in.read(1, ac), 0);
    EXPECT_EQ(in.read(-5, ac), 0);

    in.seek(25);
    EXPECT_EQ(in.read(4, ac), 0);
    EXPECT_EQ(in.tell(), 25);
}

TEST(MemStream, ViewNeitherCopiesNorWrites)
{
    uint8_t abData[] = {9, 8, 7, 6};
    MemStream* pView = new MemStream(abData, 4);
    EXPECT_EQ(pView->getBuffer(), abData);
    EXPECT_EQ(pView->getCapacity(), 4);
    EXPECT_EQ(pView->size(), 4);
    EXPECT_EQ(pView->readInt16(), 0x0809);
    EXPECT_EQ(pView->write(2, "zz"), 0);
    EXPECT_FALSE(pView->writeByte(1));
    EXPECT_EQ(abData[2], 7);
    delete pView; // must not free the caller's array
    EXPECT_EQ(abData[0], 9);
}

TEST(MemStream, CreateReaderViewsTheData)
{
    MemStream out;
    out.writeInt32(0x11223344);
    out.writeText("tail");
    MemStream* pReader = out.createReader();
    EXPECT_EQ(pReader->getMode(), MSM_VIEW);
    EXPECT_EQ(pReader->getBuffer(), out.getBuffer());
    EXPECT_EQ(pReader->size(), 8);
    EXPECT_EQ(pReader->tell(), 0);
    EXPECT_EQ(pReader->readInt32(), 0x11223344);
    char ac[4];
    EXPECT_EQ(pReader->read(4, ac), 4);
    EXPECT_EQ(memcmp(ac, "tail", 4), 0);
    EXPECT_EQ(out.tell(), 8); // the writer's position is its own
    delete pReader;
}

TEST(MemStream, NegativeSeekIsRefused)
{
    MemStream out;
    out.writeText("abcd");
    const uint8_t abData[] = {1, 2, 3};
    MemStream view(abData, 3);
    view.seek(1);
    for (MemStream* pStream : {&out, &view})
    {
        const int nBefore = pStream->tell();
        for (int nPos : {-1, -4, INT_MIN})
        {
            try
            {
                pStream->seek(nPos);
                ADD_FAILURE() << "seek(" << nPos << ") was accepted";
            }
            catch (const BadParmException& e)
            {
                EXPECT_NE(strstr(e.getMessage(), "negative position"), nullptr);
            }
            EXPECT_EQ(pStream->tell(), nBefore);
        }
    }
    // The streams are still sound after the refusals.
    EXPECT_EQ(view.readByte(), 2);
    out.writeByte('e');
    EXPECT_EQ(out.size(), 5);
    EXPECT_EQ(memcmp(out.getBuffer(), "abcde", 5), 0);
}

TEST(MemStream, WriteThatWouldPassTheLargestSizeIsRefused)
{
    MemStream out;
    out.seek(INT_MAX);
    EXPECT_EQ(out.write(1, "x"), 0);
    EXPECT_EQ(out.size(), 0);
    EXPECT_EQ(out.getCapacity(), 0);
    EXPECT_EQ(out.write(-3, "x"), 0);
}
