#include "rir2/hash.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using RIR::Hash;
using RIR::List;
using RIR::SmartPtr;
using RIR::String;

static_assert(!std::is_copy_constructible<Hash<int, int>>::value, "tables are never copied");
static_assert(std::is_base_of<RIR::RefCountedObject, Hash<int, int>>::value, "tables are counted");

namespace
{

// A key class of the colour's shape: packs itself into 32 bits (r, a, b, g from the top byte
// down), compares by that value and prints its channels.
class PackedColor
{
public:
    PackedColor() : r(0), g(0), b(0), a(255) {}
    PackedColor(int nR, int nG, int nB, int nA)
        : r((uint8_t)nR), g((uint8_t)nG), b((uint8_t)nB), a((uint8_t)nA)
    {
    }
    virtual ~PackedColor() {}
    uint32_t getPackedValue() const
    {
        return ((uint32_t)r << 24) | ((uint32_t)a << 16) | ((uint32_t)b << 8) | (uint32_t)g;
    }
    bool operator==(const PackedColor& o) const { return getPackedValue() == o.getPackedValue(); }
    String toString() const { return String::format("(%d, %d, %d, %d)", r, g, b, a); }

    uint8_t r, g, b, a;
};

class Counted : public RIR::RefCountedObject
{
public:
    explicit Counted(int nId = 0) : m_nId(nId) { ++s_nLive; }
    ~Counted() override
    {
        --s_nLive;
        s_vDeleted.push_back(m_nId);
    }
    int m_nId;
    static int s_nLive;
    static std::vector<int> s_vDeleted;
};
int Counted::s_nLive = 0;
std::vector<int> Counted::s_vDeleted;

class HashObjectsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Counted::s_nLive = 0;
        Counted::s_vDeleted.clear();
    }
    void TearDown() override { EXPECT_EQ(0, Counted::s_nLive); }
};

template <class T> std::vector<T> toVector(const List<T>& l)
{
    std::vector<T> v;
    for (int i = 0; i < l.getLength(); ++i)
        v.push_back(l.get(i));
    return v;
}

std::vector<std::string> toStrings(const List<String>& l)
{
    std::vector<std::string> v;
    for (int i = 0; i < l.getLength(); ++i)
        v.push_back(l.get(i).c_str());
    return v;
}

// Runs f, which must raise the missing-key error with sKeyText.
void expectKeyNotFound(const std::function<void()>& f, const std::string& sKeyText)
{
    try
    {
        f();
        ADD_FAILURE() << "no exception for " << sKeyText;
    }
    catch (const RIR::FatalErrorException& e)
    {
        EXPECT_EQ("Hash key not found : " + sKeyText, e.getMessage());
        EXPECT_NE(nullptr, std::strstr(e.getFile(), "hash_impl"));
        const RIR::CallStackSnapshot& snap = e.getSnapshot();
        ASSERT_GT(snap.getCount(), 0);
        EXPECT_STREQ("$Hash::get", snap.getEntryName(snap.getCount() - 1));
    }
}

} // namespace

// ---- hashing and table order ------------------------------------------------------------------

TEST(HashTest, StringHashesOverSignedBytesWithTheTerminatorStep)
{
    struct Case
    {
        const char* pszText;
        int32_t nHash;
        int nBucket; // of 97
    };
    const Case aCases[] = {
        {"", 0, 0},
        {"a", 3007, 0},
        {"b", 3038, 31},
        {"A", 2015, 75},
        {"\xE9", -713, 1},
        {"abc", 2986974, 53},
        {"settings.key.long.enough.to.wrap", 2006685353, 84},
    };
    Hash<String, int> h;
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszText);
        EXPECT_EQ(c.nHash, RIR::hashString(c.pszText));
        EXPECT_EQ(c.nBucket, h.bucketIndex(c.pszText));
    }
}

TEST(HashTest, IntegerPointerAndPackedKeysHashToTheirValue)
{
    Hash<int, int> hInt;
    EXPECT_EQ(1, hInt.bucketIndex(98));
    EXPECT_EQ(34, hInt.bucketIndex(-1)); // 4294967295 % 97

    Hash<void*, int> hPtr;
    EXPECT_EQ((int)(0x1234u % 97), hPtr.bucketIndex((void*)0x1234));

    Hash<PackedColor, int> hColor;
    const PackedColor c(1, 2, 3, 4); // packed 0x01040302
    EXPECT_EQ((int)(0x01040302u % 97), hColor.bucketIndex(c));
    EXPECT_EQ((int)(0xFF000000u % 97), hColor.bucketIndex(PackedColor(255, 0, 0, 0)));
}

