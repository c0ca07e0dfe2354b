// Web links: the query-separator helpers, the three forms of link definition resolved and
// opened through a recording opener, the log switch, and the real opener started without a
// shell (a stand-in "xdg-open" on PATH records what it was given).
#include "app/weblinks.h"

#include "app/log.h"
#include "app/registry.h"

#include "rir2/tests/tempfolder.h"
#include "testkit/savedvariable.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace
{

std::vector<std::string> g_aOpened;

void recordOpen(const char* pszUrl)
{
    g_aOpened.push_back(pszUrl);
}

// A log and a registry in a temporary folder, the openers recorded, the link definitions and
// the environment put back afterwards.
class WebLinksTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_aOpened.clear();
        setURLOpener(&recordOpen);
        unsetenv(OPENURL_LOG_VARIABLE);
        m_sLog = m_tmp.at("links.log");
        openLog(m_sLog.c_str());
        setRegistryFile(m_tmp.at("registry.txt").c_str());
        m_sOldHome = g_sHomeLink;
        m_sOldVisit = g_sVisitLink;
    }
    void TearDown() override
    {
        setURLOpener(nullptr);
        setRegistryFile(nullptr);
        closeLog();
        g_sHomeLink = m_sOldHome;
        g_sVisitLink = m_sOldVisit;
    }

    std::string logText() const { return TempFolder::readFile(m_sLog); }

    SavedVariable m_savedSwitch{OPENURL_LOG_VARIABLE};
    SavedVariable m_savedLink{"DBD_TEST_LINK"};
    SavedVariable m_savedPath{"PATH"};
    TempFolder m_tmp;
    std::string m_sLog;
    RIR::String m_sOldHome;
    RIR::String m_sOldVisit;
};

TEST(QuerySeparators, AppendAndFix)
{
    const char* const aAppend[][2] = {
        {"page", "page?"}, {"page?a=1", "page?a=1&"}, {"", "?"}, {"a?b?c", "a?b?c&"}};
    for (const auto& c : aAppend)
        EXPECT_STREQ(c[1], appendQuerySeparator(c[0]).c_str()) << c[0];
    EXPECT_STREQ("?", appendQuerySeparator(nullptr).c_str());

    const char* const aFix[][2] = {
        {"page?a=1?b=2?c", "page?a=1&b=2&c"}, {"page", "page"}, {"?a?b", "?a&b"},
        {"page?a=1&b=2", "page?a=1&b=2"},     {"??", "?&"},     {"", ""}};
    for (const auto& c : aFix)
        EXPECT_STREQ(c[1], fixQuerySeparators(c[0]).c_str()) << c[0];
}

TEST_F(WebLinksTest, DefinitionsResolveToTheOpenedAddress)
{
    ASSERT_TRUE(createRegistryKey(HKEY_CURRENT_USER, "Software\\Quillmoor\\Links"));
    ASSERT_TRUE(writeRegistryString(HKEY_CURRENT_USER, "Software\\Quillmoor\\Links", "Visit",
                                    "http://reg.test/page?r=1?s=2"));
    ASSERT_TRUE(writeRegistryString(HKEY_CURRENT_USER, "", "TopLevel", "http://top.test/"));
    setenv("DBD_TEST_LINK", "http://env.test/?q=1", 1);

    struct Case
    {
        const char* pszDefinition;
        const char* pszExtra;
        const char* pszOpened;
    };
    const Case aCases[] = {
        {"page?a=1", "x=1", "page?a=1&x=1"},
        {"page", "x=1", "page?x=1"},
        {"page", "", "page"},
        {"page", nullptr, "page"},
        {"page?a=1?b=2", "", "page?a=1&b=2"},
        {"ENV::DBD_TEST_LINK", "x=2", "http://env.test/?q=1&x=2"},
        // An unset variable gives an empty address, which is still handed on.
        {"ENV::DBD_TEST_UNSET_VARIABLE", "", ""},
        {"KEY::Software\\Quillmoor\\Links\\Visit", "", "http://reg.test/page?r=1&s=2"},
        {"KEY::software\\QUILLMOOR\\links\\visit", "v=3", "http://reg.test/page?r=1&s=2&v=3"},
        {"KEY::Software\\Quillmoor\\Links\\Missing", "", ""},
        {"KEY::Software\\Nowhere\\Visit", "", ""},
        {"KEY::TopLevel", "", "http://top.test/"},
        // The prefixes count only at the very start.
        {"http://a.test/KEY::b", "", "http://a.test/KEY::b"},
        {" ENV::DBD_TEST_LINK", "", " ENV::DBD_TEST_LINK"},
    };
    for (const Case& c : aCases)
    {
        SCOPED_TRACE(c.pszDefinition);
        g_aOpened.clear();
        g_sVisitLink = c.pszDefinition;
        openVisitLink(c.pszExtra);
        ASSERT_EQ(1u, g_aOpened.size());
        EXPECT_EQ(c.pszOpened, g_aOpened[0]);
    }
}

