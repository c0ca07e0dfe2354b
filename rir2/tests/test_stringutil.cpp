// RIR::String utilities: UTF-8 characters, replacing, splitting, tokenizing, common prefix,
// thousands grouping and the zero-byte escape.
#include "rir2/list.h"
#include "rir2/memstream.h"
#include "rir2/rirstring.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using RIR::List;
using RIR::MemStream;
using RIR::String;

namespace
{

std::vector<std::string> toVector(const List<String>& l)
{
    std::vector<std::string> v;
    for (int i = 0; i < l.getLength(); ++i)
        v.push_back(l.get(i).c_str());
    return v;
}

// Two-, three- and four-byte characters: e acute, euro sign, an emoji.
const char* const E_ACUTE = "\xC3\xA9";
const char* const EURO = "\xE2\x82\xAC";
const char* const EMOJI = "\xF0\x9F\x98\x80";

} // namespace

// ---- UTF-8 ---------------------------------------------------------------------------------

TEST(StringUtf8, FromCodepoint)
{
    struct Case
    {
        unsigned int nCodepoint;
        const char* pszBytes;
    };
    const Case aCases[] = {
        {0, ""},
        {0x41, "A"},
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {0xE9, "\xC3\xA9"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0x20AC, "\xE2\x82\xAC"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x1F600, "\xF0\x9F\x98\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
        {0x110000, "\xEF\xBF\xBD"}, // beyond Unicode: the replacement character
        {0xFFFFFFFF, "\xEF\xBF\xBD"},
    };
    for (const Case& c : aCases)
        EXPECT_STREQ(c.pszBytes, String::fromCodepoint(c.nCodepoint).c_str()) << c.nCodepoint;
}

TEST(StringUtf8, LengthOfWellFormedAndInvalidText)
{
    struct Case
    {
        const char* pszName;
        std::string sText;
        int nLength;
    };
    const Case aCases[] = {
        {"empty", "", 0},
        {"ascii", "abc", 3},
        {"2+3+4 byte", std::string(E_ACUTE) + EURO + EMOJI, 3},
        {"mixed", std::string("a") + E_ACUTE + "b" + EMOJI + "c", 5},
        {"stray continuation bytes", "\x80\xBF", 2},
        {"bytes F8-FF", "\xF8\xFF", 2},
        {"lead byte cut by the end", "ab\xF0\x9F", 3},
        {"lead byte cut by an ASCII byte",
         "\xE2\x82"
         "A",
         2},
        {"lone lead byte at the end", "\xC3", 1},
    };
    for (const Case& c : aCases)
        EXPECT_EQ(c.nLength, String(c.sText.c_str()).utf8Length()) << c.pszName;
}

TEST(StringUtf8, PiecesByCharacter)
{
    const std::string sText = std::string(EMOJI) + "a" + E_ACUTE + EURO; // 4 characters
    const String s(sText.c_str());
    struct Case
    {
        const char* pszName;
        String sResult;
        std::string sExpected;
    };
    const Case aCases[] = {
        {"left 1", s.utf8Left(1), EMOJI},
        {"left 3", s.utf8Left(3), std::string(EMOJI) + "a" + E_ACUTE},
        {"left -1", s.utf8Left(-1), std::string(EMOJI) + "a" + E_ACUTE},
        {"left -4", s.utf8Left(-4), ""},
        {"left -9", s.utf8Left(-9), ""},
        {"left 0", s.utf8Left(0), ""},
        {"left 9", s.utf8Left(9), sText},
        {"right 1", s.utf8Right(1), EURO},
        {"right 2", s.utf8Right(2), std::string(E_ACUTE) + EURO},
        {"right 4", s.utf8Right(4), sText},
        {"right 9", s.utf8Right(9), sText},
        {"right 0", s.utf8Right(0), ""},
        {"from 0", s.utf8From(0), sText},
        {"from 1", s.utf8From(1), std::string("a") + E_ACUTE + EURO},
        {"from 3", s.utf8From(3), EURO},
        {"from 4", s.utf8From(4), ""},
        {"from 9", s.utf8From(9), ""},
        {"substring 1 2", s.utf8Substring(1, 2), std::string("a") + E_ACUTE},
        {"substring 0 0", s.utf8Substring(0, 0), EMOJI},
        {"substring 3 3", s.utf8Substring(3, 3), EURO},
        {"substring 2 1", s.utf8Substring(2, 1), ""},
    };
    for (const Case& c : aCases)
        EXPECT_STREQ(c.sExpected.c_str(), c.sResult.c_str()) << c.pszName;

    // Three two-byte characters, left -1: the first two (four bytes).
    const std::string sThree = std::string(E_ACUTE) + E_ACUTE + E_ACUTE;
    EXPECT_EQ(4, String(sThree.c_str()).utf8Left(-1).length());
}

TEST(StringUtf8, CutSequencesNeverPassTheTerminator)
{
    // A four-byte lead followed by only two continuation bytes, at the end of the buffer.
    const String s("x\xF0\x9F\x98");
    EXPECT_EQ(2, s.utf8Length());
    EXPECT_STREQ("x", s.utf8Left(1).c_str());
    EXPECT_STREQ("\xF0\x9F\x98", s.utf8From(1).c_str());
    EXPECT_STREQ("", s.utf8From(2).c_str());
    EXPECT_STREQ(s.c_str(), s.utf8Left(5).c_str());
    // A cut sequence does not swallow the character after it.
    const String s2("\xE2\x82"
                    "AB");
    EXPECT_STREQ("AB", s2.utf8From(1).c_str());
}

// ---- replacing -----------------------------------------------------------------------------

TEST(StringReplace, Table)
{
    struct Case
    {
        const char* pszName;
        String sResult;
        const char* pszExpected;
    };
    const String sEsc("a\\nb\\\\c\\td\\r");
    const Case aCases[] = {
        {"all", String("a.b.c").replaceAll(".", "--"), "a--b--c"},
        {"all, replacement holds search", String("aaa").replaceAll("a", "aa"), "aaaaaa"},
        {"all, shrink", String("xxabxxabxx").replaceAll("xx", ""), "abab"},
        {"all, none", String("abc").replaceAll("z", "y"), "abc"},
        {"all, whole", String("abc").replaceAll("abc", ""), ""},
        {"all, non-overlapping", String("aaaa").replaceAll("aa", "b"), "bb"},
        {"all, empty search", String("abc").replaceAll("", "x"), "abc"},
        {"first", String("a.b.c").replaceFirst(".", "--"), "a--b.c"},
        {"first, none", String("abc").replaceFirst("z", "y"), "abc"},
        {"no case", String("aXbxc").replaceAllNoCase("x", "--"), "a--b--c"},
        {"no case, upper search", String("one ONE oNe").replaceAllNoCase("ONE", "1"), "1 1 1"},
        {"no case, keeps other bytes", String("AbAB").replaceAllNoCase("ab", "Q"), "QQ"},
        {"no case, inserted text not searched", String("xX").replaceAllNoCase("x", "xx"), "xxxx"},
        // The text-table escapes, applied in the loaders' order.
        {"escapes",
         sEsc.replaceAll("\\n", "\n")
             .replaceAll("\\r", "\r")
             .replaceAll("\\t", "\t")
             .replaceAll("\\\\", "\\"),
         "a\nb\\c\td\r"},
    };
    for (const Case& c : aCases)
        EXPECT_STREQ(c.pszExpected, c.sResult.c_str()) << c.pszName;
}

// ---- split and tokenize --------------------------------------------------------------------

TEST(StringSplit, Table)
{
    using V = std::vector<std::string>;
    struct Case
    {
        const char* pszText;
        const char* pszSeparators;
        V vExpected;
    };
    const Case aCases[] = {
        {"  a  b ", " ", {"a", "b"}},
        {"  a  b ", nullptr, {"a", "b"}},
        {"", " ", {}},
        {"   ", " ", {}},
        {"abc", " ", {"abc"}},
        {"line1\r\nline2\n\n\rline3", "\r\n", {"line1", "line2", "line3"}},
        {"key\t value", " \t", {"key", "value"}},
        {"a_!#!_b!c", "_!#", {"a", "b", "c"}},
        {"\\\\path\\to\\\\dir\\", "\\", {"path", "to", "dir"}},
        {"no separators", "", {"no separators"}},
    };
    for (const Case& c : aCases)
        EXPECT_EQ(c.vExpected, toVector(String(c.pszText).split(c.pszSeparators))) << c.pszText;
    EXPECT_EQ(V({"x", "y"}), toVector(String("x y").split()));
}

TEST(StringTokenize, Table)
{
    using V = std::vector<std::string>;
    const List<String> lBlank(String(" "));
    const List<String> lTwo(String(" "), String("0123456789"));
    const List<String> lNone;
    struct Case
    {
        const char* pszName;
        const List<String>* plClasses;
        const char* pszText;
        const char* pszSeparators;
        V vExpected;
    };
    const Case aCases[] = {
        {"words", &lBlank, "ab  cd\nx", "\n", {"ab", "  ", "cd", "\n", "x"}},
        {"empty", &lBlank, "", "\n", {}},
        {"separators side by side", &lBlank, "\n\na", "\n", {"\n", "\n", "a"}},
        {"separator ends a run", &lBlank, "ab\ncd", "\n", {"ab", "\n", "cd"}},
        {"leading blanks", &lBlank, "  a ", "\n", {"  ", "a", " "}},
        {"two classes", &lTwo, "ab12 34cd", "", {"ab", "12", " ", "34", "cd"}},
        {"no classes", &lNone, "abc\ndef", "\n", {"abc", "\n", "def"}},
        {"null separators", &lBlank, "a b", nullptr, {"a", " ", "b"}},
    };
    for (const Case& c : aCases)
        EXPECT_EQ(c.vExpected, toVector(String(c.pszText).tokenize(*c.plClasses, c.pszSeparators)))
            << c.pszName;
    // A byte in two classes belongs to the first.
    const List<String> lOverlap(String("ab"), String("bc"));
    EXPECT_EQ(V({"ab", "c"}), toVector(String("abc").tokenize(lOverlap, "")));
}

// ---- common prefix and grouping ------------------------------------------------------------

TEST(StringCommonPrefix, Table)
{
    struct Case
    {
        const char* pszName;
        List<String> lStrings;
        const char* pszExpected;
    };
    const Case aCases[] = {
        {"empty list", List<String>(), ""},
        {"one", List<String>(String("Hello")), "Hello"},
        {"case of the smallest", List<String>(String("Abc"), String("abD")), "Ab"},
        {"smallest comes later", List<String>(String("abD"), String("ABc")), "AB"},
        {"nothing shared", List<String>(String("abc"), String("xyz")), ""},
        {"holds an empty string", List<String>(String("abc"), String("")), ""},
        {"one is a prefix", List<String>(String("save"), String("SaveGame"), String("savE1")),
         "save"},
        {"first equal smallest counts", List<String>(String("Tab"), String("taB"), String("table")),
         "Tab"},
    };
    for (const Case& c : aCases)
        EXPECT_STREQ(c.pszExpected, String::commonPrefix(c.lStrings).c_str()) << c.pszName;
}

TEST(StringGroupThousands, Table)
{
    struct Case
    {
        int nValue;
        const char* pszSeparator;
        const char* pszExpected;
    };
    const Case aCases[] = {
        {0, ",", "0"},
        {999, ",", "999"},
        {1000, ",", "1,000"},
        {1234, ",", "1,234"},
        {-999, ",", "-999"},
        {-1234, ",", "-1,234"},
        {100000, ",", "100,000"},
        {-100000, ",", "-100,000"},
        {1234567, ".", "1.234.567"},
        {2147483647, ",", "2,147,483,647"},
        {-2147483647 - 1, ",", "-2,147,483,648"},
        {1234567, "''", "1''234''567"},
        {1234567, "", "1234567"},
        {1234567, nullptr, "1234567"},
    };
    for (const Case& c : aCases)
        EXPECT_STREQ(c.pszExpected, String::groupThousands(c.nValue, c.pszSeparator).c_str())
            << c.nValue;
}

// ---- zero-byte escape ----------------------------------------------------------------------

TEST(StringEscapeBinary, EncodingAndRoundTrip)
{
    const unsigned char aBytes[] = {0x00, 0x01, 0x02, 'A', 0x00, 0x00, 0xFF, 0x01, 0x01, 0x80};
    const String sEscaped = String::escapeBinary(aBytes, sizeof aBytes);
    const char aExpected[] = "\x01\x01\x01\x02\x02"
                             "A\x01\x01\x01\x01\xFF\x01\x02\x01\x02\x80";
    EXPECT_STREQ(aExpected, sEscaped.c_str());
    EXPECT_EQ(std::strlen(aExpected), (size_t)sEscaped.length());

    std::unique_ptr<MemStream> pStream(String::unescapeBinary(sEscaped.c_str()));
    ASSERT_EQ((int)sizeof aBytes, pStream->size());
    EXPECT_EQ((int)sizeof aBytes, pStream->tell()); // positioned after the last byte
    EXPECT_EQ(0, std::memcmp(aBytes, pStream->getBuffer(), sizeof aBytes));
    EXPECT_EQ(RIR::MSM_OWNED, pStream->getMode());

    // Every byte value survives the round trip.
    unsigned char aAll[512];
    int nLowBytes = 0;
    for (int i = 0; i < 512; ++i)
    {
        aAll[i] = (unsigned char)(i * 7);
        nLowBytes += aAll[i] <= 0x01 ? 1 : 0;
    }
    const String sAll = String::escapeBinary(aAll, sizeof aAll);
    EXPECT_EQ(512 + nLowBytes, sAll.length()); // no zero byte cuts the text short
    std::unique_ptr<MemStream> pAll(String::unescapeBinary(sAll.c_str()));
    ASSERT_EQ((int)sizeof aAll, pAll->size());
    EXPECT_EQ(0, std::memcmp(aAll, pAll->getBuffer(), sizeof aAll));
}

TEST(StringEscapeBinary, DecodingEdgeCases)
{
    struct Case
    {
        const char* pszName;
        const char* pszText;
        std::string sBytes;
    };
    const Case aCases[] = {
        {"empty", "", std::string()},
        {"null", nullptr, std::string()},
        {"plain", "abc", "abc"},
        {"01 then other byte",
         "\x01"
         "A",
         std::string("\x01", 1)},
        {"lone 01 at the end", "ab\x01", std::string("ab\x01", 3)},
        {"01 01", "\x01\x01", std::string(1, '\0')},
    };
    for (const Case& c : aCases)
    {
        std::unique_ptr<MemStream> p(String::unescapeBinary(c.pszText));
        ASSERT_EQ((int)c.sBytes.size(), p->size()) << c.pszName;
        if (!c.sBytes.empty())
        {
            EXPECT_EQ(0, std::memcmp(c.sBytes.data(), p->getBuffer(), c.sBytes.size()))
                << c.pszName;
        }
    }
    EXPECT_STREQ("", String::escapeBinary(nullptr, 0).c_str());
}
