// RIR::String: storage, comparisons, searching, numbers, formatting, case, trimming, pieces.
#include "rir2/rirstring.h"

#include "rir2/list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <type_traits>
#include <utility>

using RIR::String;

static_assert(std::is_copy_constructible<String>::value, "String copies");
static_assert(std::is_copy_assignable<String>::value, "String assigns");

namespace
{

const char* const NULL_TEXT = nullptr;

} // namespace

// ---- storage -------------------------------------------------------------------------------

TEST(StringStorage, CapacityRule)
{
    struct Case
    {
        int nRequest;
        int nCapacity;
    };
    const Case aCases[] = {{0, 4}, {1, 4}, {3, 4}, {4, 8}, {5, 8}, {31, 32}, {32, 36}, {35, 36}};
    for (const Case& c : aCases)
        EXPECT_EQ(c.nCapacity, String::roundCapacity(c.nRequest)) << c.nRequest;
}

TEST(StringStorage, CapacitiesOfConstructors)
{
    struct Case
    {
        const char* pszName;
        String s;
        const char* pszText;
        int nCapacity;
    };
    const Case aCases[] = {
        {"default", String(), "", 36},
        {"null text", String(NULL_TEXT), "", 36},
        {"empty text", String(""), "", 4},
        {"three bytes", String("abc"), "abc", 8},  // request 4
        {"four bytes", String("abcd"), "abcd", 8}, // request 5
        {"counted, shorter", String("abcdef", 3), "abc", 4},
        {"counted, whole text shorter", String("ab", 10), "ab", 12},
        {"counted, null", String(NULL_TEXT, 7), "", 12}, // request 8
        {"one byte", String('x'), "x", 4},
        {"zero byte", String('\0'), "", 4},
    };
    for (const Case& c : aCases)
    {
        EXPECT_STREQ(c.pszText, c.s.c_str()) << c.pszName;
        EXPECT_EQ(c.nCapacity, c.s.getCapacity()) << c.pszName;
    }
}

TEST(StringStorage, CopyTakesCapacityFromLength)
{
    String sBig;
    sBig = "ab"; // reuses the 36-byte buffer
    EXPECT_EQ(36, sBig.getCapacity());
    String sCopy(sBig);
    EXPECT_STREQ("ab", sCopy.c_str());
    EXPECT_EQ(4, sCopy.getCapacity());
    EXPECT_NE(sBig.c_str(), sCopy.c_str()); // never shared
}

// swap trades the buffers themselves: each string keeps the other's text, buffer and capacity,
// a list swap moves elements without a copy, and a string swapped with itself stays whole.
TEST(StringStorage, SwapTradesBuffers)
{
    String sShort("ab");
    String sLong;
    sLong = "a longer text";
    const char* pszShort = sShort.c_str();
    const char* pszLong = sLong.c_str();
    using std::swap;
    swap(sShort, sLong);
    EXPECT_STREQ("a longer text", sShort.c_str());
    EXPECT_STREQ("ab", sLong.c_str());
    EXPECT_EQ(pszLong, sShort.c_str());
    EXPECT_EQ(pszShort, sLong.c_str());
    EXPECT_EQ(36, sShort.getCapacity());
    EXPECT_EQ(4, sLong.getCapacity());
    swap(sShort, sShort);
    EXPECT_STREQ("a longer text", sShort.c_str());

    RIR::List<String> l(String("x"), String("yy"), String("zzz"));
    const char* pszInFirst = l.getNode(0)->m_value.c_str();
    l.swap(0, 2);
    EXPECT_STREQ("zzz", l.getNode(0)->m_value.c_str());
    EXPECT_STREQ("x", l.getNode(2)->m_value.c_str());
    EXPECT_EQ(pszInFirst, l.getNode(2)->m_value.c_str());
}

TEST(StringStorage, AssignmentReusesAndGrows)
{
    String s("a very long text of some forty bytes....");
    const int nCapacity = s.getCapacity();
    s = "x";
    EXPECT_STREQ("x", s.c_str());
    EXPECT_EQ(nCapacity, s.getCapacity()); // never shrinks
    s = NULL_TEXT;
    EXPECT_STREQ("", s.c_str());
    String sShort("ab");
    sShort = "abcdefgh"; // request 9
    EXPECT_STREQ("abcdefgh", sShort.c_str());
    EXPECT_EQ(12, sShort.getCapacity());
    sShort = 'z';
    EXPECT_STREQ("z", sShort.c_str());
}

