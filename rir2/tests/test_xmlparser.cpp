// XMLParser: token sequences, entity decoding, the open-element stack, the two error texts, and
// the end of the text at every byte position.
#include "rir2/xmlparser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace RIR;

namespace
{

struct Token
{
    int m_nType;
    std::string m_sName;
    std::string m_sValue;

    bool operator==(const Token& other) const
    {
        return m_nType == other.m_nType && m_sName == other.m_sName && m_sValue == other.m_sValue;
    }
};

std::ostream& operator<<(std::ostream& os, const Token& t)
{
    return os << "{" << t.m_nType << ", '" << t.m_sName << "', '" << t.m_sValue << "'}";
}

// The whole walk of the parser, with a bound on the calls so that a hang fails instead.
std::vector<Token> walk(XMLParser& parser)
{
    std::vector<Token> tokens;
    for (int nCalls = 0; parser.nextToken(); ++nCalls)
    {
        if (nCalls > 10000)
        {
            ADD_FAILURE() << "the walk does not end";
            break;
        }
        tokens.push_back(
            {parser.getTokenType(), parser.getName().c_str(), parser.getValue().c_str()});
    }
    return tokens;
}

std::vector<Token> walkText(const char* pszText, XMLParser& parser)
{
    parser.setText(pszText);
    return walk(parser);
}

std::vector<std::string> toStrings(const List<String>& lItems)
{
    std::vector<std::string> items;
    for (int i = 0; i < lItems.getLength(); ++i)
        items.push_back(lItems.get(i).c_str());
    return items;
}

} // namespace

TEST(XMLParser, TokenSequences)
{
    struct Case
    {
        const char* pszText;
        std::vector<Token> expected;
    };
    const Case aCases[] = {
        {"<a x=\"1\">hi</a>",
         {{XT_ELEMENT_OPEN, "a", ""},
          {XT_ATTRIBUTE, "x", "1"},
          {XT_TEXT, "", "hi"},
          {XT_ELEMENT_CLOSE, "a", ""}}},
        {"<a/>", {{XT_ELEMENT_OPEN, "a", ""}, {XT_ELEMENT_CLOSE, "a", ""}}},
        {"<a />", {{XT_ELEMENT_OPEN, "a", ""}, {XT_ELEMENT_CLOSE, "a", ""}}},
        {"<a x=\"1\" / >",
         {{XT_ELEMENT_OPEN, "a", ""}, {XT_ATTRIBUTE, "x", "1"}, {XT_ELEMENT_CLOSE, "a", ""}}},
        {"<a\tx = \"1\"\ny=\"\"></a >",
         {{XT_ELEMENT_OPEN, "a", ""},
          {XT_ATTRIBUTE, "x", "1"},
          {XT_ATTRIBUTE, "y", ""},
          {XT_ELEMENT_CLOSE, "a", ""}}},
        {"<?xml version=\"1.0\"?>",
         {{XT_PI_OPEN, "xml", ""}, {XT_ATTRIBUTE, "version", "1.0"}, {XT_PI_CLOSE, "xml", ""}}},
        {"<?xml ? >", {{XT_PI_OPEN, "xml", ""}, {XT_PI_CLOSE, "xml", ""}}},
        {"<a>\n  <b>x</b></a>",
         {{XT_ELEMENT_OPEN, "a", ""},
          {XT_TEXT, "", "\n  "},
          {XT_ELEMENT_OPEN, "b", ""},
          {XT_TEXT, "", "x"},
          {XT_ELEMENT_CLOSE, "b", ""},
          {XT_ELEMENT_CLOSE, "a", ""}}},
        {"<!-- c --><a/>",
         {{XT_COMMENT, "", " c "}, {XT_ELEMENT_OPEN, "a", ""}, {XT_ELEMENT_CLOSE, "a", ""}}},
        {"<a><![CDATA[1 &lt; 2]]></a>",
         {{XT_ELEMENT_OPEN, "a", ""}, {XT_TEXT, "", "1 < 2"}, {XT_ELEMENT_CLOSE, "a", ""}}},
        {"<![CDATA[<b>]]>", {{XT_TEXT, "", "<b>"}}},
        {"text only", {{XT_TEXT, "", "text only"}}},
        {"", {}},
        // Attribute values and comments are never decoded.
        {"<a x=\"&amp;\"/><!--&lt;-->",
         {{XT_ELEMENT_OPEN, "a", ""},
          {XT_ATTRIBUTE, "x", "&amp;"},
          {XT_ELEMENT_CLOSE, "a", ""},
          {XT_COMMENT, "", "&lt;"}}},
        {"<row><cell><data>k</data><data>v</data></cell></row>",
         {{XT_ELEMENT_OPEN, "row", ""},
          {XT_ELEMENT_OPEN, "cell", ""},
          {XT_ELEMENT_OPEN, "data", ""},
          {XT_TEXT, "", "k"},
          {XT_ELEMENT_CLOSE, "data", ""},
          {XT_ELEMENT_OPEN, "data", ""},
          {XT_TEXT, "", "v"},
          {XT_ELEMENT_CLOSE, "data", ""},
          {XT_ELEMENT_CLOSE, "cell", ""},
          {XT_ELEMENT_CLOSE, "row", ""}}},
    };
    XMLParser parser;
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszText);
        EXPECT_EQ(walkText(c.pszText, parser), c.expected);
        EXPECT_FALSE(parser.hasError());
        EXPECT_EQ(parser.getError(), "");
    }
}

