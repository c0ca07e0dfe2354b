// Hash<String, String>::persistTo and persistFrom: the current form, the two legacy forms, the
// settings-file layout and the refusals of damaged data.
#include "rir2/hash.h"
#include "rir2/memstream.h"
#include "rir2/objectstreamer.h"
#include "rir2/rirstring.h"
#include "rir2/zstream.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "raises.h"

#include <map>
#include <string>
#include <vector>

using namespace RIR;

namespace
{

typedef std::vector<uint8_t> Bytes;
typedef std::map<std::string, std::string> Pairs;

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& b : parts)
        out.insert(out.end(), b.begin(), b.end());
    return out;
}

// The string form of a short text.
Bytes str(const std::string& s)
{
    Bytes out(2 + s.size());
    out[0] = 0x12;
    out[1] = (uint8_t)s.size();
    std::copy(s.begin(), s.end(), out.begin() + 2);
    return out;
}

Bytes writeTable(Hash<String, String>& table)
{
    MemStream out;
    {
        ObjectStreamer streamer(&out, false);
        table.persistTo(streamer);
    }
    return Bytes(out.getBuffer() + 1, out.getBuffer() + out.size());
}

void readTable(const Bytes& data, Hash<String, String>& table, bool bNative = true)
{
    const Bytes all = concat({{0x05}, data});
    MemStream in(all.data(), (int)all.size());
    in.setNativeOrder(bNative);
    ObjectStreamer streamer(&in, false);
    table.persistFrom(streamer);
}

Pairs contents(const Hash<String, String>& table)
{
    Pairs out;
    const List<String> lKeys = table.keys();
    const List<String> lValues = table.values();
    for (int i = 0; i < lKeys.getLength(); ++i)
        out[lKeys.get(i).c_str()] = lValues.get(i).c_str();
    return out;
}

// The version-1 warning goes to standard error; these tests keep it out of the output.
struct CapturedStderr
{
    CapturedStderr() { testing::internal::CaptureStderr(); }
    ~CapturedStderr() { testing::internal::GetCapturedStderr(); }
};

} // namespace

TEST(HashPersist, CurrentFormWrittenInTableOrder)
{
    Hash<String, String> empty;
    EXPECT_EQ(writeTable(empty), (Bytes{0x13, 0x00}));

    Hash<String, String> one;
    one.set("a", "b");
    EXPECT_EQ(writeTable(one), (Bytes{0x13, 0x01, 0x12, 0x01, 'a', 0x12, 0x01, 'b'}));

    // "a" falls into bucket 0 and "b" into bucket 31: the later bucket comes first.
    Hash<String, String> two;
    two.set("a", "1");
    two.set("b", "2");
    EXPECT_EQ(writeTable(two), concat({{0x13, 0x02}, str("b"), str("2"), str("a"), str("1")}));
}

TEST(HashPersist, CurrentFormReadBack)
{
    Hash<String, String> empty;
    empty.set("stale", "x");
    readTable({0x13, 0x00}, empty);
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.getBucketCount(), 5);

    // A key that comes twice keeps its last value.
    Hash<String, String> twice;
    readTable(concat({{0x13, 0x03}, str("k"), str("1"), str("j"), str("2"), str("k"), str("3")}),
              twice);
    EXPECT_EQ(contents(twice), (Pairs{{"j", "2"}, {"k", "3"}}));

    // A table large enough to be rebuilt to more buckets.
    Hash<String, String> big;
    Pairs expected;
    for (int i = 0; i < 200; ++i)
    {
        const String sKey = String::format("key%d", i);
        const String sValue = String::format("value %d", i * 7);
        big.set(sKey, sValue);
        expected[sKey.c_str()] = sValue.c_str();
    }
    Hash<String, String> back;
    readTable(writeTable(big), back);
    EXPECT_EQ(contents(back), expected);
    EXPECT_EQ(back.getBucketCount(), 397);
}