TEST(StringStorage, SelfAssignmentAndSelfAppend)
{
    String s("hello world");
    s = s;
    EXPECT_STREQ("hello world", s.c_str());
    s = s.c_str();
    EXPECT_STREQ("hello world", s.c_str());
    s = s.c_str() + 6; // a suffix of its own buffer
    EXPECT_STREQ("world", s.c_str());
    s += s;
    EXPECT_STREQ("worldworld", s.c_str());
    s += s.c_str(); // must grow while reading from the old buffer
    EXPECT_STREQ("worldworldworldworld", s.c_str());
}

TEST(StringStorage, AppendGrowsToExactRoundedSize)
{
    String s("ab"); // capacity 4
    s += 'c';       // 4 bytes fit in place
    EXPECT_EQ(4, s.getCapacity());
    s += "d"; // needs 5: round gives 8
    EXPECT_STREQ("abcd", s.c_str());
    EXPECT_EQ(8, s.getCapacity());
    s += "0123456789"; // needs 15: 16, no geometric growth
    EXPECT_EQ(16, s.getCapacity());
    s += '\0';
    s += NULL_TEXT;
    s += "";
    EXPECT_STREQ("abcd0123456789", s.c_str());
    EXPECT_EQ(14, s.length());
}

TEST(StringStorage, Concatenation)
{
    EXPECT_STREQ("abcd", (String("ab") + String("cd")).c_str());
    EXPECT_STREQ("abcd", (String("ab") + "cd").c_str());
    EXPECT_STREQ("abcd", ("ab" + String("cd")).c_str());
    EXPECT_STREQ("cd", (NULL_TEXT + String("cd")).c_str());
    EXPECT_STREQ("ab", (String("ab") + NULL_TEXT).c_str());
    // Same capacity as a copy of the left text followed by an append.
    EXPECT_EQ(8, (String("abc") + "defg").getCapacity());
    EXPECT_EQ(12, (String("abc") + "defgh").getCapacity());
}

TEST(StringStorage, At)
{
    String s("abc");
    EXPECT_EQ('a', *s.at(0));
    EXPECT_EQ('c', *s.at(2));
    EXPECT_EQ('c', *s.at(-1));
    EXPECT_EQ('a', *s.at(-3));
    EXPECT_EQ(0, *s.at(3));
}

// ---- comparisons ---------------------------------------------------------------------------

TEST(StringCompare, NullTextIsEmpty)
{
    const String sEmpty;
    const String sAbc("abc");
    EXPECT_TRUE(sEmpty == NULL_TEXT);
    EXPECT_FALSE(sAbc == NULL_TEXT);
    EXPECT_TRUE(sAbc != NULL_TEXT);
    EXPECT_TRUE(sEmpty >= NULL_TEXT);
    EXPECT_TRUE(sAbc >= NULL_TEXT);
    EXPECT_TRUE(sAbc > NULL_TEXT);
    EXPECT_FALSE(sEmpty < NULL_TEXT);
    EXPECT_TRUE(NULL_TEXT == sEmpty);
    EXPECT_TRUE(NULL_TEXT < sAbc);
}

TEST(StringCompare, Orderings)
{
    struct Case
    {
        const char* a;
        const char* b;
        int nSign; // sign of a compared with b
    };
    const Case aCases[] = {
        {"abc", "abc", 0},    {"ab", "abc", -1},     {"abd", "abc", 1},
        {"", "a", -1},        {"B", "a", -1},        // upper case sorts first
        {"\xC3\xA9", "z", 1}, {"a\x80", "a\x7F", 1}, // bytes compare unsigned
    };
    for (const Case& c : aCases)
    {
        const String a(c.a), b(c.b);
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        // String with String
        EXPECT_EQ(c.nSign == 0, a == b);
        EXPECT_EQ(c.nSign != 0, a != b);
        EXPECT_EQ(c.nSign < 0, a < b);
        EXPECT_EQ(c.nSign > 0, a > b);
        EXPECT_EQ(c.nSign <= 0, a <= b);
        EXPECT_EQ(c.nSign >= 0, a >= b);
        // String with C text
        EXPECT_EQ(c.nSign == 0, a == c.b);
        EXPECT_EQ(c.nSign != 0, a != c.b);
        EXPECT_EQ(c.nSign < 0, a < c.b);
        EXPECT_EQ(c.nSign > 0, a > c.b);
        EXPECT_EQ(c.nSign <= 0, a <= c.b);
        EXPECT_EQ(c.nSign >= 0, a >= c.b);
        // C text with String: the operands keep their written order
        EXPECT_EQ(c.nSign == 0, c.a == b);
        EXPECT_EQ(c.nSign != 0, c.a != b);
        EXPECT_EQ(c.nSign < 0, c.a < b);
        EXPECT_EQ(c.nSign > 0, c.a > b);
        EXPECT_EQ(c.nSign <= 0, c.a <= b);
        EXPECT_EQ(c.nSign >= 0, c.a >= b);
    }
    EXPECT_FALSE("abc" > String("abc"));
    EXPECT_FALSE("abc" < String("abc"));
}

