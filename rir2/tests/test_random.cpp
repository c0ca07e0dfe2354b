#include "rir2/random.h"

#include "rir2/exception.h"
#include "rir2/list.h"
#include "rir2/rirstring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <ctime>
#include <random>
#include <vector>

using RIR::Random;

namespace
{

// The published reference generator, written out plainly: init_genrand, init_by_array and
// genrand_int32 over a 624-word array.
class ReferenceMT
{
public:
    void initGenrand(uint32_t s)
    {
        mt[0] = s;
        for (mti = 1; mti < N; mti++)
            mt[mti] = 1812433253u * (mt[mti - 1] ^ (mt[mti - 1] >> 30)) + (uint32_t)mti;
    }

    void initByArray(const uint32_t* key, int keyLength)
    {
        initGenrand(19650218u);
        int i = 1, j = 0;
        int k = (N > keyLength ? N : keyLength);
        for (; k; k--)
        {
            mt[i] = (mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1664525u)) + key[j] + (uint32_t)j;
            i++;
            j++;
            if (i >= N)
            {
                mt[0] = mt[N - 1];
                i = 1;
            }
            if (j >= keyLength)
                j = 0;
        }
        for (k = N - 1; k; k--)
        {
            mt[i] = (mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1566083941u)) - (uint32_t)i;
            i++;
            if (i >= N)
            {
                mt[0] = mt[N - 1];
                i = 1;
            }
        }
        mt[0] = 0x80000000u;
    }

    uint32_t genrandInt32()
    {
        static const uint32_t mag01[2] = {0u, 0x9908B0DFu};
        uint32_t y;
        if (mti >= N)
        {
            int kk;
            for (kk = 0; kk < N - M; kk++)
            {
                y = (mt[kk] & 0x80000000u) | (mt[kk + 1] & 0x7FFFFFFFu);
                mt[kk] = mt[kk + M] ^ (y >> 1) ^ mag01[y & 1u];
            }
            for (; kk < N - 1; kk++)
            {
                y = (mt[kk] & 0x80000000u) | (mt[kk + 1] & 0x7FFFFFFFu);
                mt[kk] = mt[kk + (M - N)] ^ (y >> 1) ^ mag01[y & 1u];
            }
            y = (mt[N - 1] & 0x80000000u) | (mt[0] & 0x7FFFFFFFu);
            mt[N - 1] = mt[M - 1] ^ (y >> 1) ^ mag01[y & 1u];
            mti = 0;
        }
        y = mt[mti++];
        y ^= (y >> 11);
        y ^= (y << 7) & 0x9D2C5680u;
        y ^= (y << 15) & 0xEFC60000u;
        y ^= (y >> 18);
        return y;
    }

private:
    static const int N = 624;
    static const int M = 397;
    uint32_t mt[N];
    int mti = N + 1;
};

} // namespace

TEST(Random, SeedMatchesStdMt19937)
{
    const uint32_t aSeeds[] = {5489u, 0u, 1u, 12345u, 0xFFFFFFFFu, 0x80000000u};
    for (uint32_t nSeed : aSeeds)
    {
        Random rnd;
        rnd.seed(nSeed);
        std::mt19937 ref(nSeed);
        // Three regenerations of the state.
        for (int i = 0; i < 2000; ++i)
            ASSERT_EQ(ref(), rnd.next32()) << "seed " << nSeed << ", output " << i;
    }

    Random rnd;
    rnd.seed(5489u);
    EXPECT_EQ(3499211612u, rnd.next32());
    // The 10000th output of the default seed, as the C++ standard fixes it for std::mt19937.
    rnd.seed(5489u);
    for (int i = 1; i < 10000; ++i)
        rnd.next32();
    EXPECT_EQ(4123659995u, rnd.next32());
}

TEST(Random, ReseedingRestartsTheSequence)
{
    Random rnd;
    rnd.seed(42u);
    std::vector<unsigned> first;
    for (int i = 0; i < 700; ++i)
        first.push_back(rnd.next32());
    rnd.seed(42u);
    for (int i = 0; i < 700; ++i)
        ASSERT_EQ(first[i], rnd.next32()) << i;
}

