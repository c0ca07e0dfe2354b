// ZStream: round trips, agreement with plain zlib, positioning, damaged data and failures.
#include "rir2/exception.h"
#include "rir2/memstream.h"
#include "rir2/zstream.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace RIR;

namespace
{

// Half text-like, half random, so that both compressible runs and incompressible stretches
// (more than one 4096-byte block of compressed data) are exercised.
std::vector<uint8_t> sampleData(size_t n, unsigned nSeed)
{
    std::vector<uint8_t> data(n);
    std::mt19937 rng(nSeed);
    const char* pszWords = "the quick dusty wagon rolls past the saloon at noon ";
    const size_t nWords = strlen(pszWords);
    for (size_t i = 0; i < n; ++i)
        data[i] = (i / 8192) % 2 == 0 ? (uint8_t)pszWords[i % nWords] : (uint8_t)rng();
    return data;
}

// Compresses data through a ZStream writer over an owned MemStream, in pieces of nPiece bytes,
// and returns the bytes the writer left after its deletion.
std::vector<uint8_t> compress(const std::vector<uint8_t>& data, int nLevel, size_t nPiece)
{
    MemStream out;
    ZStream* pZ = new ZStream(&out, nLevel);
    for (size_t i = 0; i < data.size(); i += nPiece)
    {
        const size_t n = std::min(nPiece, data.size() - i);
        EXPECT_EQ(pZ->write((int)n, data.data() + i), (int)n);
    }
    EXPECT_EQ(pZ->tell(), (int)data.size());
    delete pZ;
    return std::vector<uint8_t>(out.getBuffer(), out.getBuffer() + out.size());
}

std::vector<uint8_t> zlibUncompress(const std::vector<uint8_t>& packed, size_t nExpected, int* pErr)
{
    std::vector<uint8_t> data(nExpected + 16);
    uLongf nLength = (uLongf)data.size();
    *pErr = uncompress(data.data(), &nLength, packed.data(), (uLong)packed.size());
    data.resize(nLength);
    return data;
}

// Reads everything a reader delivers, nPiece bytes per call, until a call delivers nothing.
std::vector<uint8_t> readAll(ZStream& z, int nPiece)
{
    std::vector<uint8_t> data;
    std::vector<uint8_t> piece((size_t)nPiece);
    for (;;)
    {
        const int nGot = z.read(nPiece, piece.data());
        if (nGot <= 0)
            break;
        data.insert(data.end(), piece.begin(), piece.begin() + nGot);
    }
    return data;
}

// A write-only stream that accepts at most m_nLimit bytes in all, then fewer than offered.
class LimitedStream : public Stream
{
public:
    explicit LimitedStream(int nLimit) : m_nLimit(nLimit) {}
    int read(int, void*) override { return 0; }
    int write(int n, const void*) override
    {
        const int nCount = std::min(n, m_nLimit - m_nAccepted);
        m_nAccepted += nCount;
        return nCount;
    }
    int tell() override { return m_nAccepted; }
    void seek(int) override {}
    int size() override { return m_nAccepted; }
    bool can(int nAccess) override { return (nAccess & SA_WRITE) == nAccess; }