// ---- searching -----------------------------------------------------------------------------

TEST(StringSearch, Find)
{
    const String s("abcabc");
    EXPECT_EQ(0, s.find("abc"));
    EXPECT_EQ(3, s.find("abc", 1));
    EXPECT_EQ(3, s.find("abc", 3));
    EXPECT_EQ(-1, s.find("abc", 4));
    EXPECT_EQ(-1, s.find("x"));
    EXPECT_EQ(2, s.find("", 2));
    EXPECT_EQ(-1, s.find("abc", 100)); // beyond the text: not found, no overrun
}

TEST(StringSearch, FindCharFamily)
{
    const String s("a.b.c");
    EXPECT_EQ(1, s.findChar('.'));
    EXPECT_EQ(3, s.findChar('.', 2));
    EXPECT_EQ(-1, s.findChar('.', 4));
    EXPECT_EQ(5, s.findChar('\0'));
    EXPECT_EQ(5, s.findChar('\0', 3));
    EXPECT_EQ(3, s.rfindChar('.'));
    EXPECT_EQ(-1, s.rfindChar('x'));
    EXPECT_EQ(0, s.rfindChar('a'));
}

TEST(StringSearch, FindAnyOf)
{
    const String s("key = value; rest");
    EXPECT_EQ(4, s.findAnyOf(";="));
    EXPECT_EQ(11, s.findAnyOf(";=", 5));
    EXPECT_EQ(3, s.findAnyOf(" \t"));
    EXPECT_EQ(-1, s.findAnyOf("#"));
    EXPECT_EQ(-1, s.findAnyOf(""));
    EXPECT_EQ(-1, s.findAnyOf(";", 12));
}

// ---- numbers and formatting ----------------------------------------------------------------

TEST(StringNumbers, ToInt)
{
    struct Case
    {
        const char* pszText;
        int nValue;
    };
    const Case aCases[] = {
        {nullptr, 0},
        {"", 0},
        {"abc", 0},
        {"42", 42},
        {"  -17x", -17},
        {"+8", 8},
        {"12.9", 12},
        {"\t\n 5", 5},
        {"2147483647", 2147483647},
        {"99999999999", 2147483647}, // saturates instead of wrapping
        {"-99999999999", -2147483647 - 1},
    };
    for (const Case& c : aCases)
        EXPECT_EQ(c.nValue, String::toInt(c.pszText)) << (c.pszText ? c.pszText : "(null)");
}

TEST(StringNumbers, ToFloat)
{
    EXPECT_EQ(0.0f, String::toFloat(nullptr));
    EXPECT_EQ(0.0f, String::toFloat(""));
    EXPECT_EQ(0.0f, String::toFloat("abc"));
    EXPECT_EQ(1.5f, String::toFloat("1.5"));
    EXPECT_EQ(-0.25f, String::toFloat("  -0.25e0 tail"));
    EXPECT_EQ((float)0.1, String::toFloat("0.1")); // rounded to float from the double
    EXPECT_EQ(250.0f, String::toFloat("2.5e2"));
    EXPECT_TRUE(std::isinf(String::toFloat("1e300")));
    EXPECT_LT(String::toFloat("-1e300"), 0.0f);
}