TEST(HashPersist, SettingsFileLayoutThroughZStream)
{
    Hash<String, String> settings;
    {
        MemStream out;
        ObjectStreamer* pStreamer = new ObjectStreamer(&out, false);
        pStreamer->writeChar(0);
        settings.persistTo(*pStreamer);
        delete pStreamer;
        EXPECT_EQ(Bytes(out.getBuffer(), out.getBuffer() + out.size()),
                  (Bytes{0x05, 0x00, 0x13, 0x00}));
    }

    settings.set("MusicVolume", "200");
    settings.set("Player", "D\xC3\xA9sir\xC3\xA9");
    MemStream packed;
    {
        ZStream* pZ = new ZStream(&packed, -1);
        ObjectStreamer* pOut = new ObjectStreamer(pZ, false);
        pOut->writeChar(0);
        settings.persistTo(*pOut);
        delete pOut;
        delete pZ;
    }
    MemStream in(packed.getBuffer(), packed.size());
    ZStream* pZ = new ZStream(&in, -1);
    ObjectStreamer* pIn = new ObjectStreamer(pZ, false);
    char cKind = 1;
    pIn->readChar(cKind);
    Hash<String, String> loaded;
    loaded.persistFrom(*pIn);
    delete pIn;
    delete pZ;
    EXPECT_EQ(cKind, 0);
    EXPECT_EQ(contents(loaded), contents(settings));
}

TEST(HashPersist, LegacyVersion2)
{
    const Bytes keys = concat({{0x14, 0x02}, str("a"), str("b")});
    const Bytes values = concat({{0x14, 0x02}, str("1"), str("2")});
    Hash<String, String> table;
    table.set("stale", "x");
    readTable(concat({{0x02, 'h', 's', 'H', 0x00}, keys, {0x7F}, values}), table);
    EXPECT_EQ(contents(table), (Pairs{{"a", "1"}, {"b", "2"}}));
    EXPECT_EQ(table.getBucketCount(), 5);

    // The lists may be in their legacy form too, in either byte order.
    for (bool bNative : {true, false})
    {
        const Bytes count = bNative ? Bytes{1, 0, 0, 0} : Bytes{0, 0, 0, 1};
        Hash<String, String> legacyLists;
        readTable(concat({{0x02, 'h', 's', 'H', 0x00, 0x01, 't', 's', 'L'},
                          count,
                          str("k"),
                          {0x00, 0x01, 't', 's', 'L'},
                          count,
                          str("v")}),
                  legacyLists, bNative);
        EXPECT_EQ(contents(legacyLists), (Pairs{{"k", "v"}})) << bNative;
    }
}

TEST(HashPersist, LegacyVersion1)
{
    CapturedStderr quiet;
    // Two buckets; the nodes may sit in any bucket, and where a key comes twice the one met
    // later in table order (last bucket first) wins.
    for (bool bNative : {true, false})
    {
        const Bytes two = bNative ? Bytes{2, 0, 0, 0} : Bytes{0, 0, 0, 2};
        const Bytes id0 = {0, 0, 0, 0};
        const Bytes id1 = bNative ? Bytes{1, 0, 0, 0} : Bytes{0, 0, 0, 1};
        const Bytes id2 = bNative ? Bytes{2, 0, 0, 0} : Bytes{0, 0, 0, 2};
        const Bytes data = concat({{0x01, 'h', 's', 'H'},
                                   two,
                                   // bucket 0: k -> old, x -> 1
                                   {0x00, 0x14, 0x02, 0x00},
                                   id0,
                                   str("k"),
                                   str("old"),
                                   {0x00},
                                   id1,
                                   str("x"),
                                   str("1"),
                                   // bucket 1, a legacy list: k -> new
                                   {0x00, 0x01, 't', 's', 'L'},
                                   bNative ? Bytes{1, 0, 0, 0} : Bytes{0, 0, 0, 1},
                                   {0x00},
                                   id2,
                                   str("k"),
                                   str("new")});
        Hash<String, String> table;
        readTable(data, table, bNative);
        EXPECT_EQ(contents(table), (Pairs{{"k", "old"}, {"x", "1"}})) << bNative;
        EXPECT_EQ(table.getBucketCount(), 5);
    }
}

TEST(HashPersist, LegacyVersion1WarnsOnStandardError)
{
    testing::internal::CaptureStderr();
    Hash<String, String> table;
    readTable({0x01, 'h', 's', 'H', 1, 0, 0, 0, 0x00, 0x14, 0x00}, table);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "WARNING : Hash::persistFrom : reading old format version 1\n");
    EXPECT_TRUE(table.isEmpty());
}

