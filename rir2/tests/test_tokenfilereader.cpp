// TokenFileReader: lines and their numbers, comments, tokens, the hash form and the errors.
#include "rir2/exception.h"
#include "rir2/hash.h"
#include "rir2/memstream.h"
#include "rir2/tokenfilereader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

using namespace RIR;

namespace
{

typedef std::vector<std::pair<std::string, int>> Lines;

// Every kept line with its number, taken through nextLine.
Lines readAll(TokenFileReader& reader)
{
    Lines lines;
    while (!reader.isEmpty())
    {
        reader.nextLine();
        lines.emplace_back(reader.getLine().c_str(), reader.getLineNumber());
    }
    return lines;
}

std::vector<std::string> toStrings(const List<String>& lItems)
{
    std::vector<std::string> items;
    for (int i = 0; i < lItems.getLength(); ++i)
        items.push_back(lItems.get(i).c_str());
    return items;
}

} // namespace

TEST(TokenFileReader, LinesCommentsAndNumbers)
{
    struct Case
    {
        const char* pszName;
        const char* pszText;
        Lines expected;
    };
    const Case aCases[] = {
        {"blank line is not counted, comment line is",
         "a b\n\n  # only a comment\nc d # tail",
         {{"a b", 0}, {"c d", 2}}},
        {"CR LF, CR and LF mixed", "a b\r\nc\rd\n", {{"a b", 0}, {"c", 1}, {"d", 2}}},
        {"escaped hashes stay, the first bare one cuts", "x \\#1 \\#2 y # z", {{"x #1 #2 y", 0}}},
        {"blanks and tabs only use up a number", "a\n \t \t\nb", {{"a", 0}, {"b", 2}}},
        {"comment at the start of a line", "#a b\nc", {{"c", 1}}},
        {"escaped hash at the start", "\\#x y", {{"#x y", 0}}},
        {"only one backslash goes", "a\\\\#b", {{"a\\#b", 0}}},
        {"escaped hash then comment only leaves text", "\\##rest", {{"#", 0}}},
        {"trailing whitespace and CR trimmed", "\t key value \t\r\n", {{"key value", 0}}},
        {"runs of line ends collapse", "\r\n\r\n\n\ra\r\r\n\nb", {{"a", 0}, {"b", 1}}},
        {"empty text", "", {}},
        {"only line ends", "\r\n\r\n", {}},
        {"only comments", "# one\n   # two\n#", {}},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszName);
        TokenFileReader reader(c.pszText);
        EXPECT_EQ(reader.getLine(), "");
        EXPECT_EQ(reader.getLineNumber(), 0);
        EXPECT_EQ(readAll(reader), c.expected);
    }
}

TEST(TokenFileReader, TokensSplitOnBlanksAndTabs)
{
    TokenFileReader reader("key\t\tvalue   more\none");
    reader.nextLine();
    EXPECT_EQ(toStrings(reader.getTokens()), (std::vector<std::string>{"key", "value", "more"}));
    EXPECT_EQ(reader.joinTokens(0), "key value more");
    EXPECT_EQ(reader.joinTokens(1), "value more");
    EXPECT_EQ(reader.joinTokens(2), "more");
    EXPECT_EQ(reader.joinTokens(3), "");
    EXPECT_EQ(reader.joinTokens(9), "");
    // The tokens are replaced by the next line's.
    reader.nextLine();
    EXPECT_EQ(toStrings(reader.getTokens()), (std::vector<std::string>{"one"}));
    EXPECT_TRUE(reader.isEmpty());
}

TEST(TokenFileReader, NextLineWithNothingLeftRaisesTheListError)
{
    TokenFileReader reader("# nothing but a comment");
    ASSERT_TRUE(reader.isEmpty());
    try
    {
        reader.nextLine();
        FAIL() << "expected FatalErrorException";
    }
    catch (const FatalErrorException& e)
    {
        EXPECT_STREQ(e.getMessage(), "List index out of range : 0 (have 0)");
    }
}