TEST(StringFormat, Basics)
{
    EXPECT_STREQ("7 abc 0x0000BEEF", String::format("%d %s 0x%08X", 7, "abc", 0xBEEFu).c_str());
    EXPECT_STREQ("", String::format("%s", "").c_str());
    String s("old text");
    EXPECT_EQ(5, s.printf("%05d", 42));
    EXPECT_STREQ("00042", s.c_str());
}

TEST(StringFormat, CutAtExactly4095Bytes)
{
    const std::string sLong(5000, 'x');
    struct Case
    {
        int nLen;
        int nExpected;
    };
    const Case aCases[] = {{4094, 4094}, {4095, 4095}, {4096, 4095}, {5000, 4095}};
    for (const Case& c : aCases)
    {
        const String s = String::format("%.*s", c.nLen, sLong.c_str());
        EXPECT_EQ(c.nExpected, s.length()) << c.nLen;
    }
    // The cut keeps the first bytes.
    const std::string sDigits = std::string(4094, 'a') + "bcd";
    const String s = String::format("%s", sDigits.c_str());
    EXPECT_EQ('b', *s.at(-1));
    String sp;
    EXPECT_EQ(4095, sp.printf("%s", sLong.c_str()));
    // The next short format is not disturbed by the long one.
    EXPECT_STREQ("ok", String::format("ok").c_str());
}

// ---- case, trimming, pieces ----------------------------------------------------------------

TEST(StringCase, AsciiOnly)
{
    const String s("Hello, W\xC3\xA9lt \xC3\x89t\xC3\xA9 z@[`{");
    EXPECT_STREQ("HELLO, W\xC3\xA9LT \xC3\x89T\xC3\xA9 Z@[`{", s.toUpper().c_str());
    EXPECT_STREQ("hello, w\xC3\xA9lt \xC3\x89t\xC3\xA9 z@[`{", s.toLower().c_str());
    EXPECT_STREQ("Hello, W\xC3\xA9lt \xC3\x89t\xC3\xA9 z@[`{", s.c_str()); // source unchanged
}

TEST(StringTrim, Table)
{
    struct Case
    {
        const char* pszText;
        const char* pszLeft;
        const char* pszRight;
        const char* pszBoth;
    };
    const Case aCases[] = {
        {"  a b  ", "a b  ", "  a b", "a b"},
        {"\t\r\n x \n\r\t", "x \n\r\t", "\t\r\n x", "x"},
        {"abc", "abc", "abc", "abc"},
        {"", "", "", ""},
        {" \t\r\n", "", "", ""},
        {"\va\f", "\va\f", "\va\f", "\va\f"}, // only blank, tab, LF and CR are whitespace
    };
    for (const Case& c : aCases)
    {
        const String s(c.pszText);
        EXPECT_STREQ(c.pszLeft, s.trimLeft().c_str());
        EXPECT_STREQ(c.pszRight, s.trimRight().c_str());
        EXPECT_STREQ(c.pszBoth, s.trim().c_str());
    }
}

TEST(StringPieces, Table)
{
    const String s("abc");
    struct Case
    {
        const char* pszName;
        String sResult;
        const char* pszExpected;
    };
    const Case aCases[] = {
        {"left 2", s.left(2), "ab"},
        {"left 0", s.left(0), ""},
        {"left -1", s.left(-1), "ab"},
        {"left -3", s.left(-3), ""},
        {"left 3", s.left(3), "abc"},
        {"left 10", s.left(10), "abc"},
        {"right 2", s.right(2), "bc"},
        {"right 3", s.right(3), "abc"},
        {"right 5", s.right(5), "abc"},
        {"right 0", s.right(0), ""},
        {"from 0", s.from(0), "abc"},
        {"from 1", s.from(1), "bc"},
        {"from 3", s.from(3), ""},
        {"from 9", s.from(9), ""},
        {"from -2", s.from(-2), "abc"},
        {"substring 1 1", s.substring(1, 1), "b"},
        {"substring 0 2", s.substring(0, 2), "abc"},
        {"substring 1 0", s.substring(1, 0), ""},
        {"substring 3 2", s.substring(3, 2), ""},
        {"empty left", String().left(-1), ""},
        {"empty right", String().right(2), ""},
    };
    for (const Case& c : aCases)
        EXPECT_STREQ(c.pszExpected, c.sResult.c_str()) << c.pszName;
    EXPECT_STREQ("abc", s.c_str());
}