TEST(HashTest, KeysListBucketsFromLastToFirstEachInInsertionOrder)
{
    // "de", "a" and "aa" share bucket 0; "b" is in bucket 31 and "A" in bucket 75.
    Hash<String, String> h;
    EXPECT_EQ(97, h.getBucketCount());
    EXPECT_TRUE(h.isEmpty());
    EXPECT_EQ(0, h.keys().getLength());

    h.set("de", "1");
    h.set("b", "2");
    h.set("a", "3");
    h.set("aa", "4");
    h.set("A", "5");
    h.set("de", "6"); // replaced in place
    EXPECT_EQ((std::vector<std::string>{"A", "b", "de", "a", "aa"}), toStrings(h.keys()));
    EXPECT_EQ((std::vector<std::string>{"5", "2", "6", "3", "4"}), toStrings(h.values()));
    EXPECT_FALSE(h.contains("AA")); // case matters
    EXPECT_FALSE(h.isEmpty());

    Hash<int, int> hInt;
    for (int n : {98, 0, 1, 96, 195, -1})
        hInt.set(n, n * 10);
    EXPECT_EQ((std::vector<int>{96, -1, 98, 1, 195, 0}), toVector(hInt.keys()));
    EXPECT_EQ((std::vector<int>{960, -10, 980, 10, 1950, 0}), toVector(hInt.values()));
}

// Wide integer keys (the object streamer's) share a bucket through their low 32 bits but stay
// different keys.
TEST(HashTest, WideIntegerKeysCompareInFull)
{
    Hash<unsigned long, unsigned long> h;
    const unsigned long nWide = (unsigned long)((uint64_t)1 << 32 | 1);
    h.set(1, 10);
    h.set(nWide, 20);
    EXPECT_EQ(10u, h.get(1));
    EXPECT_EQ(20u, h.get(nWide));
    EXPECT_EQ(2, h.keys().getLength());
}

// ---- lookups and changes -----------------------------------------------------------------------

TEST(HashTest, MissingKeysNameTheKeyByItsKind)
{
    Hash<String, int> hString;
    hString.set("present", 1);
    expectKeyNotFound([&] { hString.get("abc"); }, "\"abc\"");
    expectKeyNotFound([&] { hString.get("100%s%n"); }, "\"100%s%n\"");
    expectKeyNotFound([&] { hString.get(""); }, "\"\"");

    Hash<int, int> hInt;
    expectKeyNotFound([&] { hInt.get(42); }, "42");
    expectKeyNotFound([&] { hInt.get(-7); }, "-7");

    Hash<unsigned long, int> hLong;
    expectKeyNotFound([&] { hLong.get(4294967295ul); }, "-1");

    Hash<const char*, int> hPtr;
    expectKeyNotFound([&] { hPtr.get((const char*)(uintptr_t)0x1234); }, "0x00001234");
    if (sizeof(void*) > 4)
    {
        // Only the low 32 bits are printed.
        expectKeyNotFound([&] { hPtr.get((const char*)(uintptr_t)0x123456789ABCull); },
                          "0x56789ABC");
    }

    Hash<SmartPtr<Counted>, int> hHandle;
    SmartPtr<Counted> p(new Counted);
    char szAddress[16];
    snprintf(szAddress, sizeof(szAddress), "0x%08X", (unsigned)(uintptr_t)p.get());
    expectKeyNotFound([&] { hHandle.get(p); }, szAddress);
    p.release();

    const Hash<PackedColor, int> hColor;
    expectKeyNotFound([&] { hColor.get(PackedColor(1, 2, 3, 4)); }, "(1, 2, 3, 4)");

    // A failed lookup changes nothing.
    EXPECT_EQ((std::vector<std::string>{"present"}), toStrings(hString.keys()));
}

TEST(HashTest, IndexOperatorAddsOneDefaultNodeAndSetNeverDuplicates)
{
    Hash<String, int> h;
    EXPECT_EQ(0, h["x"]); // zero for numbers
    h["x"] += 5;
    EXPECT_EQ(5, h["x"]);
    h.set("x", 7);
    h.set("x", 8);
    EXPECT_EQ(1, h.keys().getLength());
    EXPECT_EQ(8, h.get("x"));

    Hash<int, String> hText;
    EXPECT_STREQ("", hText[3].c_str());
    hText[3] = "three";
    EXPECT_STREQ("three", hText.get(3).c_str());

    Hash<int, List<String>> hLists;
    hLists[1].append("a");
    hLists[1].append("b");
    EXPECT_EQ(2, hLists.get(1).getLength());
}