TEST(TokenFileReader, NullSourcesAreRefused)
{
    try
    {
        TokenFileReader reader((const char*)nullptr);
        FAIL() << "expected AssertFailException";
    }
    catch (const AssertFailException& e)
    {
        EXPECT_STREQ(e.getMessage(), "Assertion failed : sChunk");
    }
    try
    {
        TokenFileReader reader((Stream*)nullptr);
        FAIL() << "expected AssertFailException";
    }
    catch (const AssertFailException& e)
    {
        EXPECT_STREQ(e.getMessage(), "Assertion failed : pFile");
    }
}

TEST(TokenFileReader, ReadsAStream)
{
    const char* pszText = "a 1\r\n# c\nb 2";
    MemStream whole(pszText, (int)std::strlen(pszText));
    TokenFileReader fromStart(&whole);
    EXPECT_EQ(readAll(fromStart), (Lines{{"a 1", 0}, {"b 2", 2}}));

    // A stream that is not at its start delivers fewer bytes than its size: only those count.
    MemStream later(pszText, (int)std::strlen(pszText));
    later.seek(9);
    TokenFileReader fromMiddle(&later);
    EXPECT_EQ(readAll(fromMiddle), (Lines{{"b 2", 0}}));

    MemStream empty(pszText, 0);
    TokenFileReader fromEmpty(&empty);
    EXPECT_TRUE(fromEmpty.isEmpty());
}

TEST(TokenFileReader, ReadAsHash)
{
    TokenFileReader reader("a 1\n# comment\nb 2 extra\na 3\nA 4");
    SmartPtr<Hash<String, String>> pHash = reader.readAsHash();
    EXPECT_TRUE(reader.isEmpty());
    ASSERT_TRUE(pHash);
    EXPECT_EQ(pHash->keys().getLength(), 3);
    EXPECT_EQ(pHash->get("a"), "3"); // a later duplicate replaces the value
    EXPECT_EQ(pHash->get("b"), "2"); // further tokens are ignored
    EXPECT_EQ(pHash->get("A"), "4"); // keys keep their case

    // Only the lines not yet taken go into the hash.
    TokenFileReader partly("x 1\ny 2");
    partly.nextLine();
    SmartPtr<Hash<String, String>> pRest = partly.readAsHash();
    EXPECT_FALSE(pRest->contains("x"));
    EXPECT_EQ(pRest->get("y"), "2");

    TokenFileReader empty("");
    EXPECT_TRUE(empty.readAsHash()->isEmpty());
}

TEST(TokenFileReader, ReadAsHashRefusesASingleToken)
{
    TokenFileReader reader("a 1\nlonely\nb 2");
    try
    {
        reader.readAsHash();
        FAIL() << "expected FatalErrorException";
    }
    catch (const FatalErrorException& e)
    {
        EXPECT_STREQ(e.getMessage(), "List index out of range : 1 (have 1)");
    }
    EXPECT_EQ(reader.getLine(), "lonely");
    EXPECT_EQ(reader.getLineNumber(), 1);
}

// Long lines: every escape and every token is kept. Each of these once rebuilt or copied the
// whole line per escape or per token, so a file of a few hundred kilobytes took minutes.
TEST(TokenFileReader, LongLinesOfEscapesAndTokens)
{
    const int nCount = 50000;
    std::string sEscapes;
    for (int i = 0; i < nCount; ++i)
        sEscapes += "\\#";
    TokenFileReader escapes((sEscapes + "# comment\nnext").c_str());
    escapes.nextLine();
    EXPECT_EQ(std::string(escapes.getLine().c_str()), std::string(nCount, '#'));
    escapes.nextLine();
    EXPECT_EQ(escapes.getLine(), "next");

    std::string sTokens;
    for (int i = 0; i < nCount; ++i)
        sTokens += "ab ";
    TokenFileReader tokens(sTokens.c_str());
    tokens.nextLine();
    EXPECT_EQ(tokens.getTokens().getLength(), nCount);
    const std::string sJoined = tokens.joinTokens(0).c_str();
    EXPECT_EQ(sJoined.size(), sTokens.size() - 1);
    EXPECT_EQ(sJoined + " ", sTokens);
    EXPECT_EQ(tokens.joinTokens(nCount - 1), "ab");
}