TEST(Random, SeedArrayMatchesTheReferenceInitialisation)
{
    // The published test vector of init_by_array({0x123, 0x234, 0x345, 0x456}).
    {
        const unsigned aKey[] = {0x123, 0x234, 0x345, 0x456};
        Random rnd;
        rnd.seedArray(aKey, 4);
        const uint32_t aExpected[] = {1067595299u, 955945823u, 477289528u, 4107218783u,
                                      4228976476u};
        for (uint32_t n : aExpected)
            EXPECT_EQ(n, rnd.next32());
    }

    // Keys shorter and longer than the state (the first loop runs max(624, length) times).
    std::vector<unsigned> keyLong(1000);
    for (size_t i = 0; i < keyLong.size(); ++i)
        keyLong[i] = (unsigned)(i * 2654435761u);
    const std::vector<std::vector<unsigned>> aKeys = {
        {0u}, {0xFFFFFFFFu}, {1u, 2u, 3u}, std::vector<unsigned>(624, 7u), keyLong};
    for (const std::vector<unsigned>& key : aKeys)
    {
        Random rnd;
        rnd.seedArray(key.data(), (int)key.size());
        ReferenceMT ref;
        ref.initByArray(key.data(), (int)key.size());
        for (int i = 0; i < 1300; ++i)
            ASSERT_EQ(ref.genrandInt32(), rnd.next32())
                << "key length " << key.size() << ", output " << i;
    }
}

TEST(Random, SeedArrayWithoutKeySeedsWithTheFixedWord)
{
    Random expected;
    expected.seed(19650218u);
    const unsigned nFirst = expected.next32();

    Random rnd;
    rnd.seedArray(nullptr, 0);
    EXPECT_EQ(nFirst, rnd.next32());
    rnd.seedArray(nullptr, -3);
    EXPECT_EQ(nFirst, rnd.next32());
}

TEST(Random, DefaultConstructorSeedsFromTheClock)
{
    const uint32_t nBefore = (uint32_t)std::time(nullptr);
    Random rnd;
    const uint32_t nAfter = (uint32_t)std::time(nullptr);
    const unsigned nGot = rnd.next32();

    std::vector<unsigned> candidates;
    for (uint32_t t = nBefore; t <= nAfter; ++t)
    {
        Random r;
        r.seed(t);
        candidates.push_back(r.next32());
    }
    EXPECT_NE(candidates.end(), std::find(candidates.begin(), candidates.end(), nGot));
}

TEST(Random, NextDoubleIsTheOutputOver2To32)
{
    Random a, b;
    a.seed(7u);
    b.seed(7u);
    for (int i = 0; i < 5000; ++i)
    {
        const double d = a.nextDouble();
        const unsigned u = b.next32();
        ASSERT_EQ((double)u, d * 4294967296.0) << i; // all 32 bits, exactly
        ASSERT_LT(d, 1.0);
        ASSERT_GE(d, 0.0);
    }
}

TEST(Random, ChanceIsTheTopBitClear)
{
    Random a, b;
    a.seed(99u);
    b.seed(99u);
    int nTrue = 0;
    for (int i = 0; i < 4000; ++i)
    {
        const bool bChance = a.chance();
        ASSERT_EQ((b.next32() & 0x80000000u) == 0, bChance) << i;
        nTrue += bChance ? 1 : 0;
    }
    EXPECT_GT(nTrue, 1800);
    EXPECT_LT(nTrue, 2200);
}

