// List<T>::persistTo and persistFrom: the list form, its legacy form, pointers and failures.
#include "rir2/list.h"
#include "rir2/memstream.h"
#include "rir2/objectstreamer.h"
#include "rir2/rirstring.h"

#include <gtest/gtest.h>

#include "raises.h"

#include <string>
#include <vector>

using namespace RIR;

namespace
{

typedef std::vector<uint8_t> Bytes;

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& b : parts)
        out.insert(out.end(), b.begin(), b.end());
    return out;
}

// A serializable record; counts its live instances. A stored value of -1 makes its reader fail
// after the value was read.
class Item
{
public:
    Item() { ++s_nLive; }
    explicit Item(int32_t n) : m_nValue(n) { ++s_nLive; }
    virtual ~Item() { --s_nLive; }

    void persistTo(ObjectStreamer& streamer) { streamer.writeInt(m_nValue); }
    void persistFrom(ObjectStreamer& streamer)
    {
        streamer.readInt(m_nValue);
        if (m_nValue == -1)
            RIR_THROW(FatalErrorException, "Item::persistFrom : bad item");
    }

    int32_t m_nValue = 0;
    static int s_nLive;
};

int Item::s_nLive = 0;

// Writes with fn through a fresh streamer; returns the bytes after the signature byte.
template <class F> Bytes writeWith(F fn, bool bNative = true)
{
    MemStream out;
    out.setNativeOrder(bNative);
    {
        ObjectStreamer streamer(&out, false);
        fn(streamer);
    }
    return Bytes(out.getBuffer() + 1, out.getBuffer() + out.size());
}

// Reads with fn from the bytes, behind a signature byte.
template <class F> void readWith(const Bytes& data, F fn, bool bNative = true)
{
    const Bytes all = concat({{0x05}, data});
    MemStream in(all.data(), (int)all.size());
    in.setNativeOrder(bNative);
    ObjectStreamer streamer(&in, false);
    fn(streamer);
}

std::vector<std::string> contents(const List<String>& l)
{
    std::vector<std::string> out;
    for (int i = 0; i < l.getLength(); ++i)
        out.push_back(l.get(i).c_str());
    return out;
}

} // namespace

TEST(ListPersist, StringListsWrittenAndReadBack)
{
    struct Case
    {
        std::vector<std::string> items;
        Bytes expected;
    } cases[] = {
        {{}, {0x14, 0x00}},
        {{"a", "b"}, {0x14, 0x02, 0x12, 0x01, 'a', 0x12, 0x01, 'b'}},
        {{"", "xyz"}, {0x14, 0x02, 0x12, 0x00, 0x12, 0x03, 'x', 'y', 'z'}},
    };
    for (const Case& c : cases)
    {
        List<String> l;
        for (const std::string& s : c.items)
            l.append(String(s.c_str()));
        EXPECT_EQ(writeWith([&](ObjectStreamer& s) { l.persistTo(s); }), c.expected);

        List<String> back(String("stale"));
        readWith(c.expected, [&](ObjectStreamer& s) { back.persistFrom(s); });
        EXPECT_EQ(contents(back), c.items);
    }

    // A long list crosses the one-byte count.
    List<String> lLong;
    for (int i = 0; i < 200; ++i)
        lLong.append(String::format("%d", i));
    const Bytes written = writeWith([&](ObjectStreamer& s) { lLong.persistTo(s); });
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 3), (Bytes{0x14, 0xC8, 0x01}));
    List<String> back;
    readWith(written, [&](ObjectStreamer& s) { back.persistFrom(s); });
    EXPECT_EQ(contents(back), contents(lLong));
}

TEST(ListPersist, LegacyFormInEitherByteOrder)
{
    const Bytes strings = {0x12, 0x01, 'a', 0x12, 0x01, 'b'};
    for (bool bNative : {true, false})
    {
        const Bytes count = bNative ? Bytes{0x02, 0, 0, 0} : Bytes{0, 0, 0, 0x02};
        List<String> l(String("stale"));
        readWith(
            concat({{0x01, 't', 's', 'L'}, count, strings}),
            [&](ObjectStreamer& s) { l.persistFrom(s); }, bNative);
        EXPECT_EQ(contents(l), (std::vector<std::string>{"a", "b"})) << bNative;
    }
}