    int m_nLimit;
    int m_nAccepted = 0;
};

// A stream that claims both directions.
class BothWaysStream : public LimitedStream
{
public:
    BothWaysStream() : LimitedStream(0) {}
    bool can(int) override { return true; }
};

// A stream whose deletion is observable.
class TrackedStream : public MemStream
{
public:
    explicit TrackedStream(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~TrackedStream() override { *m_pDeleted = true; }
    bool* m_pDeleted;
};

} // namespace

TEST(ZStream, RoundTripAtEveryLevelAgreesWithZlib)
{
    const std::vector<uint8_t> data = sampleData(70000, 7);
    for (int nLevel : {-1, 0, 1, 2, 6, 9})
    {
        SCOPED_TRACE(nLevel);
        const std::vector<uint8_t> packed = compress(data, nLevel, 1000);

        // Plain zlib reads the result.
        int nErr = 0;
        EXPECT_EQ(zlibUncompress(packed, data.size(), &nErr), data);
        EXPECT_EQ(nErr, Z_OK);

        // And so does a ZStream reader, whatever the size of the requests.
        for (int nPiece : {1, 333, 4096, 100000})
        {
            MemStream in(packed.data(), (int)packed.size());
            ZStream z(&in, nLevel);
            EXPECT_EQ(readAll(z, nPiece), data) << "pieces of " << nPiece;
            EXPECT_EQ(z.tell(), (int)data.size());
        }
    }
    // Level -1 is level 9, byte for byte, and the piece size does not change the output.
    EXPECT_EQ(compress(data, -1, 1000), compress(data, 9, 1000));
    EXPECT_EQ(compress(data, 9, 1000), compress(data, 9, 65536));
}

TEST(ZStream, ReadsWhatPlainZlibCompressed)
{
    const std::vector<uint8_t> data = sampleData(20000, 3);
    std::vector<uint8_t> packed(compressBound((uLong)data.size()));
    uLongf nPacked = (uLongf)packed.size();
    ASSERT_EQ(compress2(packed.data(), &nPacked, data.data(), (uLong)data.size(), 5), Z_OK);
    packed.resize(nPacked);
    MemStream in(packed.data(), (int)packed.size());
    ZStream z(&in, 0);
    EXPECT_EQ(readAll(z, 512), data);
}

TEST(ZStream, DataIsCompleteOnlyAfterDeletion)
{
    MemStream out;
    ZStream* pZ = new ZStream(&out, 9);
    EXPECT_EQ(pZ->write(3, "abc"), 3);
    std::vector<uint8_t> early(out.getBuffer(), out.getBuffer() + out.size());
    int nErr = 0;
    zlibUncompress(early, 3, &nErr);
    EXPECT_NE(nErr, Z_OK);
    delete pZ;

    std::vector<uint8_t> packed(out.getBuffer(), out.getBuffer() + out.size());
    EXPECT_EQ(zlibUncompress(packed, 3, &nErr), (std::vector<uint8_t>{'a', 'b', 'c'}));
    EXPECT_EQ(nErr, Z_OK);

    MemStream* pIn = out.createReader();
    ZStream reader(pIn, 9);
    reader.setOwnsStream(true);
    char ac[10] = {};
    EXPECT_EQ(reader.read(10, ac), 3);
    EXPECT_EQ(memcmp(ac, "abc", 3), 0);
    EXPECT_EQ(reader.read(10, ac), 0);
    EXPECT_EQ(reader.tell(), 3);
    EXPECT_EQ(reader.size(), (int)packed.size()); // the compressed size
    EXPECT_TRUE(reader.can(SA_READ));
    EXPECT_FALSE(reader.can(SA_WRITE));
    // Each ZStream works in its one direction only.
    EXPECT_EQ(reader.write(3, "xyz"), 0);
    ZStream writer(&out, 9);
    EXPECT_EQ(writer.read(3, ac), 0);
}

TEST(ZStream, FinishTwiceAddsNothing)
{
    MemStream out;
    {
        ZStream z(&out, 2);
        z.writeText("hello hello hello");
        EXPECT_TRUE(z.can(SA_WRITE));
        z.finish();
        const int nSize = out.size();
        z.finish();
        EXPECT_EQ(out.size(), nSize);
    }
    std::vector<uint8_t> packed(out.getBuffer(), out.getBuffer() + out.size());
    int nErr = 0;
    EXPECT_EQ(zlibUncompress(packed, 17, &nErr).size(), 17u);
    EXPECT_EQ(nErr, Z_OK);
}

TEST(ZStream, ReaderLeavesInnerStreamJustAfterTheCompressedData)
{
    const std::string sTrailer = "TRAILING BYTES";
    for (size_t nSize : {(size_t)10, (size_t)5000, (size_t)40000})
    {
        SCOPED_TRACE(nSize);
        const std::vector<uint8_t> data = sampleData(nSize, 11);
        std::vector<uint8_t> file = {'H', 'D', 'R'};
        const std::vector<uint8_t> packed = compress(data, 9, 4096);
        file.insert(file.end(), packed.begin(), packed.end());
        file.insert(file.end(), sTrailer.begin(), sTrailer.end());

        MemStream in(file.data(), (int)file.size());
        in.seek(3);
        ZStream* pZ = new ZStream(&in, 9);
        EXPECT_EQ(readAll(*pZ, 1024), data);
        delete pZ;
        EXPECT_EQ(in.tell(), 3 + (int)packed.size());
        char ac[32] = {};
        EXPECT_EQ(in.read((int)sTrailer.size(), ac), (int)sTrailer.size());
        EXPECT_EQ(std::string(ac), sTrailer);
    }
}

TEST(ZStream, CutDataReturnsZeroWhenTheInnerStreamRunsDry)
{
    const std::vector<uint8_t> data = sampleData(30000, 5);
    const std::vector<uint8_t> packed = compress(data, 9, 4096);
    const int nCut = (int)packed.size() / 2;
    MemStream in(packed.data(), nCut);
    ZStream z(&in, 9);
    std::vector<uint8_t> buffer(data.size());
    // The request during which the inner stream runs dry delivers nothing at all.
    EXPECT_EQ(z.read((int)buffer.size(), buffer.data()), 0);
    EXPECT_EQ(z.tell(), 0);
    EXPECT_EQ(z.read(10, buffer.data()), 0);
}

TEST(ZStream, CorruptDataShowsAsShortCounts)
{
    const std::vector<uint8_t> data = sampleData(30000, 9);
    const std::vector<uint8_t> packed = compress(data, 6, 4096);
    struct Case
    {
        const char* pszName;
        size_t nOffset;
    };
    const Case aCases[] = {
        {"header", 0}, {"middle", packed.size() / 3}, {"checksum", packed.size() - 2}};
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        std::vector<uint8_t> bad = packed;
        for (size_t i = c.nOffset; i < c.nOffset + 2 && i < bad.size(); ++i)
            bad[i] ^= 0x5A;
        MemStream in(bad.data(), (int)bad.size());
        ZStream z(&in, 9);
        std::vector<uint8_t> buffer(data.size() + 100);
        const int nGot = z.read((int)buffer.size(), buffer.data());
        EXPECT_LT(nGot, (int)buffer.size());
        EXPECT_LE(nGot, (int)data.size());
        // Once broken, further requests deliver nothing and do not hang.
        EXPECT_EQ(z.read(100, buffer.data()), 0);
    }
    // Bytes that are not a zlib stream at all.
    const char* pszJunk = "this is not compressed data at all";
    MemStream junk(pszJunk, (int)strlen(pszJunk));
    ZStream z(&junk, 9);
    char ac[64];
    EXPECT_EQ(z.read(64, ac), 0);
}