TEST(XMLParser, EntityDecoding)
{
    struct Case
    {
        const char* pszText;
        const char* pszValue;
    };
    const Case aCases[] = {
        {"&lt;&gt;&amp;&apos;&quot;", "<>&'\""},
        {"&amp;lt;", "&lt;"}, // a decoded "&" never starts another entity
        {"&#65;", "&#65;"},
        {"a & b &amp c &", "a & b &amp c &"},
        {"x&lt", "x&lt"},
    };
    XMLParser parser;
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszText);
        parser.setText(c.pszText);
        ASSERT_TRUE(parser.nextToken());
        EXPECT_EQ(parser.getTokenType(), XT_TEXT);
        EXPECT_EQ(parser.getValue(), c.pszValue);
        // Decoded once: asking again does not decode the result a second time.
        EXPECT_EQ(parser.getValue(), c.pszValue);
    }

    // A long text full of entities decodes in one pass (it once copied the result per entity,
    // so a text of a megabyte took half a minute).
    std::string sLong;
    for (int i = 0; i < 100000; ++i)
        sLong += "&amp;x&lt;";
    parser.setText(sLong.c_str());
    ASSERT_TRUE(parser.nextToken());
    const std::string sDecoded = parser.getValue().c_str();
    ASSERT_EQ(sDecoded.size(), 300000u);
    EXPECT_EQ(sDecoded.substr(0, 6), "&x<&x<");
    EXPECT_EQ(sDecoded.find_first_not_of("&x<"), std::string::npos);
}

TEST(XMLParser, OpenElementStack)
{
    XMLParser parser;
    parser.setText("<?pi a=\"1\"?><r><s>t</s></r>");
    ASSERT_TRUE(parser.nextToken()); // pi
    EXPECT_EQ(toStrings(parser.getOpenElements()), (std::vector<std::string>{"pi"}));
    ASSERT_TRUE(parser.nextToken()); // attribute
    ASSERT_TRUE(parser.nextToken()); // ?>
    EXPECT_TRUE(parser.getOpenElements().isEmpty());
    ASSERT_TRUE(parser.nextToken()); // r
    ASSERT_TRUE(parser.nextToken()); // s
    ASSERT_TRUE(parser.nextToken()); // t
    EXPECT_EQ(parser.getTokenType(), XT_TEXT);
    EXPECT_EQ(toStrings(parser.getOpenElements()), (std::vector<std::string>{"s", "r"}));
    ASSERT_TRUE(parser.nextToken()); // </s>
    EXPECT_EQ(toStrings(parser.getOpenElements()), (std::vector<std::string>{"r"}));

    // A new text restarts with an empty stack.
    parser.setText("<x>");
    EXPECT_TRUE(parser.getOpenElements().isEmpty());
}

TEST(XMLParser, Errors)
{
    struct Case
    {
        const char* pszText;
        std::vector<Token> before; // the tokens produced before the false
        const char* pszError;
    };
    const Case aCases[] = {
        {"<a></b>", {{XT_ELEMENT_OPEN, "a", ""}}, "Mismatched tag close : open a, close b"},
        {"<a><b></a>",
         {{XT_ELEMENT_OPEN, "a", ""}, {XT_ELEMENT_OPEN, "b", ""}},
         "Mismatched tag close : open b, close a"},
        {"<a /x>", {{XT_ELEMENT_OPEN, "a", ""}}, "Bad tag close : open a , found 'x'"},
        {"<?xml ?x>", {{XT_PI_OPEN, "xml", ""}}, "Bad tag close : open xml [special], found 'x'"},
        // Closing with nothing open never takes a name from the empty stack.
        {"</a>", {}, "Unmatched tag close : a"},
        {"<a></a/>",
         {{XT_ELEMENT_OPEN, "a", ""}, {XT_ELEMENT_CLOSE, "a", ""}},
         "Unmatched tag close : />"},
    };
    XMLParser parser;
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszText);
        EXPECT_EQ(walkText(c.pszText, parser), c.before);
        EXPECT_TRUE(parser.hasError());
        EXPECT_EQ(parser.getError(), c.pszError);
        // The walk is not resumed after an error.
        EXPECT_FALSE(parser.nextToken());
        EXPECT_EQ(parser.getError(), c.pszError);
    }
    // A new text clears the error.
    parser.setText("<a/>");
    EXPECT_FALSE(parser.hasError());
    EXPECT_TRUE(parser.nextToken());
}

