// Resource packs: the written layout byte for byte, reading in both byte orders, the header and
// index errors, entry lookup, and a compiler that never reports a lost write as success.
#include "rir2/exception.h"
#include "rir2/file.h"
#include "rir2/memstream.h"
#include "rir2/resourcefile.h"
#include "rir2/resourcefilecompiler.h"
#include "tempfolder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <climits>
#include <cstring>
#include <dirent.h>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace RIR;

namespace
{

std::string bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += (char)(uint8_t)v;
    return s;
}

std::string int32(uint32_t n, bool bBig)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[bBig ? 3 - i : i] = (char)(uint8_t)(n >> (8 * i));
    return s;
}

std::string varint(uint32_t n)
{
    std::string s;
    while (n >= 0x80)
    {
        s += (char)(uint8_t)(n | 0x80);
        n >>= 7;
    }
    s += (char)(uint8_t)n;
    return s;
}

std::string deflateBytes(const std::string& sPlain, int nLevel = 9)
{
    uLongf nOut = compressBound((uLong)sPlain.size());
    std::string sOut(nOut, '\0');
    EXPECT_EQ(compress2((Bytef*)&sOut[0], &nOut, (const Bytef*)sPlain.data(), (uLong)sPlain.size(),
                        nLevel),
              Z_OK);
    sOut.resize(nOut);
    return sOut;
}

// Inflates the zlib stream at the start of sPacked; "<bad>" when it is not one.
std::string inflateBytes(const std::string& sPacked)
{
    z_stream z;
    memset(&z, 0, sizeof(z));
    inflateInit(&z);
    z.next_in = (Bytef*)sPacked.data();
    z.avail_in = (uInt)sPacked.size();
    std::string sOut;
    char acBuffer[4096];
    int nErr = Z_OK;
    while (nErr == Z_OK)
    {
        z.next_out = (Bytef*)acBuffer;
        z.avail_out = sizeof(acBuffer);
        nErr = inflate(&z, Z_NO_FLUSH);
        sOut.append(acBuffer, sizeof(acBuffer) - z.avail_out);
    }
    inflateEnd(&z);
    return nErr == Z_STREAM_END ? sOut : std::string("<bad>");
}

uint32_t readInt32(const std::string& s, size_t nAt, bool bBig)
{
    uint32_t n = 0;
    for (int i = 0; i < 4; ++i)
        n |= (uint32_t)(uint8_t)s[nAt + (bBig ? 3 - i : i)] << (8 * i);
    return n;
}

std::vector<uint8_t> sampleBytes(size_t n, unsigned nSeed)
{
    std::vector<uint8_t> data(n);
    std::mt19937 rng(nSeed);
    const char* pszWords = "whisky for the cowboy at table three, milk for the sheriff ";
    const size_t nWords = strlen(pszWords);
    for (size_t i = 0; i < n; ++i)
        data[i] = (i / 10000) % 2 == 0 ? (uint8_t)pszWords[(i * 3) % nWords] : (uint8_t)rng();
    return data;
}

struct Item
{
    std::string sName;
    std::string sData;
};

// Writes a pack with the compiler into an owned MemStream and returns its bytes. bNative false
// writes the other byte order; nLevel is the entries' level.
std::string compilePack(const std::vector<Item>& items, bool bNative = true, int nLevel = 9)
{
    MemStream* pOut = new MemStream();
    SmartPtr<Stream> pStream(pOut);
    pStream->setNativeOrder(bNative);
    SmartPtr<ResourceFileCompiler> pPack(new ResourceFileCompiler(pStream));
    pPack->setCompressionLevel(nLevel);
    pPack->begin();
    for (const Item& item : items)
    {
        MemStream data(item.sData.data(), (int)item.sData.size());
        pPack->addEntry(&data, item.sName.c_str());
    }
    pPack->finish();
    return std::string((const char*)pOut->getBuffer(), (size_t)pOut->size());
}

// One record of a hand-made index; the offset and size default to the entry's real ones.
struct HandEntry
{
    // INT64_MIN: the offset where the stream is written / the size of the data.
    HandEntry(std::string sName_, std::string sData_, int64_t nOffset_ = INT64_MIN,
              int64_t nSize_ = INT64_MIN, std::string sAfter_ = {})
        : sName(std::move(sName_)), sData(std::move(sData_)), nOffset(nOffset_), nSize(nSize_),
          sAfter(std::move(sAfter_))
    {
    }

    std::string sName;
    std::string sData;
    int64_t nOffset;
    int64_t nSize;
    // Bytes written after the entry's stream, before the next one.
    std::string sAfter;
};

std::string handRecord(const std::string& sName, uint32_t nOffset, uint32_t nSize, bool bBig,
                       uint32_t nHeader = 0x01454952)
{
    return int32(nHeader, bBig) + bytes({0x12}) + varint((uint32_t)sName.size()) + sName +
           int32(nOffset, bBig) + int32(nSize, bBig) + bytes({1});
}

