// The string table and the text tables: the key and text form (byte order mark, comments and
// "\#", blanks, escapes in their order, continuations and the leading-continuation error), the
// XML form (rows of cells, the pairing across rows, what does not count), the application's
// table (case-insensitive keys, the missing key and its report, later tables winning, the name
// dump), the position keywords and the stopwatch.
#include "resourcefixture.h"

#include "app/positionkeyword.h"
#include "app/profileclock.h"
#include "app/stringtable.h"
#include "testkit/memimageenv.h"

#include "rir2/exception.h"
#include "rir2/hash_impl.h"
#include "rir2/tests/raises.h"

#include <map>
#include <regex>

namespace
{

typedef std::map<std::string, std::string> Texts;
typedef RIR::Hash<RIR::String, RIR::String> Table;

Texts contents(const Table& table)
{
    Texts texts;
    const RIR::List<RIR::String> lKeys = table.keys();
    const RIR::List<RIR::String> lValues = table.values();
    for (int i = 0; i < lKeys.getLength(); ++i)
        texts[lKeys.get(i).c_str()] = lValues.get(i).c_str();
    return texts;
}

// ---- the key and text form ---------------------------------------------------------------------

TEST(TextTableTest, LinesBecomeEntries)
{
    struct Case
    {
        const char* pszWhat;
        const char* pszText;
        Texts expected;
    };
    const Case aCases[] = {
        {"byte order mark",
         "\xEF\xBB\xBF"
         "first one\nsecond two",
         {{"FIRST", "one"}, {"SECOND", "two"}}},
        {"keys upper-cased, text keeps its trailing blanks",
         "  mixedKey\t value  with  blanks  \n",
         {{"MIXEDKEY", "value  with  blanks  "}}},
        {"comments and blank lines",
         "# only a comment\n   \n\t\nkey text # a comment\n",
         {{"KEY", "text "}}},
        {"escaped hash", "price Beer \\#1 and more # cut here\n", {{"PRICE", "Beer #1 and more "}}},
        {"tab escape", "tab a\\tb", {{"TAB", "a\tb"}}},
        {"line escapes", "lines one\\ntwo\\rthree", {{"LINES", "one\ntwo\rthree"}}},
        {"backslash escape", "slash back\\\\slash", {{"SLASH", "back\\slash"}}},
        {"escape order", "order x\\\\ny", {{"ORDER", "x\\\ny"}}},
        {"key without text", "lonely\n", {{"LONELY", ""}}},
        {"line ends of every kind",
         "a 1\r\nb 2\r\n\r\nc 3\rd 4",
         {{"A", "1"}, {"B", "2"}, {"C", "3"}, {"D", "4"}}},
        {"continuations",
         "intro Hello\n. , world\n.   !\\n\nnext x",
         {{"INTRO", "Hello, world!\n"}, {"NEXT", "x"}}},
        {"a later line replaces", "k one\nK two", {{"K", "two"}}},
        {"a continuation follows the replacement", "k one\nk two\n. +", {{"K", "two+"}}},
        {"nothing at all", "", {}},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszWhat);
        Table table;
        loadTextStrings(c.pszText, table);
        EXPECT_EQ(c.expected, contents(table));
    }
}

TEST(TextTableTest, ALeadingContinuationFails)
{
    Table table;
    loadTextStrings("old text", table);
    EXPECT_EQ(
        "Hash key not found : \"\"",
        messageOf<RIR::FatalErrorException>([&] { loadTextStrings("# x\n. more\nnew y", table); }));
    EXPECT_EQ((Texts{{"OLD", "text"}}), contents(table)) << "earlier entries stay";
}

// ---- the XML form ------------------------------------------------------------------------------