TEST(ZStream, ConstructionErrors)
{
    MemStream owned;
    const uint8_t abData[] = {0x78, 0x9C};
    MemStream view(abData, 2);
    BothWaysStream both;
    struct Case
    {
        const char* pszName;
        Stream* pInner;
        int nLevel;
        const char* pszClass;
        const char* pszMessage;
    };
    const Case aCases[] = {
        {"null inner", nullptr, 9, "AssertFailException", "Assertion failed : m_pStream"},
        {"both ways", &both, 9, "FatalErrorException",
         "RIR::ZStream : Bidirectional streams not supported"},
        {"writer level 10", &owned, 10, "AssertFailException", "Assertion failed : nLevel <= 9"},
        {"writer level -2", &owned, -2, "AssertFailException", "Assertion failed : nLevel >= 0"},
        {"reader level 10", &view, 10, "AssertFailException", "Assertion failed : nLevel <= 9"},
        {"reader level -2", &view, -2, "AssertFailException", "Assertion failed : nLevel >= 0"},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        try
        {
            ZStream z(c.pInner, c.nLevel);
            ADD_FAILURE() << "constructed";
        }
        catch (const Exception& e)
        {
            EXPECT_STREQ(e.getClassName(), c.pszClass);
            EXPECT_STREQ(e.getMessage(), c.pszMessage);
        }
    }
    EXPECT_EQ(owned.size(), 0);
}

