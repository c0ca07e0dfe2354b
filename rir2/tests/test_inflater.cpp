// Inflater: whole streams into buffers of known size, accepted only when they end exactly there
// with their check held; one state serves many streams.
#include "rir2/inflater.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

using namespace RIR;

namespace
{

std::string deflated(const std::string& sPlain)
{
    uLongf nOut = compressBound((uLong)sPlain.size());
    std::string sOut(nOut, '\0');
    EXPECT_EQ(compress2((Bytef*)&sOut[0], &nOut, (const Bytef*)sPlain.data(),
                        (uLong)sPlain.size(), 9),
              Z_OK);
    sOut.resize(nOut);
    return sOut;
}

std::string sample(size_t n, unsigned nSeed)
{
    std::mt19937 rng(nSeed);
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = (i / 3000) % 2 == 0 ? "saloon doors swing "[i % 19] : (char)rng();
    return s;
}

} // namespace

TEST(Inflater, AcceptsOnlyAStreamThatEndsExactlyWithItsCheck)
{
    const std::string sPlain = sample(20000, 3);
    const std::string sPacked = deflated(sPlain);
    std::string sBadCheck = sPacked;
    sBadCheck.back() ^= 0x80;
    std::string sFlipped = sPacked;
    sFlipped[sPacked.size() / 2] ^= 0x80;
    struct Case
    {
        const char* pszName;
        std::string sIn;
        int nOut;
        const char* pszReason; // "" when accepted
    };
    const Case aCases[] = {
        {"whole stream", sPacked, 20000, ""},
        {"whole stream with the next entry after it", sPacked + deflated("next"), 20000, ""},
        {"empty stream", deflated(""), 0, ""},
        {"check fails", sBadCheck, 20000, "the compressed data is damaged (incorrect data check)"},
        {"cut before the end", sPacked.substr(0, sPacked.size() - 1), 20000,
         "the compressed data is cut short"},
        {"cut in the data", sPacked.substr(0, sPacked.size() / 2), 20000,
         "the compressed data is cut short"},
        {"ends before the size", sPacked, 20001, "the compressed data ended after 20000 bytes"},
        {"runs on past the size", sPacked, 19999, "the compressed data runs on past 19999 bytes"},
        {"nothing at all", "", 10, "the compressed data is cut short"},
        {"not zlib", "GRF plain text", 10, "the compressed data is damaged (incorrect header check)"},
    };
    Inflater inflater;
    for (int nRound = 0; nRound < 2; ++nRound) // the same state, again and again
        for (const Case& c : aCases)
        {
            SCOPED_TRACE(c.pszName);
            std::string sOut((size_t)c.nOut + 1, '\0');
            const bool bOk = inflater.inflateExact(c.sIn.data(), (int)c.sIn.size(), &sOut[0],
                                                   c.nOut);
            EXPECT_EQ(bOk, *c.pszReason == 0);
            EXPECT_STREQ(inflater.getReason().c_str(), c.pszReason);
            if (bOk)
            {
                EXPECT_EQ(sOut.substr(0, (size_t)c.nOut), sPlain.substr(0, (size_t)c.nOut));
            }
        }
    // A flipped bit inside the data is never accepted.
    std::string sOut(sPlain.size(), '\0');
    EXPECT_FALSE(inflater.inflateExact(sFlipped.data(), (int)sFlipped.size(), &sOut[0],
                                       (int)sOut.size()));
    EXPECT_TRUE(inflater.inflateExact(sPacked.data(), (int)sPacked.size(), &sOut[0],
                                      (int)sOut.size()));
    EXPECT_EQ(inflater.getConsumed(), (int)sPacked.size());
}