TEST(Random, RangeMapsOutputsUniformlyOntoTheInterval)
{
    struct Case
    {
        int a, b;
    };
    const Case aCases[] = {{0, 1},
                           {-5, 5},
                           {3, 3},
                           {0, 99},
                           {-1000000, 1000000},
                           {INT_MIN, INT_MAX},
                           {INT_MAX - 2, INT_MAX},
                           {INT_MIN, INT_MIN + 2}};
    for (const Case& c : aCases)
    {
        Random a, b;
        a.seed(2024u);
        b.seed(2024u);
        const uint64_t nSpan = (uint64_t)((int64_t)c.b - c.a + 1);
        for (int i = 0; i < 2000; ++i)
        {
            // floor(u * span / 2^32), done in integers.
            const int64_t nExpected =
                (int64_t)c.a + (int64_t)(((uint64_t)b.next32() * nSpan) >> 32);
            ASSERT_EQ(nExpected, a.range(c.a, c.b)) << c.a << ".." << c.b << ", draw " << i;
        }
    }
}

TEST(Random, RangeBoundaries)
{
    Random rnd;
    rnd.seed(1u);
    int anCount[2] = {0, 0};
    std::vector<int> seen(11, 0);
    for (int i = 0; i < 10000; ++i)
    {
        ASSERT_EQ(3, rnd.range(3, 3));
        ASSERT_EQ(1, rnd.range(5, 1)); // b < a: always b
        ASSERT_EQ(-7, rnd.range(-6, -7));
        ASSERT_EQ(INT_MIN, rnd.range(INT_MAX, INT_MIN));
        const int n = rnd.range(0, 1);
        ASSERT_TRUE(n == 0 || n == 1);
        ++anCount[n];
        const int m = rnd.range(-5, 5);
        ASSERT_GE(m, -5);
        ASSERT_LE(m, 5);
        ++seen[m + 5];
    }
    EXPECT_GT(anCount[0], 4700);
    EXPECT_GT(anCount[1], 4700);
    for (int nCount : seen)
        EXPECT_GT(nCount, 700); // every value of [-5, 5] is reached, about 909 times each
}

TEST(Random, RangeRealBoundaries)
{
    Random rnd;
    rnd.seed(3u);
    Random twin;
    twin.seed(3u);
    for (int i = 0; i < 10000; ++i)
    {
        ASSERT_EQ(2.0, rnd.rangeReal(2.0, 2.0));
        twin.next32();
        const double dUp = rnd.rangeReal(0.0, 1.0);
        ASSERT_EQ(twin.nextDouble(), dUp);
        ASSERT_GE(dUp, 0.0);
        ASSERT_LT(dUp, 1.0);
        const double dDown = rnd.rangeReal(1.0, 0.0); // reversed: (0, 1]
        twin.next32();
        ASSERT_GT(dDown, 0.0);
        ASSERT_LE(dDown, 1.0);
        const double dWide = rnd.rangeReal(-10.0, 30.0);
        twin.next32();
        ASSERT_GE(dWide, -10.0);
        ASSERT_LT(dWide, 30.0);
    }
}

TEST(Random, RandomElementPicksEveryElement)
{
    RIR::List<int> lNumbers;
    for (int i = 0; i < 10; ++i)
        lNumbers.append(i * 10);
    std::vector<int> seen(10, 0);
    for (int i = 0; i < 5000; ++i)
    {
        const int n = RIR::randomElement(lNumbers);
        ASSERT_EQ(0, n % 10);
        ASSERT_GE(n, 0);
        ASSERT_LT(n, 100);
        ++seen[n / 10];
    }
    for (int nCount : seen)
        EXPECT_GT(nCount, 350);

    RIR::List<RIR::String> lOne;
    lOne.append(RIR::String("only"));
    for (int i = 0; i < 20; ++i)
        EXPECT_STREQ("only", RIR::randomElement(lOne).c_str());
}

TEST(Random, RandomElementOfAnEmptyListRaisesTheListError)
{
    const RIR::List<int> lEmpty;
    try
    {
        RIR::randomElement(lEmpty);
        FAIL() << "no exception";
    }
    catch (const RIR::FatalErrorException& e)
    {
        EXPECT_STREQ("List index out of range : -1 (have 0)", e.getMessage());
    }
}