// The layout written out by hand, independently of the compiler: header, one zlib stream per
// entry, and the index with its records.
std::string handPack(const std::vector<HandEntry>& entries, bool bBig,
                     uint32_t nHeader = 0x01465247)
{
    std::string sPack = "GRF" + bytes({5}) + int32(nHeader, bBig) + int32(0, bBig);
    std::string sIndex = bytes({5, 0, 0x14}) + varint((uint32_t)entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
    {
        const HandEntry& e = entries[i];
        const uint32_t nOffset =
            e.nOffset == INT64_MIN ? (uint32_t)sPack.size() : (uint32_t)e.nOffset;
        const uint32_t nSize = e.nSize == INT64_MIN ? (uint32_t)e.sData.size() : (uint32_t)e.nSize;
        sPack += deflateBytes(e.sData) + e.sAfter;
        sIndex += bytes({0}) + int32((uint32_t)i, bBig) + handRecord(e.sName, nOffset, nSize, bBig);
    }
    const std::string sOffset = int32((uint32_t)sPack.size(), bBig);
    sPack.replace(8, 4, sOffset);
    return sPack + deflateBytes(sIndex);
}

// A pack holding "abc" at offset 12 and the index sIndexBytes (deflated when bDeflate) after it;
// nIndexOffset replaces the real index offset unless it is INT64_MIN.
std::string packWithIndex(const std::string& sIndexBytes, bool bDeflate = true,
                          int64_t nIndexOffset = INT64_MIN)
{
    std::string sPack = "GRF" + bytes({5}) + int32(0x01465247, false) + int32(0, false);
    sPack += deflateBytes("abc");
    const uint32_t nOffset =
        nIndexOffset == INT64_MIN ? (uint32_t)sPack.size() : (uint32_t)nIndexOffset;
    sPack.replace(8, 4, int32(nOffset, false));
    return sPack + (bDeflate ? deflateBytes(sIndexBytes) : sIndexBytes);
}

std::vector<std::string> toVector(const List<String>& l)
{
    std::vector<std::string> v;
    for (int i = 0; i < l.getLength(); ++i)
        v.push_back(l.get(i).c_str());
    return v;
}

std::string loadText(ResourceFile& pack, const char* pszName)
{
    SmartPtr<Resource> pRes(pack.load(pszName));
    return std::string((const char*)pRes->getData(), (size_t)pRes->getSize());
}

// Open descriptors of this process, to see that a failed open leaves none behind.
int openDescriptors()
{
    int nCount = 0;
    if (DIR* pDir = opendir("/proc/self/fd"))
    {
        while (readdir(pDir))
            ++nCount;
        closedir(pDir);
    }
    return nCount;
}

// The exception class and message that opening sPath raises ("" when it opens).
std::pair<std::string, std::string> openError(const std::string& sPath)
{
    try
    {
        ResourceFile pack(sPath.c_str());
    }
    catch (const Exception& e)
    {
        return {e.getClassName(), e.getMessage()};
    }
    return {"", ""};
}

// A write-only stream that keeps its bytes and accepts nothing beyond nLimit: a disk that fills
// up. It reports short counts and never raises, like any stream may.
class FillingStream : public Stream
{
public:
    explicit FillingStream(int nLimit) : m_nLimit(nLimit), m_nPos(0) {}
    int read(int, void*) override { return 0; }
    int write(int n, const void* pBuffer) override
    {
        const int nRoom = m_nLimit - m_nPos;
        const int nTake = n < nRoom ? n : (nRoom > 0 ? nRoom : 0);
        if (m_sData.size() < (size_t)(m_nPos + nTake))
            m_sData.resize((size_t)(m_nPos + nTake));
        memcpy(&m_sData[(size_t)m_nPos], pBuffer, (size_t)nTake);
        m_nPos += nTake;
        return nTake;
    }
    int tell() override { return m_nPos; }
    void seek(int nPosition) override { m_nPos = nPosition; }
    int size() override { return (int)m_sData.size(); }
    bool can(int nAccess) override { return (nAccess & SA_WRITE) == nAccess; }
    const std::string& data() const { return m_sData; }

private:
    int m_nLimit;
    int m_nPos;
    std::string m_sData;
};

const std::string HELLO_INDEX = bytes({0x05, 0x00, 0x14, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x52,
                                       0x49, 0x45, 0x01, 0x12, 0x0E}) +
                                "Data/Hello.TXT" +
                                bytes({0x0C, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01});

} // namespace

TEST(ResourceFileCompiler, HelloPackLayoutIsExact)
{
    const std::string sPack = compilePack({{"Data/Hello.TXT", "abc"}});
    ASSERT_GT(sPack.size(), 12u);
    EXPECT_EQ(sPack.substr(0, 8), bytes({0x47, 0x52, 0x46, 0x05, 0x47, 0x52, 0x46, 0x01}));
    const uint32_t nIndexOffset = readInt32(sPack, 8, false);
    ASSERT_GT(nIndexOffset, 12u);
    ASSERT_LT(nIndexOffset, sPack.size());
    EXPECT_EQ(inflateBytes(sPack.substr(12, nIndexOffset - 12)), "abc");
    EXPECT_EQ(inflateBytes(sPack.substr(nIndexOffset)), HELLO_INDEX);
    // The index runs to the end of the file, at level 9 (zlib header 78 DA).
    EXPECT_EQ(deflateBytes(HELLO_INDEX).size(), sPack.size() - nIndexOffset);
    EXPECT_EQ(sPack.substr(nIndexOffset, 2), bytes({0x78, 0xDA}));
    // Written by hand the layout comes out the same, byte for byte.
    EXPECT_EQ(sPack, handPack({{"Data/Hello.TXT", "abc"}}, false));
}