TEST(ZStream, SeekIsRefusedAndTellCountsUncompressedBytes)
{
    MemStream out;
    ZStream z(&out, 9);
    EXPECT_EQ(z.write(5, "12345"), 5);
    EXPECT_EQ(z.write(7, "6789012"), 7);
    EXPECT_EQ(z.write(0, "x"), 0);
    EXPECT_EQ(z.tell(), 12);
    try
    {
        z.seek(0);
        ADD_FAILURE() << "seek was accepted";
    }
    catch (const FatalErrorException& e)
    {
        EXPECT_STREQ(e.getMessage(), "RIR::ZStream : Positioning not implemented");
    }
    EXPECT_EQ(z.getStream(), &out);
}

TEST(ZStream, ShortWriteOfTheInnerStreamRaises)
{
    // Incompressible data fills whole blocks during write.
    std::vector<uint8_t> noise(128 * 1024);
    std::mt19937 rng(1);
    for (uint8_t& b : noise)
        b = (uint8_t)rng();
    {
        LimitedStream inner(5000);
        ZStream z(&inner, 1);
        try
        {
            for (size_t i = 0; i < noise.size(); i += 8192)
                z.write(8192, noise.data() + i);
            ADD_FAILURE() << "the short write went unnoticed";
        }
        catch (const FatalErrorException& e)
        {
            EXPECT_NE(strstr(e.getMessage(), "ZStream::write : inner stream accepted"), nullptr)
                << e.getMessage();
        }
        // Deleting the broken writer raises nothing.
    }
    // A few bytes stay inside deflate until finish, which meets the refusal there.
    {
        LimitedStream inner(4);
        ZStream z(&inner, 9);
        EXPECT_EQ(z.write(3, "abc"), 3);
        try
        {
            z.finish();
            ADD_FAILURE() << "the short write went unnoticed";
        }
        catch (const FatalErrorException& e)
        {
            EXPECT_NE(strstr(e.getMessage(), "ZStream::finish : inner stream accepted"), nullptr)
                << e.getMessage();
        }
    }
    // The destructor's own finish cannot raise; it must not crash either.
    {
        LimitedStream* pInner = new LimitedStream(2);
        ZStream* pZ = new ZStream(pInner, 9);
        pZ->setOwnsStream(true);
        pZ->write(3, "abc");
        delete pZ;
    }
}

TEST(ZStream, OwnedInnerStreamIsDeletedWithTheZStream)
{
    bool bDeleted = false;
    ZStream* pZ = new ZStream(new TrackedStream(&bDeleted), 9);
    pZ->setOwnsStream(true);
    pZ->writeText("abc");
    EXPECT_FALSE(bDeleted);
    delete pZ;
    EXPECT_TRUE(bDeleted);

    bDeleted = false;
    TrackedStream* pKept = new TrackedStream(&bDeleted);
    delete new ZStream(pKept, 9);
    EXPECT_FALSE(bDeleted);
    EXPECT_GT(pKept->size(), 0);
    delete pKept;
}

TEST(ZStream, TypedValuesThroughAReversedOrderStream)
{
    MemStream out;
    {
        ZStream z(&out, 9);
        z.setNativeOrder(false);
        z.writeInt32(0x01020304);
        z.writeVarInt(-1);
        z.writeDouble(0.5);
    }
    MemStream* pIn = out.createReader();
    ZStream z(pIn, 9);
    z.setOwnsStream(true);
    uint8_t ab[4];
    ASSERT_EQ(z.read(4, ab), 4);
    EXPECT_EQ(ab[0], 0x01);
    EXPECT_EQ(ab[3], 0x04);
    EXPECT_EQ(z.readVarInt(), -1);
    EXPECT_EQ(z.readDouble(), 0.5);
}