TEST_F(WebLinksTest, HomeAndVisitLinksAreLoggedAroundTheOpening)
{
    // The log switch turns the opening itself into a log line.
    setURLOpener(nullptr);
    setenv(OPENURL_LOG_VARIABLE, "1", 1);
    g_sHomeLink = "http://home.test/%s%n";
    g_sVisitLink = "http://visit.test/";
    openHomeLink("");
    openVisitLink("a=1");
    EXPECT_EQ("U: >oHU\n"
              "U: openURL [http://home.test/%s%n]\n"
              "U: <oHU\n"
              "U: >oVU\n"
              "U: openURL [http://visit.test/?a=1]\n"
              "U: <oVU\n",
              logText());

    // "0" and "" leave the switch off: with a recorder set, the recorder gets the address.
    setURLOpener(&recordOpen);
    setenv(OPENURL_LOG_VARIABLE, "0", 1);
    openURL("http://x.test/");
    ASSERT_EQ(1u, g_aOpened.size());
    EXPECT_EQ("http://x.test/", g_aOpened[0]);
}

TEST_F(WebLinksTest, LinkBuffersAreBoundedAndTerminated)
{
    // The registry link is read into 1024 bytes: 1022 characters and the terminator fit in the
    // 1023 bytes offered; one more character does not fit and reads as nothing.
    ASSERT_TRUE(createRegistryKey(HKEY_CURRENT_USER, "Software\\Links"));
    const std::string sFits(1022, 'f');
    const std::string sTooLong(1023, 't');
    ASSERT_TRUE(writeRegistryString(HKEY_CURRENT_USER, "Software\\Links", "Fits", sFits.c_str()));
    ASSERT_TRUE(
        writeRegistryString(HKEY_CURRENT_USER, "Software\\Links", "Long", sTooLong.c_str()));
    EXPECT_EQ(sFits, readRegistryLink("KEY::Software\\Links\\Fits").c_str());
    EXPECT_STREQ("", readRegistryLink("KEY::Software\\Links\\Long").c_str());
    EXPECT_STREQ("", readRegistryLink("KEY::Software\\Links\\Missing").c_str());

    // The environment link takes values below 1024 bytes.
    setenv("DBD_TEST_LINK", std::string(1023, 'e').c_str(), 1);
    EXPECT_EQ(1023, readEnvLink("ENV::DBD_TEST_LINK").length());
    setenv("DBD_TEST_LINK", std::string(1024, 'e').c_str(), 1);
    EXPECT_STREQ("", readEnvLink("ENV::DBD_TEST_LINK").c_str());
    EXPECT_STREQ("", readEnvLink("ENV::").c_str());
    EXPECT_STREQ("", readEnvLink("ENV").c_str());
}

TEST_F(WebLinksTest, OpenerGetsTheAddressAsOneArgumentWithoutAShell)
{
    // A stand-in opener first on PATH: it copies its first argument to a file, written aside
    // and renamed so that the file appears whole.
    const std::string sBin = m_tmp.makeFolder("bin");
    const std::string sOut = m_tmp.at("opened.txt");
    const std::string sScript = m_tmp.writeFile(
        "bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"" + sOut + ".part\" && mv \"" + sOut +
                            ".part\" \"" + sOut + "\"\n");
    ASSERT_EQ(0, chmod(sScript.c_str(), 0755));
    const char* pszPath = std::getenv("PATH");
    setenv("PATH", (sBin + ":" + (pszPath ? pszPath : "/usr/bin:/bin")).c_str(), 1);
    setURLOpener(nullptr);

    // Text a shell would act on: it must arrive unchanged and do nothing.
    const std::string sMarker = m_tmp.at("shell-ran");
    const std::string sUrl =
        "http://x.test/?a=1&b=2;touch " + sMarker + " $(touch " + sMarker + ") 'q\" *";
    openURL(sUrl.c_str());

    // Generous bound: this waits for another process, it does not measure it.
    const auto tEnd = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(sOut) && std::chrono::steady_clock::now() < tEnd)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(std::filesystem::exists(sOut)) << "the opener never ran";
    EXPECT_EQ(sUrl, TempFolder::readFile(sOut));
    EXPECT_FALSE(std::filesystem::exists(sMarker));
}

} // namespace