TEST(ResourceFile, HelloPackReadsBackInBothByteOrders)
{
    TempFolder tmp;
    const std::string sNative = compilePack({{"Data/Hello.TXT", "abc"}});
    const std::string sReversed = compilePack({{"Data/Hello.TXT", "abc"}}, false);
    // The other byte order reverses every Int32: header word, index offset, ids, record fields;
    // bytes, booleans, lengths and names stay as they are.
    EXPECT_EQ(sReversed.substr(0, 8), bytes({0x47, 0x52, 0x46, 0x05, 0x01, 0x46, 0x52, 0x47}));
    const uint32_t nIndexOffset = readInt32(sReversed, 8, true);
    ASSERT_LT(nIndexOffset, sReversed.size());
    EXPECT_EQ(inflateBytes(sReversed.substr(nIndexOffset)),
              bytes({0x05, 0x00, 0x14, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x45, 0x49, 0x52,
                     0x12, 0x0E}) +
                  "Data/Hello.TXT" + bytes({0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x03, 0x01}));
    EXPECT_EQ(sReversed, handPack({{"Data/Hello.TXT", "abc"}}, true));

    for (const std::string* pBytes : {&sNative, &sReversed})
    {
        ResourceFile pack(tmp.writeFile("hello.dat", *pBytes).c_str());
        for (const char* pszName : {"data/hello.txt", "DATA/HELLO.TXT", "Data/Hello.TXT"})
        {
            EXPECT_TRUE(pack.exists(pszName)) << pszName;
            EXPECT_EQ(loadText(pack, pszName), "abc");
            EXPECT_EQ(pack.getEntrySize(pszName), 3);
        }
        EXPECT_FALSE(pack.exists("data/hello"));
        EXPECT_EQ(toVector(pack.names()), std::vector<std::string>{"data/hello.txt"});
        EXPECT_EQ(pack.mapName("Data/Hello.TXT"), "Data/Hello.TXT");
        std::unique_ptr<List<ResourceFileEntry*>> pList(pack.getEntryList());
        ASSERT_EQ(pList->getLength(), 1);
        const ResourceFileEntry* pEntry = pList->get(0);
        EXPECT_EQ(pEntry->getName(), "Data/Hello.TXT");
        EXPECT_EQ(pEntry->getOffset(), 12);
        EXPECT_EQ(pEntry->getSize(), 3);
        EXPECT_TRUE(pEntry->getFlag());
    }
}

TEST(ResourceFile, ManyEntriesAtEveryLevelReadBack)
{
    TempFolder tmp;
    const std::vector<uint8_t> big = sampleBytes(200000, 7); // several 65536-byte copy blocks
    std::vector<Item> items = {
        {"sound/Big.ogg", std::string(big.begin(), big.end())},
        {"empty.txt", ""},
        {"bin/zeros.raw", std::string("\0\x01\xFF\0\0\x80", 6)},
        {"a", "x"},
    };
    for (int nLevel : {0, 1, 9})
    {
        for (bool bNative : {true, false})
        {
            const std::string sPack = compilePack(items, bNative, nLevel);
            // Entries carry the chosen level (78 01 stored, 78 DA best); the index always 9.
            if (nLevel == 0)
            {
                EXPECT_EQ(sPack.substr(12, 2), bytes({0x78, 0x01}));
            }
            const uint32_t nIndexOffset = readInt32(sPack, 8, !bNative);
            ASSERT_LT(nIndexOffset, sPack.size());
            EXPECT_EQ(sPack.substr(nIndexOffset, 2), bytes({0x78, 0xDA}));

            ResourceFile pack(tmp.writeFile("many.dat", sPack).c_str());
            EXPECT_EQ(pack.names().getLength(), 4);
            for (const Item& item : items)
            {
                EXPECT_EQ(loadText(pack, item.sName.c_str()), item.sData)
                    << item.sName << " level " << nLevel;
                EXPECT_EQ(pack.getEntrySize(item.sName.c_str()), (int)item.sData.size());
            }
        }
    }
}

TEST(ResourceFile, EmptyEntryAndResourcesOutliveThePack)
{
    TempFolder tmp;
    MemStream* pOut = new MemStream();
    SmartPtr<Stream> pStream(pOut);
    SmartPtr<ResourceFileCompiler> pPack(new ResourceFileCompiler(pStream));
    pPack->begin();
    MemStream empty;
    // An empty stream still gets a complete (empty) zlib stream: 78 DA 03 00 00 00 00 01.
    EXPECT_EQ(pPack->addEntry(&empty, "Nothing.bin"), 8);
    MemStream abc("abc", 3);
    EXPECT_GT(pPack->addEntry(&abc, "abc.txt"), 0);
    pPack->finish();
    EXPECT_TRUE(pPack->getEntries().isEmpty()); // finish hands the records over and frees them
    const std::string sPack((const char*)pOut->getBuffer(), (size_t)pOut->size());
    EXPECT_EQ(sPack.substr(12, 8), bytes({0x78, 0xDA, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}));

    SmartPtr<Resource> pEmpty;
    SmartPtr<Resource> pAbc;
    {
        ResourceFile pack(tmp.writeFile("e.dat", sPack).c_str());
        EXPECT_EQ(pack.getEntrySize("nothing.bin"), 0);
        pEmpty = pack.load("NOTHING.BIN");
        pAbc = pack.load("abc.txt");
    }
    EXPECT_EQ(pEmpty->getSize(), 0);
    ASSERT_EQ(pAbc->getSize(), 3);
    EXPECT_EQ(memcmp(pAbc->getData(), "abc", 3), 0);
    EXPECT_TRUE(pAbc->ownsData());

    // A pack without entries is valid too: its index is 05 00 14 00.
    const std::string sNone = compilePack({});
    EXPECT_EQ(inflateBytes(sNone.substr(readInt32(sNone, 8, false))), bytes({5, 0, 0x14, 0}));
    ResourceFile none(tmp.writeFile("none.dat", sNone).c_str());
    EXPECT_TRUE(none.names().isEmpty());
}