TEST(HashPersist, FormatErrors)
{
    CapturedStderr quiet;
    const char* pszBad = "Hash::persistFrom : bad stream format\n";
    const char* pszVersion = "Hash::persistFrom : unknown format version\n";
    const Bytes v1 = {0x01, 'h', 's', 'H'};
    struct Case
    {
        Bytes data;
        const char* pszMessage;
    } cases[] = {
        {{0x12, 0x00}, pszBad},
        {{0x14, 0x00}, pszBad},
        {{}, pszBad},
        {{0x23, 0x00}, pszVersion},
        {{0x03, 0x00}, pszVersion},
        {{0x01, 'h', 's', 'L'}, pszBad},
        {{0x02, 'x', 's', 'H'}, pszBad},
        // Version 2 with more keys than values.
        {concat({{0x02, 'h', 's', 'H', 0},
                 {0x14, 0x02},
                 str("a"),
                 str("b"),
                 {0},
                 {0x14, 0x01},
                 str("1")}),
         pszBad},
        // Version 1 bucket counts no table has.
        {concat({v1, {0, 0, 0, 0}}), "Hash::persistFrom : bad bucket count 0\n"},
        {concat({v1, {0xFF, 0xFF, 0xFF, 0xFF}}), "Hash::persistFrom : bad bucket count -1\n"},
        {concat({v1, {0x16, 0x19, 0, 0}}), "Hash::persistFrom : bad bucket count 6422\n"},
        // Version 1 nodes that are null or shared.
        {concat({v1, {1, 0, 0, 0, 0, 0x14, 0x01, 0x02}}),
         "Hash::persistFrom : null node in old format version 1\n"},
        {concat({v1,
                 {1, 0, 0, 0, 0, 0x14, 0x02, 0x00, 0, 0, 0, 0},
                 str("k"),
                 str("v"),
                 {0x01, 0, 0, 0, 0}}),
         "Hash::persistFrom : shared node in old format version 1\n"},
        // The list and string readers' own errors pass through.
        {concat({v1, {1, 0, 0, 0, 0, 0x24, 0x00}}), "List::persistFrom : unknown format version\n"},
        {concat({{0x13, 0x01}, str("k"), {0x22}}), "Stream::readString : unknown format version\n"},
    };
    for (const Case& c : cases)
    {
        Hash<String, String> table;
        table.set("stale", "x");
        EXPECT_EQ(messageOf<BadStreamFormatException>([&] { readTable(c.data, table); }),
                  c.pszMessage);
        EXPECT_FALSE(table.contains("stale"));
    }

    // A version 1 back-reference to an id never read.
    Hash<String, String> table;
    EXPECT_EQ(messageOf<FatalErrorException>(
                  [&] {
                      readTable(concat({v1, {1, 0, 0, 0, 0, 0x14, 0x01, 0x01, 9, 0, 0, 0}}), table);
                  }),
              "AlreadyLoaded failed");
}

TEST(HashPersist, FailurePartWayKeepsWhatWasSet)
{
    // A count far beyond the data: pairs are read one by one until the data runs out.
    Hash<String, String> table(97);
    table.set("stale", "x");
    EXPECT_EQ(messageOf<BadStreamFormatException>(
                  [&] {
                      readTable(concat({{0x13, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F}, str("a"), str("1")}),
                                table);
                  }),
              "Stream::readString : bad stream format\n");
    EXPECT_EQ(contents(table), (Pairs{{"a", "1"}}));
    EXPECT_EQ(table.getBucketCount(), 97);

    // Version 1 keeps its stored bucket count and the nodes read before the failure.
    CapturedStderr quiet;
    Hash<String, String> legacy(97);
    EXPECT_EQ(messageOf<BadStreamFormatException>(
                  [&]
                  {
                      readTable(concat({{0x01, 'h', 's', 'H', 3, 0, 0, 0, 0x00, 0x14, 0x01, 0x00, 0,
                                         0, 0, 0},
                                        str("k"),
                                        str("v"),
                                        {0x00, 0x33}}),
                                legacy);
                  }),
              "List::persistFrom : bad stream format\n");
    EXPECT_EQ(legacy.getBucketCount(), 3);
    EXPECT_EQ(legacy.keys().getLength(), 1);
}