TEST_F(HashObjectsTest, ColorKeysFindTheirValues)
{
    Hash<PackedColor, SmartPtr<Counted>> h;
    h.set(PackedColor(255, 0, 0, 255), new Counted(1));
    h.set(PackedColor(0, 255, 0, 255), new Counted(2));
    h[PackedColor(0, 0, 0, 255)] = new Counted(3);
    EXPECT_EQ(1, h.get(PackedColor(255, 0, 0, 255))->m_nId);
    EXPECT_EQ(2, h.get(PackedColor(0, 255, 0, 255))->m_nId);
    EXPECT_TRUE(h.contains(PackedColor()));
    EXPECT_FALSE(h.contains(PackedColor(0, 0, 0, 254)));
    EXPECT_EQ(3, Counted::s_nLive);
}

TEST_F(HashObjectsTest, RemoveReturnsTheValueAndLeavesOtherKeys)
{
    Hash<String, SmartPtr<Counted>> h;
    h.set("a", new Counted(1));
    h.set("b", new Counted(2));
    SmartPtr<Counted> p = h.remove("a");
    ASSERT_TRUE(p);
    EXPECT_EQ(1, p->m_nId);
    EXPECT_EQ(1, p->getRefCount()); // the node is gone, the copy keeps the object
    EXPECT_FALSE(h.contains("a"));
    p.release();
    EXPECT_EQ((std::vector<int>{1}), Counted::s_vDeleted);

    h.remove("zz");
    EXPECT_EQ((std::vector<std::string>{"b"}), toStrings(h.keys()));
}

TEST(HashTest, RemovingAMissingKeyChangesNothing)
{
    Hash<int, int> hEmpty;
    EXPECT_EQ(0, hEmpty.remove(5)); // default value, no node to read
    EXPECT_TRUE(hEmpty.isEmpty());

    // With a node in bucket 0 the result is that node's value; nothing relies on it.
    Hash<int, String> h;
    h.set(97, "bucket zero");
    h.set(5, "five");
    EXPECT_STREQ("bucket zero", h.remove(6).c_str());
    EXPECT_EQ((std::vector<int>{5, 97}), toVector(h.keys()));
    EXPECT_STREQ("five", h.remove(5).c_str());
    EXPECT_EQ((std::vector<int>{97}), toVector(h.keys()));
}

// ---- whole-table operations ---------------------------------------------------------------------

TEST(HashTest, ChooseBucketCountTakesTheFirstStepNotSmaller)
{
    const int aCases[][2] = {{-3, 5},      {0, 5},       {5, 5},       {6, 11},       {40, 47},
                             {48, 97},     {97, 97},     {98, 197},    {500, 797},    {3203, 3203},
                             {3204, 6421}, {6421, 6421}, {6422, 6421}, {100000, 6421}};
    for (const auto& c : aCases)
        EXPECT_EQ(c[1], (Hash<int, int>::chooseBucketCount(c[0]))) << "n = " << c[0];
}

TEST(HashTest, RehashToFitResizesToTheKeyCountAndKeepsEveryEntry)
{
    const int aCases[][2] = {{0, 5},   {3, 5},    {6, 11},    {40, 47},
                             {97, 97}, {98, 197}, {500, 797}, {10000, 6421}};
    for (const auto& c : aCases)
    {
        SCOPED_TRACE(c[0]);
        Hash<String, int> h;
        for (int i = 0; i < c[0]; ++i)
            h.set(String::format("key%d", i), i);
        h.rehashToFit();
        EXPECT_EQ(c[1], h.getBucketCount());
        EXPECT_EQ(c[0], h.keys().getLength());
        for (int i = 0; i < c[0]; ++i)
            ASSERT_EQ(i, h.get(String::format("key%d", i)));
    }
}

TEST(HashTest, RehashReinsertsInTheOldTableOrder)
{
    // Inserted 5, 16, 3, 14, 25: the old table order is 25, 16, 14, 5, 3. In 5 buckets 25 and 5
    // share bucket 0 and keep that order, not the insertion order.
    Hash<int, int> h;
    for (int n : {5, 16, 3, 14, 25})
        h.set(n, -n);
    EXPECT_EQ((std::vector<int>{25, 16, 14, 5, 3}), toVector(h.keys()));
    h.rehashToFit();
    EXPECT_EQ(5, h.getBucketCount());
    EXPECT_EQ((std::vector<int>{14, 3, 16, 25, 5}), toVector(h.keys()));
    EXPECT_EQ((std::vector<int>{-14, -3, -16, -25, -5}), toVector(h.values()));
    h.rehashToFit(); // already fitting
    EXPECT_EQ((std::vector<int>{14, 3, 16, 25, 5}), toVector(h.keys()));
}