TEST(ResourceFile, NamesDifferingOnlyInCaseKeepTheLaterEntry)
{
    TempFolder tmp;
    const std::string sPack =
        compilePack({{"Logo.PNG", "first"}, {"other", "o"}, {"logo.png", "second"}});
    ResourceFile pack(tmp.writeFile("case.dat", sPack).c_str());
    EXPECT_EQ(loadText(pack, "LOGO.png"), "second");
    EXPECT_EQ(pack.getEntrySize("logo.png"), 6);
    EXPECT_EQ(pack.names().getLength(), 2);
    std::unique_ptr<List<ResourceFileEntry*>> pList(pack.getEntryList());
    EXPECT_EQ(pList->getLength(), 2); // the earlier record is gone (and freed: ASan checks)
}

TEST(ResourceFile, MissingNameRaisesTheMissingKeyError)
{
    TempFolder tmp;
    ResourceFile pack(tmp.writeFile("m.dat", compilePack({{"here.txt", "x"}})).c_str());
    EXPECT_FALSE(pack.exists("Not/There.txt"));
    for (int nCall = 0; nCall < 2; ++nCall)
    {
        try
        {
            if (nCall == 0)
                pack.load("Not/There.txt");
            else
                pack.getEntrySize("Not/There.txt");
            ADD_FAILURE() << "no exception";
        }
        catch (const FatalErrorException& e)
        {
            EXPECT_STREQ(e.getMessage(), "Hash key not found : \"not/there.txt\"");
        }
    }
    EXPECT_EQ(loadText(pack, "HERE.TXT"), "x"); // the pack still works afterwards
}

TEST(ResourceFile, BadHeadersAreRefusedAndTheFileClosed)
{
    TempFolder tmp;
    const std::string sGood = compilePack({{"a", "b"}});
    auto withHeader = [&](uint32_t nWord, bool bBig)
    {
        std::string s = sGood;
        s.replace(4, 4, int32(nWord, bBig));
        if (bBig)
            s.replace(8, 4, int32(readInt32(sGood, 8, false), true));
        return s;
    };
    struct Case
    {
        const char* pszWhat;
        std::string sBytes;
        const char* pszClass;
        std::string sMessage;
    } cases[] = {
        {"not GRF", "GRX" + sGood.substr(3), "FatalErrorException",
         "ResourceFile::ResourceFile : bad header"},
        {"two bytes", "GR", "FatalErrorException", "ResourceFile::ResourceFile : bad header"},
        {"empty file", "", "FatalErrorException", "ResourceFile::ResourceFile : bad header"},
        {"version 2", withHeader(0x02465247, false), "FatalErrorException",
         "ResourceFile::ResourceFile : unknown format version 2"},
        {"version 2, other order", withHeader(0x02465247, true), "FatalErrorException",
         "ResourceFile::ResourceFile : unknown format version 2"},
        {"version -1", withHeader(0xFF465247, false), "FatalErrorException",
         "ResourceFile::ResourceFile : unknown format version -1"},
        // 11 22 33 01 matches in neither order; the message shows the reversed reading.
        {"bad header word", withHeader(0x01332211, false), "FatalErrorException",
         "ResourceFile::ResourceFile : bad stream format : 00465247, got 00223301"},
        {"header cut short", sGood.substr(0, 6), "FatalErrorException",
         "ResourceFile::ResourceFile : bad stream format : 00465247, got 00000000"},
        // 01 at offset 3 announces the legacy object-stream signature, which is not there.
        {"legacy signature", "GRF" + bytes({1}) + sGood.substr(4), "FatalErrorException",
         "Wrong ObjectStreamer signature"},
    };
    const int nDescriptors = openDescriptors();
    for (const Case& c : cases)
    {
        const auto error = openError(tmp.writeFile("bad.dat", c.sBytes));
        EXPECT_EQ(error.first, c.pszClass) << c.pszWhat;
        EXPECT_EQ(error.second, c.sMessage) << c.pszWhat;
        EXPECT_EQ(openDescriptors(), nDescriptors) << c.pszWhat << ": file left open";
    }
    const auto missing = openError(tmp.at("missing.dat"));
    EXPECT_EQ(missing.first, "FileAccessException");
    EXPECT_NE(missing.second.find("missing.dat"), std::string::npos);
}