TEST(ListPersist, PointerListsShareObjectsAndKeepNulls)
{
    const int nLiveBefore = Item::s_nLive;
    {
        Item item(7);
        List<Item*> l;
        l.append(&item);
        l.append(&item);
        l.append(nullptr);
        l.append(&item);
        for (bool bNative : {true, false})
        {
            const Bytes id0 = {0, 0, 0, 0};
            const Bytes form = bNative ? Bytes{7, 0, 0, 0} : Bytes{0, 0, 0, 7};
            const Bytes expected =
                concat({{0x14, 0x04, 0x00}, id0, form, {0x01}, id0, {0x02, 0x01}, id0});
            const Bytes written = writeWith([&](ObjectStreamer& s) { l.persistTo(s); }, bNative);
            EXPECT_EQ(written, expected) << bNative;

            List<Item*> back;
            readWith(
                written, [&](ObjectStreamer& s) { back.persistFrom(s); }, bNative);
            ASSERT_EQ(back.getLength(), 4);
            ASSERT_NE(back.get(0), nullptr);
            EXPECT_NE(back.get(0), &item);
            EXPECT_EQ(back.get(0)->m_nValue, 7);
            EXPECT_EQ(back.get(1), back.get(0));
            EXPECT_EQ(back.get(2), nullptr);
            EXPECT_EQ(back.get(3), back.get(0));
            delete back.get(0);
        }
    }
    EXPECT_EQ(Item::s_nLive, nLiveBefore);
}

TEST(ListPersist, FormatErrors)
{
    const char* pszBad = "List::persistFrom : bad stream format\n";
    const char* pszVersion = "List::persistFrom : unknown format version\n";
    struct Case
    {
        Bytes data;
        const char* pszMessage;
    } cases[] = {
        {{0x13, 0x00}, pszBad},
        {{0x12, 0x00}, pszBad},
        {{}, pszBad},
        {{0x24, 0x00}, pszVersion},
        {{0x04, 0x00}, pszVersion},
        {{0x01, 't', 's', 'H', 0, 0, 0, 0}, pszBad},
        {{0x01, 't', 's'}, pszBad},
        // Counts no list can have.
        {{0x01, 't', 's', 'L', 0xFF, 0xFF, 0xFF, 0xFF}, pszBad},
        {{0x14, 0x80, 0x80, 0x80, 0x80, 0x08}, pszBad},
    };
    for (const Case& c : cases)
    {
        List<String> l(String("stale"));
        EXPECT_EQ(messageOf<BadStreamFormatException>(
                      [&] { readWith(c.data, [&](ObjectStreamer& s) { l.persistFrom(s); }); }),
                  c.pszMessage);
        // Emptied before anything was read.
        EXPECT_TRUE(l.isEmpty());
    }
}

TEST(ListPersist, FailurePartWayKeepsWhatWasRead)
{
    // The string reader's own error passes through; the list holds the first element.
    List<String> l(String("stale"));
    EXPECT_EQ(messageOf<BadStreamFormatException>(
                  [&]
                  {
                      readWith({0x14, 0x03, 0x12, 0x01, 'a', 0x22, 0x00},
                               [&](ObjectStreamer& s) { l.persistFrom(s); });
                  }),
              "Stream::readString : unknown format version\n");
    EXPECT_EQ(contents(l), (std::vector<std::string>{"a"}));

    // A count far beyond the data: elements are read one by one until the data runs out.
    List<String> lHuge;
    EXPECT_EQ(messageOf<BadStreamFormatException>(
                  [&]
                  {
                      readWith({0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0x07, 0x12, 0x01, 'z'},
                               [&](ObjectStreamer& s) { lHuge.persistFrom(s); });
                  }),
              "Stream::readString : bad stream format\n");
    EXPECT_EQ(contents(lHuge), (std::vector<std::string>{"z"}));
}

TEST(ListPersist, PointerElementFailures)
{
    const int nLiveBefore = Item::s_nLive;
    {
        // A back-reference to an id never read.
        List<Item*> l;
        EXPECT_EQ(messageOf<FatalErrorException>(
                      [&]
                      {
                          readWith({0x14, 0x02, 0x00, 0, 0, 0, 0, 5, 0, 0, 0, 0x01, 9, 0, 0, 0},
                                   [&](ObjectStreamer& s) { l.persistFrom(s); });
                      }),
                  "AlreadyLoaded failed");
        ASSERT_EQ(l.getLength(), 1);
        EXPECT_EQ(l.get(0)->m_nValue, 5);
        l.clearAndDelete();
    }
    {
        // An element whose own reader fails is freed; the list keeps the ones before it.
        List<Item*> l;
        EXPECT_EQ(messageOf<FatalErrorException>(
                      [&]
                      {
                          readWith({0x14, 0x02, 0x00, 0, 0, 0, 0,    5,    0,    0,
                                    0,    0x00, 1,    0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF},
                                   [&](ObjectStreamer& s) { l.persistFrom(s); });
                      }),
                  "Item::persistFrom : bad item");
        ASSERT_EQ(l.getLength(), 1);
        l.clearAndDelete();
    }
    EXPECT_EQ(Item::s_nLive, nLiveBefore);
}
