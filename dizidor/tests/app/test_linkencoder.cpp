// The link-text encoder: known vectors, round trips of every byte value, and decoding of texts
// that are short, cut or hold characters outside the alphabet.
#include "app/linkencoder.h"

#include "rir2/memstream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{

// The bytes decode64 gives for pszText.
std::vector<unsigned char> decoded(const char* pszText)
{
    std::unique_ptr<RIR::MemStream> pStream(decode64(pszText));
    EXPECT_EQ(pStream->size(), pStream->tell()) << "positioned after the last byte";
    const unsigned char* pBytes = pStream->getBuffer();
    return std::vector<unsigned char>(pBytes, pBytes + pStream->size());
}

std::string encoded(const std::string& sBytes)
{
    return encode64((const unsigned char*)sBytes.data(), (int)sBytes.size()).c_str();
}

} // namespace

TEST(LinkEncoder, AlphabetHasSixtyFourDistinctQuerySafeCharacters)
{
    const std::string sAlphabet = LINK_TEXT_ALPHABET;
    ASSERT_EQ(64u, sAlphabet.size());
    EXPECT_EQ(64u, std::set<char>(sAlphabet.begin(), sAlphabet.end()).size());
    EXPECT_EQ(std::string::npos, sAlphabet.find_first_of("+/=?&%# "));
    EXPECT_EQ('Q', sAlphabet[0]);
    EXPECT_EQ('v', sAlphabet[48]);
    EXPECT_EQ('-', sAlphabet[63]);
}

TEST(LinkEncoder, EncodeVectors)
{
    struct Case
    {
        std::string sBytes;
        const char* pszText;
    };
    const Case aCases[] = {
        {std::string(), ""},
        {std::string(1, '\0'), "QQQQ"},
        {std::string(3, '\0'), "QQQQ"},
        {"\xff", "-vQQ"},
        {"\xff\xff\xff", "----"},
        {"\xfb\xff\xbf", "_-_-"},
        {"M", "ZjQQ"},
        {"Ma", "ZVTQ"},
        {"Man", "ZVYx"},
        {"Many", "ZVYxtjQQ"},
        {"hello world", "qUCAwU2ur81nwUjQ"},
        {std::string("\x00\x01\x02\x03\x04\x05\x06\x07\x08\t\n\x0b", 12), "QQTEQvjYWueOEjGs"},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszText);
        EXPECT_EQ(c.pszText, encoded(c.sBytes));
    }
    // Lengths of 0 or less give nothing, even without data.
    EXPECT_STREQ("", encode64(nullptr, 0).c_str());
    EXPECT_STREQ("", encode64((const unsigned char*)"abc", -3).c_str());
}

TEST(LinkEncoder, EveryByteRoundTripsWithZeroPadding)
{
    std::string sAll;
    for (int i = 0; i < 256; ++i)
        sAll += (char)i;
    // 256, 257 and 258 bytes: tails of one, two and no bytes.
    for (int nExtra = 0; nExtra < 3; ++nExtra)
    {
        const std::string sBytes = sAll + std::string((size_t)nExtra, '\xA5');
        SCOPED_TRACE(sBytes.size());
        const std::string sText = encoded(sBytes);
        EXPECT_EQ((sBytes.size() + 2) / 3 * 4, sText.size());
        EXPECT_EQ(std::string::npos, sText.find_first_not_of(LINK_TEXT_ALPHABET));

        const std::vector<unsigned char> bytes = decoded(sText.c_str());
        const size_t nPad = (3 - sBytes.size() % 3) % 3;
        ASSERT_EQ(sBytes.size() + nPad, bytes.size());
        EXPECT_EQ(0, std::memcmp(sBytes.data(), bytes.data(), sBytes.size()));
        for (size_t i = sBytes.size(); i < bytes.size(); ++i)
            EXPECT_EQ(0, bytes[i]);
    }
}

TEST(LinkEncoder, DecodeWholeGroups)
{
    using Bytes = std::vector<unsigned char>;
    EXPECT_EQ(Bytes(), decoded(""));
    EXPECT_EQ(Bytes(), decoded(nullptr));
    EXPECT_EQ((Bytes{0xFF, 0, 0}), decoded("-vQQ"));
    EXPECT_EQ((Bytes{'M', 'a', 'n', 'y', 0, 0}), decoded("ZVYxtjQQ"));
    // A character outside the alphabet counts as all bits set, in each position of a group.
    EXPECT_EQ((Bytes{0xFC, 0, 0}), decoded("*QQQ"));
    EXPECT_EQ((Bytes{3, 0xF0, 0}), decoded("Q*QQ"));
    EXPECT_EQ((Bytes{0, 0x0F, 0xC0}), decoded("QQ*Q"));
    EXPECT_EQ((Bytes{0, 0, 0x3F}), decoded("QQQ*"));
    EXPECT_EQ((Bytes{'M', 0x6F, 0xEE}), decoded("ZV=x"));
}

TEST(LinkEncoder, DecodeStopsAtTheEndOfAShortText)
{
    using Bytes = std::vector<unsigned char>;
    // The missing characters of the last group count as the first digit (0); nothing past the
    // end of the text is read (a heap copy lets the address sanitizer check that).
    struct Case
    {
        const char* pszText;
        Bytes expected;
    };
    const Case aCases[] = {
        {"Z", Bytes{0x4C, 0, 0}},
        {"ZV", Bytes{'M', 0x60, 0}},
        {"ZVY", Bytes{'M', 'a', 0x40}},
        {"ZVYxZ", Bytes{'M', 'a', 'n', 0x4C, 0, 0}},
        {"ZVYxZV", Bytes{'M', 'a', 'n', 'M', 0x60, 0}},
        {"ZVYxZVY", Bytes{'M', 'a', 'n', 'M', 'a', 0x40}},
        {"*", Bytes{0xFC, 0, 0}},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszText);
        const size_t nSize = std::strlen(c.pszText) + 1;
        std::unique_ptr<char[]> pszCopy(new char[nSize]);
        std::memcpy(pszCopy.get(), c.pszText, nSize);
        EXPECT_EQ(c.expected, decoded(pszCopy.get()));
    }
}