TEST(ResourceFile, DamagedIndexNamesTheStepAndFreesWhatWasRead)
{
    TempFolder tmp;
    const std::string sRecord = handRecord("a", 12, 3, false);
    const std::string sHead = bytes({5, 0, 0x14});
    const uint32_t nIndexAt = (uint32_t)(12 + deflateBytes("abc").size());
    struct Case
    {
        const char* pszWhat;
        std::string sPack;
        const char* pszInner; // class and message of the wrapped exception
        int nStep;
        int nIndexOffset;
    } cases[] = {
        {"index offset beyond the file", packWithIndex(sHead + varint(0), true, 100000),
         "BadStreamFormatException : ResourceFile::ResourceFile : index offset outside the file", 0,
         100000},
        {"negative index offset", packWithIndex(sHead + varint(0), true, -5),
         "BadStreamFormatException : ResourceFile::ResourceFile : index offset outside the file", 0,
         -5},
        {"legacy signature in the index", packWithIndex(bytes({1, 2, 3}) + std::string(23, 'x')),
         "FatalErrorException : Wrong ObjectStreamer signature", 2, (int)nIndexAt},
        {"not a list", packWithIndex(bytes({5, 0, 0x13, 0})),
         "BadStreamFormatException : List::persistFrom : bad stream format\n", 3, (int)nIndexAt},
        {"list version 2", packWithIndex(bytes({5, 0, 0x24, 0})),
         "BadStreamFormatException : List::persistFrom : unknown format version\n", 3,
         (int)nIndexAt},
        {"index not deflated", packWithIndex(sHead + varint(0), false),
         "BadStreamFormatException : ZStream::read : the compressed data is damaged (incorrect "
         "header check)",
         2, (int)nIndexAt},
        {"bad record header",
         packWithIndex(sHead + varint(1) + bytes({0}) + int32(0, false) +
                       handRecord("a", 12, 3, false, 0x01464952)),
         "FatalErrorException : ResourceFileEntry::persistFrom : bad stream format : 00454952, "
         "got 00464952",
         3, (int)nIndexAt},
        {"record version 2",
         packWithIndex(sHead + varint(1) + bytes({0}) + int32(0, false) +
                       handRecord("a", 12, 3, false, 0x02454952)),
         "FatalErrorException : ResourceFileEntry::persistFrom : unknown format version 2", 3,
         (int)nIndexAt},
        // Two records read, then the data ends: the two are freed (ASan would report them).
        {"index cut short",
         packWithIndex(sHead + varint(3) + bytes({0}) + int32(0, false) + sRecord + bytes({0}) +
                       int32(1, false) + handRecord("b", 12, 3, false)),
         "BadStreamFormatException : ZStream::read : the compressed data ended after ", 3,
         (int)nIndexAt},
        // The index's own stream: cut, damaged, running on, followed by more bytes.
        {"index stream cut",
         [&]
         {
             const std::string s = packWithIndex(sHead + varint(1) + bytes({0}) + int32(0, false) +
                                                 sRecord);
             return s.substr(0, s.size() - 2);
         }(),
         "BadStreamFormatException : ZStream::", 3, (int)nIndexAt},
        {"index check fails",
         [&]
         {
             std::string s = packWithIndex(sHead + varint(1) + bytes({0}) + int32(0, false) +
                                           sRecord);
             s.back() ^= 0x80;
             return s;
         }(),
         "BadStreamFormatException : ZStream::checkEnd : the compressed data is damaged "
         "(incorrect data check)",
         3, (int)nIndexAt},
        {"index runs on",
         packWithIndex(sHead + varint(1) + bytes({0}) + int32(0, false) + sRecord + "more"),
         "BadStreamFormatException : ZStream::checkEnd : the compressed data runs on past ", 3,
         (int)nIndexAt},
        {"bytes after the index",
         packWithIndex(sHead + varint(1) + bytes({0}) + int32(0, false) + sRecord) + "tail",
         "BadStreamFormatException : ResourceFile::ResourceFile : 4 bytes after the index", 3,
         (int)nIndexAt},
        // Records that cannot lie in the file refuse the whole index.
        {"record size negative",
         packWithIndex(sHead + varint(1) + bytes({0}) + int32(0, false) +
                       handRecord("a", 12, (uint32_t)-1, false)),
         "BadStreamFormatException : ResourceFile::ResourceFile : entry 0 has the size -1", 3,
         (int)nIndexAt},
        {"record size beyond what its data holds",
         packWithIndex(sHead + varint(1) + bytes({0}) + int32(0, false) +
                       handRecord("a", 12, 0x7FFFFFFF, false)),
         "BadStreamFormatException : ResourceFile::ResourceFile : entry 0 claims 2147483647 bytes",
         3, (int)nIndexAt},
        {"record offset in the header",
         packWithIndex(sHead + varint(2) + bytes({0}) + int32(0, false) + sRecord + bytes({0}) +
                       int32(1, false) + handRecord("b", 0, 3, false)),
         "BadStreamFormatException : ResourceFile::ResourceFile : entry 1 starts at 0, outside "
         "the entries' data (12 to ",
         3, (int)nIndexAt},
        {"record offset in the index",
         packWithIndex(sHead + varint(1) + bytes({0}) + int32(0, false) +
                       handRecord("a", nIndexAt, 3, false)),
         "BadStreamFormatException : ResourceFile::ResourceFile : entry 0 starts at ", 3,
         (int)nIndexAt},
        {"record offset beyond the file",
         packWithIndex(sHead + varint(1) + bytes({0}) + int32(0, false) +
                       handRecord("a", 1000000, 3, false)),
         "BadStreamFormatException : ResourceFile::ResourceFile : entry 0 starts at 1000000", 3,
         (int)nIndexAt},
        {"record offset negative",
         packWithIndex(sHead + varint(1) + bytes({0}) + int32(0, false) +
                       handRecord("a", (uint32_t)-4, 3, false)),
         "BadStreamFormatException : ResourceFile::ResourceFile : entry 0 starts at -4", 3,
         (int)nIndexAt},
        {"record name not a string",
         packWithIndex(sHead + varint(1) + bytes({0}) + int32(0, false) + int32(0x01454952, false) +
                       bytes({0x13, 1, 'a'})),
         "BadStreamFormatException : ", 3, (int)nIndexAt},
        {"back-reference to an unread record",
         packWithIndex(sHead + varint(2) + bytes({0}) + int32(0, false) + sRecord + bytes({1}) +
                       int32(7, false)),
         "FatalErrorException : AlreadyLoaded failed", 3, (int)nIndexAt},
        {"record listed twice",
         packWithIndex(sHead + varint(2) + bytes({0}) + int32(0, false) + sRecord + bytes({1}) +
                       int32(0, false)),
         "BadStreamFormatException : ResourceFile::ResourceFile : index entry 1 repeats an earlier "
         "entry",
         3, (int)nIndexAt},
        {"null record",
         packWithIndex(sHead + varint(2) + bytes({0}) + int32(0, false) + sRecord + bytes({2})),
         "BadStreamFormatException : ResourceFile::ResourceFile : index entry 1 is null", 3,
         (int)nIndexAt},
    };
    const int nDescriptors = openDescriptors();
    for (const Case& c : cases)
    {
        const auto error = openError(tmp.writeFile("idx.dat", c.sPack));
        EXPECT_EQ(error.first, "FatalErrorException") << c.pszWhat;
        const std::string sPrefix =
            std::string("ResourceFile::ResourceFile : index is corrupt [") + c.pszInner;
        const std::string sSuffix = "] nDbgStep = " + std::to_string(c.nStep) +
                                    " nIdxOff = " + std::to_string(c.nIndexOffset);
        EXPECT_EQ(error.second.compare(0, sPrefix.size(), sPrefix), 0)
            << c.pszWhat << ": " << error.second;
        ASSERT_GE(error.second.size(), sSuffix.size()) << c.pszWhat;
        EXPECT_EQ(error.second.substr(error.second.size() - sSuffix.size()), sSuffix)
            << c.pszWhat << ": " << error.second;
        // The wrapped exception's source file and line: " at rir2/...(NN)]".
        EXPECT_NE(error.second.find(" at rir2/"), std::string::npos) << error.second;
        EXPECT_EQ(openDescriptors(), nDescriptors) << c.pszWhat << ": file left open";
    }
}