TEST(XMLParser, EndOfTextEndsTheWalkWithoutError)
{
    struct Case
    {
        const char* pszText;
        std::vector<Token> before;
    };
    const Case aCases[] = {
        // The end right after "/" or "?" inside a tag: no error, no byte formatted.
        {"<a /", {{XT_ELEMENT_OPEN, "a", ""}}},
        {"<a/  ", {{XT_ELEMENT_OPEN, "a", ""}}},
        {"<?xml ?", {{XT_PI_OPEN, "xml", ""}}},
        // Unterminated comment and CDATA produce no token.
        {"<a><!-- x -", {{XT_ELEMENT_OPEN, "a", ""}}},
        {"<a><![CDATA[x]]", {{XT_ELEMENT_OPEN, "a", ""}}},
        // An attribute whose quotes never close.
        {"<a x=\"1", {{XT_ELEMENT_OPEN, "a", ""}}},
        {"<a x", {{XT_ELEMENT_OPEN, "a", ""}}},
        // A closing name cut by the end cannot be checked.
        {"<ab></a", {{XT_ELEMENT_OPEN, "ab", ""}}},
        {"<", {}},
        {"<a>x<", {{XT_ELEMENT_OPEN, "a", ""}, {XT_TEXT, "", "x"}}},
    };
    XMLParser parser;
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszText);
        EXPECT_EQ(walkText(c.pszText, parser), c.before);
        EXPECT_FALSE(parser.hasError());
        EXPECT_FALSE(parser.nextToken());
    }
}

TEST(XMLParser, GettersKeepTheLastTokenAfterFalse)
{
    XMLParser parser;
    parser.setText("<a/>tail &amp; end");
    EXPECT_EQ(walk(parser).size(), 3u);
    EXPECT_EQ(parser.getTokenType(), XT_TEXT);
    EXPECT_EQ(parser.getValue(), "tail & end");
    EXPECT_FALSE(parser.nextToken());
    EXPECT_EQ(parser.getTokenType(), XT_TEXT);
    EXPECT_EQ(parser.getValue(), "tail & end");
}

TEST(XMLParser, FreshAndNullText)
{
    XMLParser parser;
    EXPECT_FALSE(parser.nextToken());
    EXPECT_EQ(parser.getTokenType(), XT_NONE);
    EXPECT_FALSE(parser.hasError());
    parser.setText("<a>");
    ASSERT_TRUE(parser.nextToken());
    parser.setText(nullptr);
    EXPECT_EQ(parser.getTokenType(), XT_NONE);
    EXPECT_FALSE(parser.nextToken());
}

// Every prefix of these documents, handed over in an exactly sized heap block, must end the walk
// without an error, without a hang and without a read past its end (AddressSanitizer watches the
// block and the parser's own copy).
TEST(XMLParser, TruncatedAtEveryByte)
{
    const char* apszDocuments[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<table><row><cell><data>KEY</data></cell><cell><data>a &lt;b&gt; &amp;amp;</data>"
        "</cell></row>\r\n<!-- note --><row x = \"1\" y=\"2\" / ><![CDATA[ raw <x> ]]></table>",
        "<a/><b /><c x=\"\"/><?p ?><d>&apos;&quot;</d>",
    };
    for (const char* pszDocument : apszDocuments)
    {
        XMLParser full;
        full.setText(pszDocument);
        const size_t nFullTokens = walk(full).size();
        ASSERT_FALSE(full.hasError());

        const size_t nLength = std::strlen(pszDocument);
        for (size_t n = 0; n <= nLength; ++n)
        {
            SCOPED_TRACE(n);
            std::unique_ptr<char[]> pText(new char[n + 1]);
            std::memcpy(pText.get(), pszDocument, n);
            pText[n] = 0;
            XMLParser parser;
            parser.setText(pText.get());
            pText.reset(); // the parser keeps its own copy
            const std::vector<Token> tokens = walk(parser);
            EXPECT_FALSE(parser.hasError()) << parser.getError().c_str();
            EXPECT_LE(tokens.size(), nFullTokens);
            EXPECT_FALSE(parser.nextToken());
        }
    }
}