TEST(XmlTableTest, DataOfCellsOfRowsAlternateKeyAndText)
{
    const char* pszXml =
        "<?xml version=\"1.0\"?>\n"
        "<workbook><table>\n"
        " <data>loose</data>\n"
        " <row><data>no cell</data></row>\n"
        " <row><cell><data>Greeting</data></cell>"
        "<cell><data>  Howdy\\tpartner &amp; co </data></cell></row>\n"
        " <Row><Cell><DATA>bye</DATA></Cell><Cell><Data>So long</Data></Cell></Row>\n"
        " <row><cell><data>three</data></cell><cell><data>one</data></cell>"
        "<cell><data>extra</data></cell></row>\n"
        " <row><cell><data>two</data></cell></row>\n"
        " <row><cell><data> spaced </data></cell><cell><note>no</note></cell>"
        "<cell><data>kept</data></cell></row>\n"
        " <row><cell><data>tail</data></cell></row>\n"
        "</table></workbook>\n";
    Table table;
    loadXmlStrings(pszXml, table);
    EXPECT_EQ((Texts{{"GREETING", "Howdy\tpartner & co "},
                     {"BYE", "So long"},
                     {"THREE", "one"},
                     {"EXTRA", "two"}, // the third cell pairs with the next row's first
                     {" SPACED ", "kept"}}),
              contents(table))
        << "the last key has no text and is dropped";
}

TEST(XmlTableTest, UnreadableXmlKeepsThePairsBefore)
{
    Table table;
    loadXmlStrings("<row><cell><data>a</data></cell><cell><data>b</data></cell></row>"
                   "<row><cell><data>c</data></wrong><cell><data>d</data></cell></row>",
                   table);
    EXPECT_EQ((Texts{{"A", "b"}}), contents(table));
}

// ---- the application's table -------------------------------------------------------------------

// An application that keeps what it was told was missing.
class ReportingApp : public GameApp
{
public:
    void reportMissingResource(const char* pszText) override { m_lMissing.push_back(pszText); }
    std::vector<std::string> m_lMissing;
};

class StringTableTest : public ResourceAppTest
{
protected:
    StringTableTest()
    {
        m_pApp.reset(new ReportingApp());
        m_pApp->addProvider(memory({{"messages.txt", "Yes Yes!\nno No\nCaption Dustbowl Dolly\n"},
                                    {"credits.XML", "<row><cell><data>Thanks</data></cell>"
                                                    "<cell><data>to all</data></cell></row>"},
                                    {"private.txt", "YES Sure thing!\n"}}),
                            false);
    }
};

TEST_F(StringTableTest, KeysAreFoundInAnyCase)
{
    m_pApp->loadStrings("messages.txt");
    m_pApp->loadStrings("credits.XML");
    EXPECT_STREQ("Yes!", m_pApp->getString("yes"));
    EXPECT_STREQ("Yes!", m_pApp->getString("YeS"));
    EXPECT_STREQ("to all", m_pApp->getString("thanks"));
    EXPECT_TRUE(m_pApp->hasString("CAPTION"));
    EXPECT_TRUE(m_pApp->hasString("caption"));

    const char* pszKey = "NoSuchKey";
    EXPECT_EQ(pszKey, m_pApp->getString(pszKey)) << "the very pointer passed in";
    EXPECT_FALSE(m_pApp->hasString(pszKey));

    m_pApp->loadStrings("private.txt");
    EXPECT_STREQ("Sure thing!", m_pApp->getString("Yes")) << "a later table wins";
    EXPECT_STREQ("No", m_pApp->getString("no"));

    EXPECT_EQ("GameApp::getResource() : Resource 'story.txt' not found",
              messageOf<RIR::ResourceException>([&] { m_pApp->loadStrings("story.txt"); }));
    EXPECT_EQ(4, m_pApp->getStringNames().getLength()) << "nothing lost";
}

TEST_F(StringTableTest, AMissingKeyIsReportedOnce)
{
    m_pApp->loadStrings("messages.txt");
    const std::vector<std::string>& lMissing = static_cast<ReportingApp*>(m_pApp.get())->m_lMissing;
    EXPECT_STREQ("Yes!", m_pApp->getString("yes"));
    EXPECT_FALSE(m_pApp->hasString("Unheard"));
    EXPECT_TRUE(lMissing.empty()) << "neither a found key nor a question reports";

    EXPECT_STREQ("Unheard", m_pApp->getString("Unheard"));
    EXPECT_STREQ("unheard", m_pApp->getString("unheard"));
    EXPECT_STREQ("Other", m_pApp->getString("Other"));
    EXPECT_STREQ("Unheard", m_pApp->getString("Unheard"));
    EXPECT_EQ((std::vector<std::string>{"[string] UNHEARD", "[string] OTHER"}), lMissing)
        << "each key once, in any case";
}