TEST(ResourceFile, DamagedEntriesFailTheLoadAssertion)
{
    TempFolder tmp;
    // The entries' data as the compiler writes it, damaged in place; the index is sound.
    const std::string sData = std::string(3000, 'q') + "end";
    const size_t nPacked = deflateBytes(sData).size();
    struct Case
    {
        const char* pszWhat;
        int64_t nOffset;
        int64_t nSize;
        std::function<void(std::string&)> damage;
        const char* pszReason;
        std::string sAfter = {};
        const char* pszData = nullptr; // the 3000 bytes above when null
    } cases[] = {
        {"size beyond the data", INT64_MIN, 3010, nullptr,
         "the compressed data ended after 3003 bytes"},
        {"size short of the data", INT64_MIN, 3000, nullptr,
         "the compressed data runs on past 3000 bytes"},
        {"offset into the middle of the data", 14, INT64_MIN, nullptr,
         "the compressed data is damaged"},
        {"check fails", INT64_MIN, INT64_MIN,
         [&](std::string& s) { s[12 + nPacked - 1] ^= 0x80; },
         "the compressed data is damaged (incorrect data check)"},
        {"bit 7 flipped inside the data", INT64_MIN, INT64_MIN,
         [&](std::string& s) { s[12 + nPacked / 2] ^= 0x80; }, "the compressed data is damaged"},
        {"not a zlib stream", INT64_MIN, INT64_MIN, [](std::string& s) { s[12] = 0; },
         "the compressed data is damaged (incorrect header check)"},
        // A whole stream with its check held, but stray bytes between it and the next one.
        {"a byte after the stream", INT64_MIN, INT64_MIN, nullptr,
         "bytes after the compressed data: 1", "/"},
        {"bytes after an empty entry's stream", INT64_MIN, INT64_MIN, nullptr,
         "bytes after the compressed data: 3", std::string(3, '\0'), ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        HandEntry entry{"r.bin", c.pszData ? c.pszData : sData, c.nOffset, c.nSize, c.sAfter};
        std::string sPack = handPack({entry, {"ok", "fine"}}, false);
        if (c.damage)
            c.damage(sPack);
        ResourceFile pack(tmp.writeFile("rec.dat", sPack).c_str());
        EXPECT_TRUE(pack.exists("r.bin"));
        try
        {
            pack.load("r.bin");
            ADD_FAILURE() << "no exception";
        }
        catch (const AssertFailException& e)
        {
            EXPECT_STREQ(e.getMessage(), "Assertion failed : nRead == nSize");
            // The reason is in the note of the load's trace entry.
            std::string sNote;
            const CallStackSnapshot& snapshot = e.getSnapshot();
            for (int i = 0; i < snapshot.getCount(); ++i)
                if (std::string(snapshot.getEntryName(i)) == "$ResourceFile::load") // noted
                    sNote = snapshot.getEntryNote(i);
            EXPECT_EQ(sNote.rfind(std::string("r.bin : ") + c.pszReason, 0), 0u) << sNote;
        }
        // One bad entry does not spoil the others.
        EXPECT_EQ(loadText(pack, "ok"), "fine");
    }
}

// A pack of a few pictures with bit 7 of one byte of an entry's compressed data flipped, for
// every byte of every entry: the damaged entry is refused, never read back wrong, and every
// other entry still reads exactly.
TEST(ResourceFile, EveryFlippedByteOfAnEntryIsRefused)
{
    TempFolder tmp;
    std::vector<Item> pictures;
    for (int i = 0; i < 3; ++i)
    {
        std::vector<uint8_t> bytes = sampleBytes(300 + 150 * (size_t)i, 20 + (unsigned)i);
        std::string sPicture = "\x89PNG\r\n\x1a\n" + std::string(bytes.begin(), bytes.end());
        pictures.push_back({"Pictures/Pic" + std::to_string(i) + ".png", sPicture});
    }
    const std::string sPack = compilePack(pictures);
    const uint32_t nIndexAt = readInt32(sPack, 8, false);
    int nRefusedBytes = 0;
    for (size_t nAt = 12; nAt < nIndexAt; ++nAt)
    {
        std::string sBad = sPack;
        sBad[nAt] ^= 0x80;
        ResourceFile pack(tmp.writeFile("pics.dat", sBad).c_str());
        int nRefused = 0;
        for (const Item& item : pictures)
        {
            try
            {
                EXPECT_EQ(loadText(pack, item.sName.c_str()), item.sData)
                    << item.sName << " read back wrong, byte " << nAt;
            }
            catch (const AssertFailException& e)
            {
                EXPECT_STREQ(e.getMessage(), "Assertion failed : nRead == nSize");
                ++nRefused;
            }
        }
        // The last byte of a deflate stream may end in padding bits that nothing reads.
        EXPECT_LE(nRefused, 1) << "byte " << nAt;
        nRefusedBytes += nRefused;
    }
    EXPECT_GE(nRefusedBytes, (int)(nIndexAt - 12) - 3) << "flipped bytes read back as good";
}

// A small pack cut at every length and with every bit flipped in turn: it either opens with all
// its names and sizes, each entry reading back exactly or refused, or it is refused whole.
TEST(ResourceFile, EveryTruncationAndBitFlipIsReadExactlyOrRefused)
{
    TempFolder tmp;
    const std::vector<Item> items = {{"a.txt", "howdy"}, {"Sub/B.bin", std::string(200, 'b')},
                                     {"empty", ""}};
    const std::string sPack = compilePack(items);
    const std::string sPath = tmp.at("small.dat");
    auto check = [&](const std::string& sBytes, const std::string& sWhat)
    {
        tmp.writeFile("small.dat", sBytes);
        std::unique_ptr<ResourceFile> pPack;
        try
        {
            pPack.reset(new ResourceFile(sPath.c_str()));
        }
        catch (const FatalErrorException&)
        {
            return false;
        }
        EXPECT_EQ(toVector(pPack->names()).size(), items.size()) << sWhat;
        for (const Item& item : items)
        {
            if (!pPack->exists(item.sName.c_str()))
            {
                ADD_FAILURE() << sWhat << ": " << item.sName << " lost";
                continue;
            }
            EXPECT_EQ(pPack->getEntrySize(item.sName.c_str()), (int)item.sData.size()) << sWhat;
            try
            {
                EXPECT_EQ(loadText(*pPack, item.sName.c_str()), item.sData) << sWhat;
            }
            catch (const AssertFailException&)
            {
            }
        }
        return true;
    };
    for (size_t nLength = 0; nLength < sPack.size(); ++nLength)
        EXPECT_FALSE(check(sPack.substr(0, nLength), "cut at " + std::to_string(nLength)))
            << "a pack cut at " << nLength << " opened";
    int nOpened = 0;
    for (size_t nBit = 0; nBit < sPack.size() * 8; ++nBit)
    {
        std::string sBad = sPack;
        sBad[nBit / 8] ^= (char)(1 << (nBit % 8));
        nOpened += check(sBad, "bit " + std::to_string(nBit)) ? 1 : 0;
    }
    EXPECT_GT(nOpened, 0) << "flips inside the entries' data leave the index whole";
}

TEST(ResourceFileCompiler, RefusedBytesNeverPassAsWritten)
{
    const std::vector<uint8_t> big = sampleBytes(150000, 3);
    auto build = [&](Stream* pStream)
    {
        SmartPtr<ResourceFileCompiler> pPack(new ResourceFileCompiler(SmartPtr<Stream>(pStream)));
        pPack->setCompressionLevel(0); // every byte of the big entry reaches the stream
        pPack->begin();
        MemStream small("hello", 5);
        pPack->addEntry(&small, "small.txt");
        MemStream data(big.data(), (int)big.size());
        pPack->addEntry(&data, "big.bin");
        pPack->finish();
    };
    int nFullSize = 0;
    {
        FillingStream* pRoomy = new FillingStream(INT_MAX);
        SmartPtr<Stream> pKeep(pRoomy);
        build(pRoomy);
        nFullSize = (int)pRoomy->data().size();
        // What the compiler wrote with room to spare is a valid pack.
        TempFolder tmp;
        ResourceFile pack(tmp.writeFile("full.dat", pRoomy->data()).c_str());
        EXPECT_EQ(loadText(pack, "small.txt"), "hello");
        EXPECT_EQ(pack.getEntrySize("big.bin"), (int)big.size());
    }
    // Run out of room in the magic, the header, each entry, the index and its last byte.
    for (int nLimit :
         {0, 2, 3, 4, 8, 11, 12, 20, 5000, 70000, 140000, nFullSize - 20, nFullSize - 1})
    {
        FillingStream* pStream = new FillingStream(nLimit);
        SmartPtr<Stream> pKeep(pStream);
        EXPECT_THROW(build(pStream), FatalErrorException) << "room for " << nLimit << " bytes";
    }
    // A header that does not fit fails at once, not at some later write.
    for (int nLimit : {0, 2, 3, 4, 8, 11})
    {
        SmartPtr<ResourceFileCompiler> pPack(
            new ResourceFileCompiler(SmartPtr<Stream>(new FillingStream(nLimit))));
        EXPECT_THROW(pPack->begin(), FatalErrorException) << "room for " << nLimit << " bytes";
    }
    FillingStream* pExact = new FillingStream(nFullSize);
    SmartPtr<Stream> pKeep(pExact);
    EXPECT_NO_THROW(build(pExact));
}

TEST(ResourceFileCompiler, FullDiskFailsLoudly)
{
    if (!fileExists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const std::vector<uint8_t> big = sampleBytes(300000, 5);
    for (bool bBig : {false, true})
    {
        File* pFile = new File("/dev/full", FOM_WRITE);
        SmartPtr<Stream> pStream(pFile);
        SmartPtr<ResourceFileCompiler> pPack(new ResourceFileCompiler(pStream));
        // A small pack sits in the file's buffer until the close; a big one fails on the way.
        EXPECT_THROW(
            {
                pPack->begin();
                MemStream data(big.data(), bBig ? (int)big.size() : 100);
                pPack->addEntry(&data, "data.bin");
                pPack->finish();
                pFile->close();
            },
            Exception)
            << (bBig ? "big" : "small");
    }
}

TEST(ResourceFileCompiler, DataThatRunsDryIsRefusedAndDropped)
{
    TempFolder tmp;
    MemStream* pOut = new MemStream();
    SmartPtr<Stream> pStream(pOut);
    SmartPtr<ResourceFileCompiler> pPack(new ResourceFileCompiler(pStream));
    pPack->begin();
    MemStream partial("abcdef", 6);
    partial.seek(4); // size() is 6, but only 2 bytes remain
    try
    {
        pPack->addEntry(&partial, "Part.bin");
        ADD_FAILURE() << "no exception";
    }
    catch (const FatalErrorException& e)
    {
        EXPECT_STREQ(
            e.getMessage(),
            "ResourceFileCompiler::addEntry : the data of Part.bin ended after 2 of 6 bytes");
    }
    EXPECT_TRUE(pPack->getEntries().isEmpty());
    // The compiler goes on; the dropped entry's bytes stay unreferenced in the pack.
    MemStream good("good", 4);
    pPack->addEntry(&good, "good.txt");
    pPack->finish();
    ResourceFile pack(
        tmp.writeFile("dry.dat", std::string((const char*)pOut->getBuffer(), (size_t)pOut->size()))
            .c_str());
    EXPECT_EQ(toVector(pack.names()), std::vector<std::string>{"good.txt"});
    EXPECT_EQ(loadText(pack, "good.txt"), "good");
}

TEST(ResourceFileCompiler, WritesThroughAFile)
{
    TempFolder tmp;
    const std::string sPath = tmp.at("file.dat");
    {
        File* pFile = new File(sPath.c_str(), FOM_WRITE);
        SmartPtr<ResourceFileCompiler> pPack(new ResourceFileCompiler(SmartPtr<Stream>(pFile)));
        pPack->begin();
        MemStream abc("abc", 3);
        pPack->addEntry(&abc, "Data/Hello.TXT");
        pPack->finish();
        pFile->close();
    }
    EXPECT_EQ(TempFolder::readFile(sPath), handPack({{"Data/Hello.TXT", "abc"}}, false));
    ResourceFile pack(sPath.c_str());
    EXPECT_EQ(loadText(pack, "data/hello.txt"), "abc");
}