TEST(HashTest, AddingKeysNeverChangesTheBucketCount)
{
    Hash<int, int> h;
    for (int i = 0; i < 1000; ++i)
        h.set(i, i);
    EXPECT_EQ(97, h.getBucketCount());
    h.clear();
    EXPECT_EQ(97, h.getBucketCount());
    EXPECT_TRUE(h.isEmpty());
    Hash<int, int> hSmall(5);
    EXPECT_EQ(5, hSmall.getBucketCount());
    EXPECT_THROW((Hash<int, int>(0)), RIR::AssertFailException);
}

// A table holds no bucket array until its first key: every operation on one never written to
// answers as on an empty table, and the first key after a resize lands in the resized table.
TEST(HashTest, ATableNeverWrittenToAnswersAsEmpty)
{
    Hash<String, int> h;
    const Hash<String, int>& hConst = h;
    EXPECT_TRUE(h.isEmpty());
    EXPECT_FALSE(h.contains("a"));
    EXPECT_EQ(nullptr, h.findNode("a"));
    EXPECT_THROW(hConst.get("a"), RIR::FatalErrorException);
    EXPECT_EQ(0, h.remove("a"));
    EXPECT_EQ(0, h.keys().getLength());
    EXPECT_EQ(0, h.values().getLength());
    h.clear();
    Hash<String, int> hOther;
    h.merge(hOther);
    hOther.merge(h);
    EXPECT_TRUE(hOther.isEmpty());
    EXPECT_EQ(97, h.getBucketCount());
    h.rehashToFit();
    EXPECT_EQ(5, h.getBucketCount());
    const char* const apszKeys[] = {"a", "bb", "ccc", "dddd", "eeeee", "ffffff"};
    for (const char* pszKey : apszKeys)
        h.set(pszKey, (int)std::strlen(pszKey));
    EXPECT_EQ(6, h.keys().getLength());
    for (const char* pszKey : apszKeys)
        EXPECT_EQ((int)std::strlen(pszKey), h.get(pszKey)) << pszKey;
    EXPECT_EQ(3, h.remove("ccc"));
    EXPECT_EQ(5, h.keys().getLength());
}

TEST(HashTest, MergeSetsTheOtherTablesKeysInItsOrder)
{
    Hash<String, int> h;
    h.set("x", 0);
    h.set("y", 2);
    Hash<String, int> other;
    other.set("x", 1);
    other.set("a", 3);
    other.set("de", 4); // same bucket as "a", after it
    h.merge(other);
    EXPECT_EQ(1, h.get("x"));
    EXPECT_EQ(2, h.get("y"));
    EXPECT_EQ(3, h.get("a"));
    EXPECT_EQ((std::vector<std::string>{"y", "x", "a", "de"}), toStrings(h.keys()));
    h.merge(h);
    EXPECT_EQ(4, h.keys().getLength());
    EXPECT_EQ(1, other.get("x"));
}

TEST_F(HashObjectsTest, DeleteValuesDeletesEachObjectOnceInTableOrder)
{
    Hash<int, Counted*> h;
    Counted* pShared = new Counted(7);
    h.set(1, new Counted(1));
    h.set(98, pShared); // bucket 1, after key 1
    h.set(3, new Counted(3));
    h.set(4, nullptr);
    h.set(50, pShared); // the same object under a second key
    h.deleteValues();
    EXPECT_EQ((std::vector<int>{7, 3, 1}), Counted::s_vDeleted);
    EXPECT_TRUE(h.isEmpty());
    EXPECT_EQ(97, h.getBucketCount());
}

TEST_F(HashObjectsTest, DestructionReleasesHandlesButLeavesPlainPointers)
{
    Counted* pPlain = new Counted(1);
    {
        Hash<String, Counted*> hPlain;
        hPlain.set("p", pPlain);
        Hash<String, SmartPtr<Counted>> hHandles;
        hHandles.set("h", new Counted(2));
        SmartPtr<Hash<SmartPtr<Counted>, bool>> pSet = new Hash<SmartPtr<Counted>, bool>();
        pSet->set(hHandles.get("h"), true);
        EXPECT_TRUE(pSet->contains(hHandles.get("h")));
    }
    EXPECT_EQ((std::vector<int>{2}), Counted::s_vDeleted);
    delete pPlain;
}