// How a reader's data ended: a complete stream whose check held, cut short, damaged, ending
// before the reader is done, or running on past it. The plain reader reports the state; an
// exact reader and checkEnd raise with the reason.
TEST(ZStream, ReaderKnowsHowItsDataEnded)
{
    const std::vector<uint8_t> data = sampleData(20000, 13);
    const std::vector<uint8_t> packed = compress(data, 9, 4096);
    ASSERT_GT(packed.size(), 4u);
    std::vector<uint8_t> badCheck = packed;
    badCheck[packed.size() - 1] ^= 0x80; // the last byte of the Adler-32 trailer
    std::vector<uint8_t> badData = packed;
    badData[packed.size() / 2] ^= 0x80;
    const std::vector<uint8_t> cut(packed.begin(), packed.end() - 3);
    struct Case
    {
        const char* pszName;
        std::vector<uint8_t> bytes;
        int nRead;             // bytes asked for by one read
        int nState;            // the read state after it
        const char* pszReason; // what an exact read or checkEnd says ("" when all is well)
    };
    const Case aCases[] = {
        {"complete", packed, (int)data.size(), ZSR_ENDED, ""},
        {"trailer check fails", badCheck, (int)data.size(), ZSR_DAMAGED,
         "the compressed data is damaged (incorrect data check)"},
        {"cut in the trailer", cut, (int)data.size() + 1, ZSR_CUT,
         "the compressed data is cut short"},
        {"ends before the reader is done", packed, (int)data.size() + 1, ZSR_ENDED,
         "the compressed data ended after 20000 bytes"},
        {"runs on past the expected end", packed, (int)data.size() - 1, ZSR_RUNNING,
         "the compressed data runs on past 19999 bytes"},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        std::vector<uint8_t> buffer(data.size() + 1);
        {
            MemStream in(c.bytes.data(), (int)c.bytes.size());
            ZStream z(&in, 9);
            z.read(c.nRead, buffer.data());
            EXPECT_EQ(z.getReadState(), c.nState);
            if (*c.pszReason == 0)
            {
                EXPECT_NO_THROW(z.checkEnd());
                EXPECT_EQ(z.getCompressedCount(), (int)packed.size());
            }
            else if (c.nState != ZSR_RUNNING)
            {
                EXPECT_EQ(std::string(z.describeReadState().c_str()), c.pszReason);
            }
        }
        // An exact reader, or the end check after a plain read, raises with the reason.
        MemStream in(c.bytes.data(), (int)c.bytes.size());
        ZStream z(&in, 9);
        z.setExactReads(true);
        try
        {
            z.read(c.nRead, buffer.data());
            z.checkEnd();
            EXPECT_STREQ(c.pszReason, "") << "accepted";
        }
        catch (const BadStreamFormatException& e)
        {
            const std::string sMessage = e.getMessage();
            EXPECT_NE(sMessage.find(std::string(" : ") + c.pszReason), std::string::npos)
                << sMessage;
            EXPECT_TRUE(sMessage.rfind("ZStream::read : ", 0) == 0 ||
                        sMessage.rfind("ZStream::checkEnd : ", 0) == 0)
                << sMessage;
        }
    }
}

// Every typed read through an exact reader is whole or an error: never a quiet 0 or "".
TEST(ZStream, ExactReaderRaisesOnShortTypedReads)
{
    MemStream out;
    {
        ZStream z(&out, 9);
        z.writeInt32(7);
        z.writeString("howdy");
    }
    std::vector<uint8_t> packed(out.getBuffer(), out.getBuffer() + out.size());
    MemStream in(packed.data(), (int)packed.size());
    ZStream z(&in, 9);
    z.setExactReads(true);
    EXPECT_EQ(z.readInt32(), 7);
    EXPECT_STREQ(z.readString().c_str(), "howdy");
    EXPECT_THROW(z.readInt32(), BadStreamFormatException);
    EXPECT_THROW(z.readByte(), BadStreamFormatException);
}