TEST_F(StringTableTest, NameDump)
{
    m_pApp->loadStrings("messages.txt");
    m_pApp->dumpStringNames();
    std::vector<std::string> expected = {"U: ----- String names -----"};
    for (const std::string& sKey : toVector(m_pApp->getStringNames()))
        expected.push_back("U: " + sKey);
    expected.push_back("U: ------------------------");
    EXPECT_EQ(expected, logLines("U: "));
    EXPECT_EQ(5u, expected.size());
}

// ---- position keywords -------------------------------------------------------------------------

TEST(PositionKeywordTest, KeywordsNumbersAndOffsets)
{
    MemImageFactory factory;
    MemImageEnvironment env(&factory);
    // A canvas of 41 x 30 whose stored pixels are its right 21 columns.
    RIR::SmartPtr<Image> pParent(factory.createBlank(21, 30, false));
    RIR::SmartPtr<Image> pImage = pParent->createSubImage(-20, 0, 41, 30, false);
    ASSERT_EQ(41, pImage->getWidth());
    ASSERT_EQ(30, pImage->getHeight());

    struct Case
    {
        const char* pszText;
        bool bHorizontal;
        int nExpected;
    };
    const Case aCases[] = {
        {"center+3", true, 23},
        {"right-4", true, 37},
        {"17", true, 17},
        {"bottom", true, 41}, // keywords are not tied to an axis
        {"right", false, 30},
        {"middle", false, 15},
        {"center", true, 20}, // halves truncate
        {"top+2", false, 2},
        {"left", true, 0},
        {"-5", true, -5},
        {"+7", false, 7},
        {"Center", true, 0}, // case matters: no keyword, no number
        {"contents_center", true, 30},
        {"contents_center", false, 15},
        {"contents_center+2", true, 32},
        {"12abc-3", true, 9},
        {"center+", true, 20},
        {"center-1+2", true, 2}, // the "+" is taken first; "center-1" is then no keyword
        {"2147483647+5", true, 2147483647}, // sums are held to the int range
        {"-2147483648-5", true, -2147483647 - 1},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszText);
        EXPECT_EQ(c.nExpected, parsePositionKeyword(c.pszText, pImage.get(), c.bHorizontal));
    }
    // The insertion point moves the canvas, not the stored pixels within it.
    pImage->setInsPoint(4, 3);
    EXPECT_EQ(30, parsePositionKeyword("contents_center", pImage.get(), true));
    EXPECT_EQ(
        "Assertion failed : pImage",
        messageOf<RIR::AssertFailException>([] { parsePositionKeyword("left", nullptr, true); }));
}

// ---- the stopwatch -----------------------------------------------------------------------------

TEST_F(StringTableTest, ClockLinesGoToOutputAndLog)
{
    clockReset();
    ::testing::internal::CaptureStdout();
    clockLog("boot");
    clockLog("100%s");
    const std::string sOut = ::testing::internal::GetCapturedStdout();

    const std::regex line("CLOCK : (boot|100%s) : +[0-9]+\\.[0-9]{2} \\[acc +[0-9]+\\.[0-9]{2}\\]");
    const std::vector<std::string> logged = logLines("CLOCK : ");
    ASSERT_EQ(2u, logged.size());
    EXPECT_TRUE(std::regex_match(logged[0], line)) << logged[0];
    EXPECT_TRUE(std::regex_match(logged[1], line)) << logged[1];
    EXPECT_EQ(0u, logged[1].find("CLOCK : 100%s : ")) << "the label is written verbatim";
    EXPECT_EQ(logged[0] + "\n" + logged[1] + "\n", sOut);
}

} // namespace
